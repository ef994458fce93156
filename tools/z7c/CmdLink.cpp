#include "Commands.h"

#include <iostream>

namespace {
int notYet() {
    std::cerr << "z7c: this command is not built yet\n";
    return 2;
}
}  // namespace

int z7c::runSend(const Args&) { return notYet(); }
int z7c::runSendOs(const Args&) { return notYet(); }
int z7c::runStop(const Args&) { return notYet(); }
int z7c::runRtc(const Args&) { return notYet(); }
int z7c::runWatch(const Args&) { return notYet(); }
