#include "cards/IoPoints.h"

#include "app/Text.h"

namespace z7 {

std::optional<IoKind> ioKindOfModuleNumber(int moduleNumber) {
    switch (moduleNumber) {
    case 1: case 55: return IoKind::AnalogInput;
    case 3: return IoKind::AnalogOutput;
    case 2: case 12: case 56: case 154: return IoKind::DigitalInput;
    case 4: case 44: case 155: return IoKind::DigitalOutput;
    default: return std::nullopt;
    }
}

std::optional<IoKind> ioKindOf(const Jobrecord& instance, const ModuleLibrary& library) {
    const int number = instance.definitionNumber;
    if (number >= 9000 || !library.isDefined(number) || library.definition(number).category != 1) return std::nullopt;
    return ioKindOfModuleNumber(number);
}

int ioBindingValue(const std::string& binding) {
    if (binding.empty()) return 0;
    for (char c : binding)
        if (c != '-' && (c < '0' || c > '9')) return 0;
    std::int32_t value = 0;
    return parseInt(binding, value) ? value : 0;
}

IoPoint ioPointOf(const Jobrecord& instance) {
    return IoPoint {ioBindingValue(instance.bindings[1]), ioBindingValue(instance.bindings[2]), ioBindingValue(instance.bindings[3])};
}

std::optional<RowPoint> rowPointOf(int cardCode, int v) {
    if (cardCode == 14) {
        if (v == 1 || v == 2) return RowPoint {IoKind::DigitalOutput, v};
        if (v >= 3 && v <= 6) return RowPoint {IoKind::DigitalInput, v - 2};
        if (v == 7 || v == 8) return RowPoint {IoKind::AnalogInput, v - 6};
        return std::nullopt;
    }
    if (cardCode == 17) {
        if (v >= 1 && v <= 4) return RowPoint {IoKind::AnalogInput, v};
        if (v == 5) return RowPoint {IoKind::AnalogOutput, 1};
        return std::nullopt;
    }
    const CardTypeInfo& info = cardTypeInfo(cardCode);
    for (IoKind kind : {IoKind::AnalogInput, IoKind::AnalogOutput, IoKind::DigitalInput, IoKind::DigitalOutput}) {
        const int count = info.channelCount(kind);
        if (count > 0) {
            if (v >= 1 && v <= count) return RowPoint {kind, v};
            return std::nullopt;
        }
    }
    return std::nullopt;
}

int terminalRowOf(int cardCode, IoKind kind, int channel) {
    if (cardCode == 14 && kind == IoKind::AnalogInput) return 2 - channel;
    if (cardCode == 14 && kind == IoKind::DigitalInput) return 6 - channel;
    if (cardCode == 17 && kind == IoKind::AnalogOutput) return 4 - channel;
    return 8 - channel;
}

std::vector<std::string> CheckIoPoints(const Project& project, const ModuleLibrary& library) {
    std::vector<std::string> messages;
    for (const Jobrecord& instance : project.instances()) {
        const std::optional<IoKind> kind = ioKindOf(instance, library);
        if (!kind) continue;
        const IoPoint point = ioPointOf(instance);
        const std::string& name = instance.name;
        if (point.slot < 1 || point.slot > 8) {
            messages.push_back("Missing or out of range card number in " + name);
            continue;
        }
        if (point.cage < 1 || point.cage > 8) {
            messages.push_back("Missing or out of range cage number in " + name);
            continue;
        }
        const int code = project.cardCage.cages[static_cast<std::size_t>(point.cage)][static_cast<std::size_t>(point.slot)];
        if (code < 1 || code > CardTableCodes) {
            messages.push_back("No card assigned corresponding to " + name);
            continue;
        }
        if (point.channel < 1 || point.channel > cardTypeInfo(code).channelCount(*kind))
            messages.push_back("Missing or out of range channel number for card type in " + name);
    }
    return messages;
}

}  // namespace z7
