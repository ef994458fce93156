// The display part and the telemetry array part.
#include "app/Text.h"
#include "doc/DocumentParts.h"
#include "doc/ProjectLines.h"

namespace z7 {

namespace {

const char* fontName(int font) {
    switch (font) {
    case 1: return "2X";
    case 2: return "4X";
    default: return "1X";
    }
}

std::string padWith(std::string text, std::size_t width, char fill) {
    if (text.size() < width) text.append(width - text.size(), fill);
    return text;
}

void appendTelemetryRows(const std::vector<TelemetryRow>& rows, std::vector<std::string>& output) {
    const TelemetryRow* previous = nullptr;
    for (const TelemetryRow& row : rows) {
        if (row[TlmWord].empty()) continue;
        if (!previous || row[TlmPort] != (*previous)[TlmPort] || row[TlmSource] != (*previous)[TlmSource] ||
            row[TlmDest] != (*previous)[TlmDest])
            output.emplace_back();
        std::string line = "  Port=" + row[TlmPort] + "  Src=" + row[TlmSource] + "  Dest=" + row[TlmDest] + "  Wd=" + row[TlmWord] +
                           "  Bit=" + row[TlmBit] + "  " + row[TlmName];
        line = padRight(line, 60) + "  Mult=" + row[TlmMult];
        output.push_back(padRight(line, 70) + "  " + row[TlmType]);
        previous = &row;
    }
}

}  // namespace

void appendDisplayPart(DocumentContext& doc) {
    doc.intro.appendSection('D', doc.output);
    for (const DisplayPage& page : indexedDisplays(doc.project.displays)) {
        doc.output.emplace_back();
        doc.output.emplace_back();
        const DisplayHeader& header = page.header;
        doc.output.push_back("DISPLAY NAME=" + header.name + "  Port=" + std::to_string(header.port) + "  DSP#=" +
                             std::to_string(header.number) + "  Font=" + fontName(header.font) + "  Trigger=" + header.trigger);
        doc.output.emplace_back();
        for (const DisplayTextLine& textLine : page.textLines) {
            std::string line = "  " + padWith(textLine.text, 45, '.');
            for (const std::string& slot : displaySlotNames(textLine)) appendWrapped(line, "  " + slot, "     ...", doc.output);
            doc.output.push_back(line);
        }
    }
}

void appendTelemetryPart(DocumentContext& doc) {
    doc.intro.appendSection('T', doc.output);
    // A table of a single row is not sent or received by the controller either.
    if (doc.project.txRows.size() >= 2) {
        doc.output.push_back("TX ARRAYS:");
        appendTelemetryRows(doc.project.txRows, doc.output);
    }
    if (doc.project.rxRows.size() >= 2) {
        doc.output.emplace_back();
        doc.output.push_back("RX ARRAYS:");
        appendTelemetryRows(doc.project.rxRows, doc.output);
    }
}

}  // namespace z7
