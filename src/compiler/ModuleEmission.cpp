#include "compiler/ModuleEmission.h"

#include "app/Text.h"
#include "compiler/SizeBindings.h"

namespace z7 {

namespace {

bool isFirstPriority(int m) { return m == 8 || m == 53; }
bool isAddressed(int m) { return m == 18 || m == 20 || m == 65 || m == 168; }

const std::string& bindingOf(const Jobrecord& instance, int item) {
    static const std::string none;
    return item >= 1 && item <= MaxEntries ? instance.bindings[static_cast<std::size_t>(item)] : none;
}

bool isSingleDigit(const std::string& s) { return s.size() == 1 && s[0] >= '0' && s[0] <= '9'; }
int singleDigitOr0(const std::string& s) { return isSingleDigit(s) ? s[0] - '0' : 0; }

// The card a module declares in its library definition must be the one in the cage.
void checkCard(CompileContext& context, const Jobrecord& instance, const Modul& definition, const std::string& name) {
    const int c1 = definition.cardSpec[0];
    const int c2 = definition.cardSpec[1];
    bool error = false;
    int slot = 0;
    int cage = 1;
    if (c1 > 0) {
        const std::string& b = bindingOf(instance, c1);
        if (isSingleDigit(b) && b[0] <= '8') slot = b[0] - '0';
        else if (b.size() == 1 && !isSingleDigit(b)) slot = 0;
        else error = true;
    }
    if (c2 > 0) {
        const std::string& b = bindingOf(instance, c2);
        if (isSingleDigit(b) && b[0] >= '1' && b[0] <= '8') cage = b[0] - '0';
        else if (b.size() == 1 && !isSingleDigit(b)) cage = 1;
        else error = true;
    }
    if (error) {
        context.reportEmitError("Card number range must be 0-8 in " + name);
        return;
    }
    if (slot <= 0) return;
    if (instance.definitionNumber == 60 && context.project.cardCage.unitType == CardCage::UnitType::ZEX3) return;
    const int code = context.project.cardCage.cages[static_cast<std::size_t>(cage)][static_cast<std::size_t>(slot)];
    for (std::size_t i = 2; i < definition.cardSpec.size(); ++i)
        if (definition.cardSpec[i] > 0 && definition.cardSpec[i] == code) return;
    context.reportEmitError("Wrong type card referenced in " + name);
}

// A buffer size binding longer than two characters gives (k div 8 + 1) times 4; else 160.
std::uint32_t bufferSize(const std::string& binding) {
    std::int32_t k = 0;
    if (binding.size() > 2 && parseInt(binding, k) && k >= 0) return (static_cast<std::uint32_t>(k) / 8 + 1) * 4;
    return 160;
}

void raiseBuffers(CompileContext& context, const Jobrecord& instance, const std::string& name) {
    if (instance.definitionNumber == 31) {
        const int u = singleDigitOr0(bindingOf(instance, 1));
        const int p = singleDigitOr0(bindingOf(instance, 2));
        int slot = -1;
        if (u == 0 && p == 1) slot = 1;
        else if (u >= 1 && u <= 8 && (p == 1 || p == 2)) slot = 3 * u + p - 1;
        if (slot < 0) {
            context.reportEmitError("Out of range board/port specifier in " + name);
            return;
        }
        const std::uint32_t size = bufferSize(bindingOf(instance, 15));
        context.comBuffers.raiseTransmit(slot, size);
        context.comBuffers.raiseReceive(slot, size);
    } else if (instance.definitionNumber == 125) {
        const int d = singleDigitOr0(bindingOf(instance, 1));
        if (d < 1 || d > 7) {
            context.reportEmitError("Out of range board specifier in " + name);
            return;
        }
        context.comBuffers.setTransmit(3 * d + 2, bufferSize(bindingOf(instance, 2)));
    }
}

}  // namespace

void EmitModuleRecord(CompileContext& context, const Jobrecord& instance) {
    const int m = instance.definitionNumber;
    const Modul& definition = context.library.definition(m);
    const std::string name = cut(instance.name, MaxNameLength);
    const int n = std::min(definition.entryTotal(), MaxEntries);
    if (!context.library.isDefined(m)) context.reportEmitError("Cannot find module definition for " + name);
    const std::uint32_t record = context.FlashPointer;
    context.FlashPointer += static_cast<std::uint32_t>(n + 2) * 4;
    ImageLineBuilder line(context.sink(), record);
    line.field(hexUpper(static_cast<std::uint32_t>(m)));
    line.field(hexUpper(context.FlashPointer));
    checkCard(context, instance, definition, name);
    for (int j = 1; j <= n; ++j) {
        const ModuleEntry& entry = definition.entries[static_cast<std::size_t>(j)];
        const std::string& b = instance.bindings[static_cast<std::size_t>(j)];
        if (b.empty()) {
            line.field("");
            if (entry.grouping() == 'C' && entry.databaseLetter() != 'S') context.reportEmitError("Missing constant in " + name);
        } else {
            const bool trigger = entry.databaseLetter() == 'D' && entry.direction() == 'O' && entry.grouping() == 'G';
            const std::string lookedUp = trigger ? "@" + b : b;
            const std::string address =
                entry.grouping() == 'M' ? context.moduleAddresses.lookup(lookedUp) : LookupAddress(context, lookedUp);
            // An empty field keeps the record's shape even when the name is missing.
            line.field(address);
            if (address.empty()) context.reportEmitError("Cannot find " + lookedUp + " in " + name);
            // Only a bound item can end a line.
            line.breakIfLonger(120, record + 8 + 4 * static_cast<std::uint32_t>(j));
        }
    }
    line.close();
    raiseBuffers(context, instance, name);
}

void EmitPriorityModules(CompileContext& context, const std::vector<int>& order) {
    const Project& project = context.project;
    for (int number : order)
        if (isFirstPriority(project.instance(number).definitionNumber)) EmitModuleRecord(context, project.instance(number));
    for (int number : order) {
        const Jobrecord& instance = project.instance(number);
        if (!isAddressed(instance.definitionNumber)) continue;
        if (context.pass == 1) context.moduleAddresses.append(instance.name, context.FlashPointer);
        EmitModuleRecord(context, instance);
    }
}

void EmitOtherModules(CompileContext& context, const std::vector<int>& order) {
    const Project& project = context.project;
    for (int number : order) {
        const int m = project.instance(number).definitionNumber;
        if (!isFirstPriority(m) && !isAddressed(m)) EmitModuleRecord(context, project.instance(number));
    }
}

}  // namespace z7
