#pragma once
// I/O modules (instances of the fixed analog and digital I/O library modules) and the cards they
// serve: which module numbers are which I/O kind, how their channel, slot and cage bindings read,
// where a point sits on a card's terminal list, and the check run by every compile.
#include "app/Project.h"
#include "cards/CardTypes.h"
#include "library/ModuleLibrary.h"

#include <optional>
#include <string>
#include <vector>

namespace z7 {

// The I/O kind of a module number, or nothing when it is no I/O module number.
std::optional<IoKind> ioKindOfModuleNumber(int moduleNumber);
// The I/O kind of an instance whose definition is an I/O module (category 1 and an I/O module number).
std::optional<IoKind> ioKindOf(const Jobrecord& instance, const ModuleLibrary& library);

// A channel, slot or cage binding: its value when it is made only of digits and "-" and reads as a
// whole number; 0 otherwise (also for "-" or "1-2").
int ioBindingValue(const std::string& binding);

struct IoPoint {
    int channel = 0;
    int slot = 0;
    int cage = 0;
};
IoPoint ioPointOf(const Jobrecord& instance);

// The kind and channel shown by a terminal row with channel value v (8 - row) of a card code.
struct RowPoint {
    IoKind kind;
    int channel;
};
std::optional<RowPoint> rowPointOf(int cardCode, int channelValue);
// The terminal row (0 to 8) that shows channel d of kind on a card code.
int terminalRowOf(int cardCode, IoKind kind, int channel);

// The compile check of every I/O module against the card cage, in instance order: one message per
// failing module, uncapped.
std::vector<std::string> CheckIoPoints(const Project& project, const ModuleLibrary& library);

}  // namespace z7
