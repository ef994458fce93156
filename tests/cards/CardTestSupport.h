#pragma once
// Builders shared by the card tests.
#include "app/Project.h"

#include <string>

namespace z7::test {

// An I/O module instance bound to a channel, a card slot and a cage.
inline Jobrecord ioInstance(const std::string& name, int definition, const std::string& channel, const std::string& slot,
                            const std::string& cage) {
    Jobrecord j;
    j.name = name;
    j.definitionNumber = definition;
    j.bindings[1] = channel;
    j.bindings[2] = slot;
    j.bindings[3] = cage;
    return j;
}

}  // namespace z7::test
