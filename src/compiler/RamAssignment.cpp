#include "compiler/RamAssignment.h"

#include "app/Text.h"
#include "compiler/SectionEmitters.h"
#include "compiler/SizeBindings.h"

#include <algorithm>
#include <unordered_set>

namespace z7 {

namespace {

struct InstanceSizes {
    std::int32_t arrayCount = DefaultArrayCount;
    std::int32_t stringLength = DefaultStringLength;
    std::uint32_t module168Element = 4;
    bool valid = true;
};

std::uint32_t module168ElementSize(const Jobrecord& instance, const std::unordered_set<std::string>& statusNames) {
    std::uint32_t n = 0;
    std::uint32_t k = 0;
    for (int item = 5; item <= 24; ++item) {
        const std::string& b = instance.bindings[static_cast<std::size_t>(item)];
        if (b.size() <= 3) continue;
        ++n;
        if (statusNames.count(b)) ++k;
    }
    return k > 0 ? (n - k + 1) * 4 + 4 : n * 4 + 4;
}

InstanceSizes sizesOf(const Jobrecord& instance, const Modul& definition, const std::unordered_set<std::string>& statusNames) {
    InstanceSizes s;
    // Item 1 counts only for a module with an array output, item 2 only for one with a string output.
    bool arrays = false;
    bool strings = false;
    for (int j = definition.inputsAndConstants() + 1; j <= definition.entryTotal() && j <= MaxEntries; ++j) {
        arrays = arrays || definition.entries[static_cast<std::size_t>(j)].isArray();
        strings = strings || definition.entries[static_cast<std::size_t>(j)].databaseLetter() == 'S';
    }
    if (arrays && !readSizeBinding(instance.bindings[1], DefaultArrayCount, s.arrayCount)) s.valid = false;
    if (strings && !readSizeBinding(instance.bindings[2], DefaultStringLength, s.stringLength)) s.valid = false;
    if (instance.definitionNumber == 168) s.module168Element = module168ElementSize(instance, statusNames);
    return s;
}

// Bytes one element of output item j takes.
std::uint32_t elementSize(const Jobrecord& instance, const ModuleEntry& entry, bool firstOutput, const InstanceSizes& sizes) {
    if (firstOutput && instance.definitionNumber == 18) return 16;
    if (firstOutput && instance.definitionNumber == 168) return sizes.module168Element;
    if (entry.databaseLetter() == 'S') return stringElementSize(sizes.stringLength);
    return 4;
}

std::uint32_t blockSize(const Jobrecord& instance, const Modul& definition, const InstanceSizes& sizes) {
    std::uint32_t size = 0;
    const int first = definition.inputsAndConstants() + 1;
    for (int j = first; j <= definition.entryTotal() && j <= MaxEntries; ++j) {
        const ModuleEntry& entry = definition.entries[static_cast<std::size_t>(j)];
        const std::uint32_t element = elementSize(instance, entry, j == first, sizes);
        size += entry.isArray() ? element * static_cast<std::uint32_t>(sizes.arrayCount) : element;
    }
    return size;
}

void layOutInstance(CompileContext& context, const Jobrecord& instance, const Modul& definition, const InstanceSizes& sizes) {
    std::uint32_t p = instance.ramStart;
    const int first = definition.inputsAndConstants() + 1;
    for (int j = first; j <= definition.entryTotal() && j <= MaxEntries; ++j) {
        const ModuleEntry& entry = definition.entries[static_cast<std::size_t>(j)];
        const std::string& b = instance.bindings[static_cast<std::size_t>(j)];
        if (entry.grouping() == 'T') {
            context.symbols.addTimer(b);
            continue;
        }
        if (entry.grouping() == 'G') {
            context.symbols.addTrigger(b);
            continue;
        }
        const std::uint32_t n = entry.isArray() ? static_cast<std::uint32_t>(sizes.arrayCount) : 1;
        switch (entry.databaseLetter()) {
        case 'D':
            context.symbols.addStatus(b, p);
            p += n * 4;
            break;
        case 'F':
            context.symbols.addFloat(b, p);
            p += n * 4;
            break;
        case 'I':
            context.symbols.addInteger(b, p);
            p += n * elementSize(instance, entry, j == first, sizes);
            break;
        case 'S':
            context.symbols.addString(b, p);
            p += n * stringElementSize(sizes.stringLength);
            break;
        default:
            break;
        }
    }
}

void assignInstances(CompileContext& context, int ramPass, const std::unordered_set<std::string>& statusNames) {
    Project& project = context.project;
    for (int number = 1; number <= project.instanceCount(); ++number) {
        Jobrecord& instance = project.instance(number);
        const Modul& definition = context.library.definition(instance.definitionNumber);
        if (ramPass == 3)
            for (int j = 1; j <= definition.inputsAndConstants() && j <= MaxEntries; ++j)
                context.symbols.constants.registerConstant(instance.bindings[static_cast<std::size_t>(j)],
                                                          definition.entries[static_cast<std::size_t>(j)].code);
        const InstanceSizes sizes = sizesOf(instance, definition, statusNames);
        if (!sizes.valid && ramPass == 1) context.reportError("Size is not a whole number in " + cut(instance.name, MaxNameLength));
        const std::uint32_t size = blockSize(instance, definition, sizes);
        const std::int64_t stored = static_cast<std::int64_t>(instance.ramEnd) - static_cast<std::int64_t>(instance.ramStart) + 1;
        if (stored < static_cast<std::int64_t>(size)) {
            instance.ramStart = 0;
            instance.ramEnd = 0;
        }
        if (ramPass == 2 && instance.ramStart == 0) {
            project.markChanged();
            const RamBlock block = FindRamBlock(context, size, instance.name);
            if (block.found()) {
                instance.ramStart = block.first();
                instance.ramEnd = block.end;
            }
        }
        if (ramPass == 1 && instance.ramStart > 0) ReserveRange(context, instance.ramStart, instance.ramEnd);
        if (ramPass == 2) layOutInstance(context, instance, definition, sizes);
    }
}

// Index of the first "$" field from the third field on, or the field count when there is none.
std::size_t firstRamField(const std::vector<std::string>& fields) {
    for (std::size_t i = 2; i < fields.size(); ++i)
        if (startsWith(fields[i], "$")) return i;
    return fields.size();
}

// Bytes of one BASIC parameter field (inputs take none); false when its shape is not readable.
bool basicFieldSize(const std::string& field, std::uint32_t& size) {
    size = 0;
    if (startsWith(field, "I")) return true;
    std::uint64_t elements = 1;
    std::int32_t length = -1;
    const bool ok = readBasicFieldShape(field.empty() ? field : field.substr(1), elements, length);
    const std::uint64_t each = startsWith(field, "s") ? static_cast<std::uint64_t>(length < 0 ? DefaultStringLength : length) : 4;
    const std::uint64_t total = elements * each;
    size = total > RamMap::Entries ? RamMap::Entries : static_cast<std::uint32_t>(total);
    return ok;
}

void assignBasicModules(CompileContext& context, int ramPass) {
    Project& project = context.project;
    for (std::string& line : project.basicModules) {
        std::vector<std::string> fields = splitFields(line);
        // Without a source file name there is nothing to link; the emission reports it.
        if (fields.size() < 2) continue;
        const std::string moduleName = fields[0];
        const std::size_t ramField = firstRamField(fields);
        std::uint32_t size = 0;
        bool shapesOk = true;
        for (std::size_t i = 2; i < ramField; ++i) {
            std::uint32_t fieldSize = 0;
            shapesOk = basicFieldSize(fields[i], fieldSize) && shapesOk;
            size += fieldSize;
        }
        if (!shapesOk && ramPass == 1) context.reportError("Size is not a whole number in BASIC module " + cut(moduleName, MaxNameLength));
        std::uint32_t start = ramField < fields.size() ? readHexField(fields[ramField]) : 0;
        const std::uint32_t end = ramField + 1 < fields.size() ? readHexField(fields[ramField + 1]) : 0;
        // A module without variables holds the one-byte block that a request of 0 bytes gives;
        // that block is kept, not allocated anew in every compile.
        const std::uint32_t held = std::max<std::uint32_t>(size, 1);
        if (static_cast<std::uint64_t>(start) + held != static_cast<std::uint64_t>(end) + 1) start = 0;
        if (ramPass == 1 && start > 0) ReserveRange(context, start, end);
        if (ramPass != 2) continue;
        if (start == 0) {
            const RamBlock block = FindRamBlock(context, size, moduleName);
            if (block.found()) {
                // Rewritten field by field, so that a "$" inside an output name is never taken
                // for the start of the RAM fields.
                fields.resize(ramField);
                fields.push_back("$" + hexUpper(block.first()));
                fields.push_back("$" + hexUpper(block.end));
                std::string rewritten;
                for (std::size_t i = 0; i < fields.size(); ++i) rewritten += (i ? "|" : "") + fields[i];
                line = rewritten;
                start = block.first();
                project.markChanged();
            }
        }
        std::uint32_t p = start;
        for (std::size_t i = 2; i < ramField; ++i) {
            const std::string& field = fields[i];
            const char letter = field.empty() ? '\0' : field[0];
            const std::string name = field.empty() ? std::string {} : field.substr(1);
            switch (letter) {
            case 'I': context.symbols.constants.registerConstant(name, "XXXX"); break;
            case 'm': context.symbols.addTimer(name); break;
            case 't': context.symbols.addTrigger(name); break;
            case 'f': context.symbols.addFloat(name, p); break;
            case 'i': context.symbols.addInteger(name, p); break;
            case 'n': context.symbols.addStatus(name, p); break;
            case 's': context.symbols.addString(name, p); break;
            default: break;
            }
            if (letter != 'I' && letter != 'm' && letter != 't') {
                std::uint32_t fieldSize = 0;
                basicFieldSize(field, fieldSize);
                p += fieldSize;
            }
        }
        context.basicObjects.registerFile(objectFileNameOf(fields[1]));
    }
}

void sizeBasicObjects(CompileContext& context) {
    if (context.project.basicModules.empty()) return;
    std::int64_t localNeed = 0;
    for (BasicObjectTable::Entry& entry : context.basicObjects.entries()) {
        const BasicObjectFile* object = readObjectFile(context, entry.fileName);
        if (!object) {
            context.reportError("Cannot find " + entry.fileName);
            continue;
        }
        if (!object->hasSummary) context.reportError("Bad summary line in " + entry.fileName);
        if (object->hasSummary) {
            std::int32_t local = 0;
            std::int32_t code = 0;
            if (!object->summaryNumber(1, local) || !object->summaryNumber(2, code) || local < 0 || code < 0 ||
                code > static_cast<std::int32_t>(FlashLimit)) {
                context.reportError("Bad summary line in " + entry.fileName);
            } else {
                localNeed = std::max<std::int64_t>(localNeed, std::int64_t {local} + 1200);
                entry.codeSize = static_cast<std::uint32_t>(code);
            }
        }
        for (const std::string& line : object->constantLines)
            for (const std::string& field : splitFields(line)) {
                if (startsWith(field, "'")) context.symbols.constants.registerConstant(field.substr(1), "SXXC");
                else context.symbols.constants.registerConstant(field, "XXXX");
            }
    }
    const std::uint32_t need = static_cast<std::uint32_t>(std::min<std::int64_t>(localNeed, RamMap::Entries + 1));
    const RamBlock block = FindRamBlock(context, need, "BASIC modules local RAM");
    context.basicLocalRam = block.found() ? block.first() : 0;
}

void placeTimers(CompileContext& context) {
    SymbolTable& timers = context.symbols.timers;
    const RamBlock block = FindRamBlock(context, static_cast<std::uint32_t>(timers.size() * 4), "Timers");
    const std::uint32_t start = block.found() ? block.first() : 0;
    context.systemPointers.tmrs = start;
    context.systemPointers.timerCount = static_cast<std::uint32_t>(timers.size());
    for (std::size_t k = 0; k < timers.size(); ++k) timers.setAddress(k, hexUpper(start + 4 * static_cast<std::uint32_t>(k)));
}

void placeTriggers(CompileContext& context) {
    SymbolTable& triggers = context.symbols.triggers;
    const std::size_t n = triggers.size();
    const RamBlock block = FindRamBlock(context, static_cast<std::uint32_t>((n / 16 + 1) * 4), "Triggers");
    const std::uint32_t start = block.found() ? block.first() : 0;
    context.systemPointers.trigs = start;
    context.systemPointers.triggerCount = static_cast<std::uint32_t>(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::string name = triggers.rows()[i].name;
        triggers.add(name, "");
        triggers.rename(i, "@" + name);
    }
    std::uint32_t p = start;
    std::uint32_t bit = 0;
    const auto give = [&](std::size_t row) {
        if (bit > 15) {
            bit = 0;
            p += 2;
        }
        triggers.setAddress(row, hexUpper((bit << 27) | p | StatusTypeBits));
        ++bit;
    };
    for (std::size_t i = 0; i < n; ++i) give(i);
    bit = 0;
    p += 2;
    for (std::size_t i = n; i < 2 * n; ++i) give(i);
}

}  // namespace

void AssignRam(CompileContext& context) {
    std::unordered_set<std::string> statusNames;
    for (const std::string& name : context.lists.namesOf(DatabaseKind::Status)) statusNames.insert(name);
    for (int ramPass = 1; ramPass <= 3; ++ramPass) {
        assignInstances(context, ramPass, statusNames);
        AssignRxRam(context, ramPass);
        AssignSpeechRam(context, ramPass);
        AssignLadderRam(context, ramPass);
        AssignTableRam(context, ramPass);
        assignBasicModules(context, ramPass);
        if (ramPass == 3) sizeBasicObjects(context);
    }
    RegisterLadderDelays(context);
    placeTimers(context);
    placeTriggers(context);
}

}  // namespace z7
