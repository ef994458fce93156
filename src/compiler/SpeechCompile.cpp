#include "compiler/SpeechCompile.h"

#include "app/Text.h"
#include "compiler/SpeechReports.h"

#include <cctype>
#include <optional>
#include <vector>

namespace z7 {

namespace {

constexpr std::uint32_t HeaderRecordSize = 56;
constexpr int CompiledCells = 14;  // the line enable and the first 13 phrase cells
constexpr int SpeechCardType = 3;

bool startsWithDigit(const std::string& s) { return !s.empty() && std::isdigit(static_cast<unsigned char>(s[0])); }

std::uint32_t leadingNumber(const std::string& s) {
    std::uint32_t n = 0;
    for (char c : s) {
        if (!std::isdigit(static_cast<unsigned char>(c))) break;
        n = n * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return n;
}

class SpeechEmitter {
public:
    explicit SpeechEmitter(CompileContext& context) : context_(context) {}

    void run() {
        for (const std::string& line : context_.project.speechReports) {
            if (line.size() <= 1) continue;
            if (line[0] == '~') startReport(line);
            else if (!emitLine(line)) return;  // a delimiter error ends the whole section
        }
        finishReport();
    }

private:
    struct OpenReport {
        std::size_t insertAt;
        std::uint32_t address;
        int board;
        std::vector<std::string> fields;
    };

    std::string resolve(const std::string& name) {
        if (name.empty()) return {};
        const std::string address = LookupAddress(context_, name);
        if (address.empty()) context_.reportEmitError("Cannot find " + name + " in speech report " + name_);
        return address;
    }

    void startReport(const std::string& line) {
        finishReport();
        const SpeechHeader header = parseSpeechHeader(line);
        name_ = header.name;
        OpenReport report {context_.image.size(), context_.FlashPointer, header.board, {}};
        const auto& cage = context_.project.cardCage.cages[1];
        if (header.board < 1 || header.board > 8 || cage[static_cast<std::size_t>(header.board)] != SpeechCardType)
            context_.reportEmitError("Wrong board number referenced in speech report " + name_);
        context_.FlashPointer += HeaderRecordSize;
        for (const std::string& variable : header.variables) report.fields.push_back(resolve(variable));
        for (const std::string& own : {name_ + ".Seq", name_ + ".Imgend", "@" + name_ + ".DunTrg", "@" + name_ + ".ChgTrg",
                                       name_ + ".HavAlrm"})
            report.fields.push_back(resolve(own));
        open_ = std::move(report);
    }

    void finishReport() {
        if (!open_) return;
        std::string line = hexUpper(open_->address) + "|2336|" + hexUpper(open_->address + HeaderRecordSize) + "|" +
                           hexUpper(context_.FlashPointer) + "|" + hexUpper(static_cast<std::uint32_t>(open_->board)) + "|";
        for (const std::string& field : open_->fields) line += field + "|";
        if (context_.writing()) context_.image.insertAt(open_->insertAt, line + "\\");
        open_.reset();
    }

    // False after a delimiter error.
    bool emitLine(const std::string& text) {
        const SpeechLine cells = parseSpeechLine(text);
        std::vector<std::string> words;
        for (int k = 0; k < CompiledCells; ++k) {
            const std::string& cell = cells[static_cast<std::size_t>(k)];
            if (cell.empty()) {
                if (k > 0) break;
                words.emplace_back();
                continue;
            }
            if (startsWithDigit(cell)) {
                if (k == 0) {
                    context_.reportEmitError("Cannot find " + cell + " in speech report " + name_);
                    break;
                }
                words.push_back(hexUpper(leadingNumber(cell)));
                continue;
            }
            if (!containsChar(cell, ';')) {
                context_.reportEmitError("Delimiter error in speech report " + name_);
                open_.reset();
                return false;
            }
            const bool first = words.empty();
            words.push_back(resolve(speechVariableName(cell)));
            if (!first) words.push_back(hexUpper(speechFormatWord(speechFormat(cell))));
        }
        const std::uint32_t at = context_.FlashPointer;
        context_.FlashPointer += static_cast<std::uint32_t>(words.size()) * 4 + 12;
        std::string line = hexUpper(at) + "|2337|" + hexUpper(context_.FlashPointer) + "|";
        for (const std::string& word : words) line += word + "|";
        context_.appendLine(line + "|\\");
        return true;
    }

    CompileContext& context_;
    std::string name_;
    std::optional<OpenReport> open_;
};

}  // namespace

std::uint32_t speechFormatWord(const std::string& format) {
    if (startsWithDigit(format)) return leadingNumber(format);
    const std::size_t point = format.find('.');
    const std::size_t before = point == std::string::npos ? format.size() : point;
    const std::size_t after = point == std::string::npos ? 0 : format.size() - point - 1;
    return 0xFF000000u + static_cast<std::uint32_t>(before) * 256u + static_cast<std::uint32_t>(after);
}

void EmitSpeechRecords(CompileContext& context) { SpeechEmitter(context).run(); }

void AssignSpeechAddresses(CompileContext& context, int ramPass) {
    if (ramPass != 2) return;
    std::optional<std::string> open;
    int lines = 0;
    auto close = [&] {
        // Every report gets its sequence block, also a first report without lines.
        if (!open) return;
        const RamBlock block = FindRamBlock(context, static_cast<std::uint32_t>(lines / 32 + 3) * 4, *open + ".Seq");
        if (block.found()) {
            context.symbols.addInteger(*open + ".Seq", block.first());
            context.symbols.addInteger(*open + ".Imgend", block.end - 3);
        }
        lines = 1;
    };
    for (const std::string& line : context.project.speechReports) {
        if (line.size() <= 1) continue;
        if (line[0] != '~') {
            ++lines;
            continue;
        }
        close();
        const std::string name = parseSpeechHeader(line).name;
        context.symbols.addTrigger(name + ".DunTrg");
        context.symbols.addTrigger(name + ".ChgTrg");
        const RamBlock block = FindRamBlock(context, 4, name);
        if (block.found()) context.symbols.addStatus(name + ".HavAlrm", block.first());
        open = name;
    }
    close();
}

}  // namespace z7
