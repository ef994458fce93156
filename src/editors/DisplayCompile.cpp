#include "editors/DisplayCompile.h"

#include "app/Text.h"
#include "editors/DisplayList.h"

namespace z7 {

namespace {

constexpr std::uint32_t DisplayRecordSize = 56;
constexpr std::size_t MaxDisplayNameLength = 70;
constexpr std::size_t MaxFieldsPerLine = 40;
constexpr std::uint32_t DisplayTransmitBuffer = 2000;
constexpr std::uint32_t DisplayReceiveBuffer = 320;

enum FieldKind { ValueField = 1, ObjectField = 2, BarField = 3, FurtherObjectField = 4 };

FieldKind kindOf(const std::string& field) {
    if (startsWith(field, "@@")) return ValueField;
    if (startsWith(field, "@E") || startsWith(field, "@T")) return ObjectField;
    if (startsWith(field, "@H")) return BarField;
    if (startsWith(field, "@V")) return FurtherObjectField;
    return ValueField;
}

std::uint32_t recordSize(const std::string& text) {
    return DisplayRecordSize + static_cast<std::uint32_t>(text.size() / 4 * 4);
}

void appendChecked(CompileContext& context, const std::string& line, const std::string& displayName) {
    if (line.size() > MaxImageLineLength) context.reportEmitError("Line too long for download in display " + displayName);
    context.appendLine(line);
}

}  // namespace

void EmitDisplayRecords(CompileContext& context) {
    const std::vector<std::string>& lines = context.project.displays;
    for (const auto& [key, headerIndex] : indexDisplays(lines)) {
        const DisplayHeader header = parseDisplayHeader(lines[headerIndex]);
        if (header.port > 0) {
            context.comBuffers.raiseTransmit(header.port, DisplayTransmitBuffer);
            context.comBuffers.raiseReceive(header.port, DisplayReceiveBuffer);
        }
        const std::vector<DisplayTextLine> text = displayTextLines(lines, headerIndex);
        if (text.empty()) continue;
        const std::size_t insertAt = context.image.size();
        const std::uint32_t headerAddress = context.FlashPointer;
        const std::string name = cut(header.name, MaxDisplayNameLength);
        context.FlashPointer += recordSize(name);
        const std::uint32_t firstLine = context.FlashPointer;

        for (const DisplayTextLine& line : text) {
            const std::uint32_t at = context.FlashPointer;
            context.FlashPointer += recordSize(line.text);
            std::vector<std::string> fields = displayFields(line.text);
            if (fields.size() > MaxFieldsPerLine) fields.resize(MaxFieldsPerLine);
            std::string record = hexUpper(at) + "|2331|" + hexUpper(context.FlashPointer) + "|";
            bool objects = false;  // past a trend or event log every named slot is an object
            for (std::size_t k = 0; k < DisplaySlots; ++k) {
                const FieldKind kind = k < fields.size() ? kindOf(fields[k]) : ValueField;
                const std::string& slot = line.slots[k];
                std::string address;
                if (slot.size() > 2) {
                    address = kind == ValueField && !objects ? LookupAddress(context, slot) : context.moduleAddresses.lookup(slot);
                    if (address.empty()) context.reportEmitError("Cannot find " + slot + " in display " + header.name);
                }
                if (kind == ObjectField) objects = true;
                record += address + "|";
            }
            appendChecked(context, record + line.text + "|\\", header.name);
        }

        const std::string trigger = LookupAddress(context, header.trigger);
        if (trigger.empty()) context.reportEmitError("Cannot find trigger status for display " + header.name);
        const std::string headerLine = hexUpper(headerAddress) + "|2330|" + hexUpper(firstLine) + "|" +
                                       hexUpper(context.FlashPointer) + "|" + hexUpper(static_cast<std::uint32_t>(header.port)) +
                                       "|" + hexUpper(static_cast<std::uint32_t>(header.number)) + "|" +
                                       hexUpper(static_cast<std::uint32_t>(header.font)) + "|" + trigger + "|||||||" + name + "|\\";
        if (headerLine.size() > MaxImageLineLength)
            context.reportEmitError("Line too long for download in display " + header.name);
        if (context.writing()) context.image.insertAt(insertAt, headerLine);
    }
}

}  // namespace z7
