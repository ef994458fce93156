#include "Commands.h"

#include <iostream>

int z7c::runDoc(const Args&) {
    std::cerr << "z7c: this command is not built yet\n";
    return 2;
}
