#include "compiler/CompileContext.h"

#include "app/Files.h"
#include "app/Text.h"

namespace z7 {

CompileSettings CompileSettings::from(const Preferences& preferences) {
    CompileSettings s;
    s.systemDirectory = preferences.systemDirectory;
    s.basicDirectory = preferences.basicDirectory;
    s.alphabetizeModules = preferences.alphabetizeModules;
    s.flagDuplicateNames = preferences.flagDuplicateNames;
    return s;
}

CompileContext::CompileContext(Project& project_, const ModuleLibrary& library_, CompileSettings settings_, CompileHooks hooks_)
    : project(project_), library(library_), settings(std::move(settings_)), hooks(std::move(hooks_)) {}

void CompileContext::addError(const std::string& message) {
    errors.add(message);
    ++errorCount;
}

bool CompileContext::reportError(const std::string& message) {
    if (!mayReport()) return false;
    addError(message);
    return true;
}

bool CompileContext::reportEmitError(const std::string& message) { return writing() && reportError(message); }

void CompileContext::step(const std::string& text, int gauge) {
    stepText_ = text;
    gauge_ = gauge;
    if (hooks.progress) hooks.progress(stepText_, gauge_);
    pollHalt();
}

void CompileContext::setGauge(int gauge) {
    gauge_ = gauge;
    if (hooks.progress) hooks.progress(stepText_, gauge_);
    pollHalt();
}

void CompileContext::pollHalt() {
    if (hooks.haltRequested && hooks.haltRequested()) halt = true;
}

const BasicObjectFile* readObjectFile(CompileContext& context, const std::string& fileName) {
    auto it = context.objectFiles.find(fileName);
    if (it == context.objectFiles.end()) {
        std::vector<std::string> lines;
        std::string error;
        std::optional<BasicObjectFile> object;
        if (readTextLines(context.settings.basicDirectory + fileName, lines, error)) object = parseBasicObjectFile(lines);
        it = context.objectFiles.emplace(fileName, std::move(object)).first;
    }
    return it->second ? &*it->second : nullptr;
}

std::string LookupAddress(const CompileContext& context, const std::string& name) {
    return context.symbols.lookupAddress(name, context.project.rxRows);
}

std::string LookupStringAddress(const CompileContext& context, const std::string& name) {
    return context.symbols.lookupStringAddress(name);
}

RamBlock FindRamBlock(CompileContext& context, std::uint32_t size, const std::string& name) {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    if (!context.ramMap.allocate(size, first, last)) {
        context.reportError("Cannot find large enough RAM block for " + name);
        return RamBlock {};
    }
    return RamBlock {static_cast<std::int64_t>(RamBase + first), RamBase + last};
}

void ReserveRange(CompileContext& context, std::uint32_t start, std::uint32_t end) {
    if (end < start) return;
    if (start < RamBase || end > RamLast) {
        context.reportError("Ram address out of range in ReserveX");
        return;
    }
    for (std::uint32_t a = start; a <= end; ++a) {
        const std::uint32_t index = a - RamBase;
        if (context.ramMap.isUsed(index)) context.reportError("Ram overlap detected...you should zero Ram");
        context.ramMap.mark(index);
    }
}

void ReserveX(CompileContext& context, const std::string& typedAddressText) {
    const TypedAddress value = readHexField(typedAddressText);
    const std::uint32_t offset = addressOf(value) - RamBase;  // wraps for addresses below RAM
    if (offset > RamLimit) {
        context.reportError("Ram address out of range in ReserveX");
        return;
    }
    const ValueType type = valueTypeOf(value);
    std::uint32_t bytes = 1;
    if (type == ValueType::Integer || type == ValueType::Float || type == ValueType::LongInteger) bytes = 4;
    else if (type == ValueType::Status) bytes = 2;
    // A variable at the last RAM byte keeps only the bytes that lie inside the map.
    for (std::uint32_t i = offset; i < offset + bytes && i < RamMap::Entries; ++i) {
        if (context.ramMap.isUsed(i) && type != ValueType::Status) context.reportError("Ram overlap detected...reassign RAM");
        context.ramMap.mark(i);
    }
}

}  // namespace z7
