#include "compiler/BasicEmission.h"

#include "app/Text.h"
#include "compiler/BasicObjectFile.h"

namespace z7 {

namespace {

bool endsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

void EmitBasicRecords(CompileContext& context) {
    const std::vector<std::string>& modules = context.project.basicModules;
    for (std::size_t index = 0; index < modules.size(); ++index) {
        const std::vector<std::string> fields = splitFields(modules[index]);
        const std::string moduleName = cut(fields[0], MaxNameLength);
        const std::string objectName = objectFileNameOf(fields.size() > 1 ? fields[1] : std::string {});
        const BasicObjectFile* object = readObjectFile(context, objectName);
        if (!object) {
            context.reportEmitError("Cannot find " + objectName + " referenced by " + moduleName);
            continue;
        }
        std::int32_t inputs = 0;
        std::int32_t outputs = 0;
        if (object->hasSummary && (!object->summaryNumber(3, inputs) || !object->summaryNumber(4, outputs) || inputs < 0 ||
                                   outputs < 0 || inputs + outputs > 1000)) {
            context.reportEmitError("Bad summary line in " + objectName);
            inputs = outputs = 0;
        }
        const int parameters = inputs + outputs;
        // Parameters run from the third field up to the RAM fields.
        std::size_t parameterCount = 0;
        while (2 + parameterCount < fields.size() && !startsWith(fields[2 + parameterCount], "$")) ++parameterCount;
        if (parameterCount != static_cast<std::size_t>(parameters))
            context.reportEmitError("Parameter list of " + moduleName + " does not match " + objectName);

        const std::uint32_t record = context.FlashPointer;
        context.FlashPointer += static_cast<std::uint32_t>(parameters + 3) * 4;
        const std::uint32_t link = index + 1 == modules.size() ? context.basicSectionEnd : context.FlashPointer;
        const long entry = context.basicObjects.find(objectName);
        const std::uint32_t code = entry >= 0 ? context.basicObjects.entries()[static_cast<std::size_t>(entry)].address : 0;
        ImageLineBuilder line(context.sink(), record);
        line.field("2339");
        line.field(hexUpper(link));
        line.field(hexUpper(code));
        for (int k = 1; k <= parameters; ++k) {
            const std::size_t f = 1 + static_cast<std::size_t>(k);
            const std::string field = static_cast<std::size_t>(k) <= parameterCount ? fields[f] : std::string {};
            if (field.empty()) {
                line.field("");
            } else {
                std::string name = field.substr(1);
                if (field[0] == 't' && field.size() > 3 && endsWith(field, "!!") && k > inputs) name = "@" + name;
                const std::string address = LookupAddress(context, name);
                line.field(address);
                if (address.empty()) context.reportEmitError("Cannot find " + name + " in " + moduleName);
            }
            line.breakIfLonger(120, record + 12 + 4 * static_cast<std::uint32_t>(k));
        }
        line.close();
    }
}

void EmitBasicCode(CompileContext& context) {
    for (BasicObjectTable::Entry& entry : context.basicObjects.entries()) {
        if (entry.fileName.empty()) break;
        const std::uint32_t block = context.FlashPointer;
        if (context.pass == 1) entry.address = block;
        context.FlashPointer += entry.codeSize;
        if (!context.writing()) continue;
        const BasicObjectFile* object = readObjectFile(context, entry.fileName);
        if (!object) break;
        const std::uint32_t local = context.basicLocalRam;
        std::string line = hexUpper(block) + "|" + hexUpper(local);
        std::uint32_t w = block + 4;
        for (const std::string& codeLine : object->codeLines) {
            for (const std::string& field : splitFields(codeLine)) {
                if (field.empty()) break;
                const char kind = field[0];
                const std::string value = field.substr(1);
                std::string word;
                switch (kind) {
                case 'c':
                    word = LookupAddress(context, startsWith(value, "'") ? value.substr(1) : value);
                    if (word.empty()) context.reportEmitError("Cannot find " + value + " in " + entry.fileName);
                    break;
                case 'f': word = hexUpper(block + readHexField(value) + 4); break;
                case 'i': word = value; break;
                case 'r': word = hexUpper(local + readHexField(value) + 1200); break;
                case 't': {
                    std::int32_t number = 0;
                    if (parseInt(value, number)) word = hexUpper(static_cast<std::uint32_t>(number));
                    else context.reportEmitError("Bad code item " + field + " in " + entry.fileName);
                    break;
                }
                default: context.reportEmitError("Bad code item " + field + " in " + entry.fileName); break;
                }
                line += "|" + word;
                w += 4;
                if (line.size() > 120) {
                    context.appendLine(line + "|\\");
                    line = hexUpper(w);
                }
            }
        }
        context.appendLine(line + "|\\");
        if (w - block != entry.codeSize) context.reportEmitError("Code size does not match the code of " + entry.fileName);
    }
}

void EmitBasic(CompileContext& context) {
    EmitBasicRecords(context);
    EmitBasicCode(context);
}

}  // namespace z7
