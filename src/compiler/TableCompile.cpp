#include "compiler/TableCompile.h"

#include "app/Text.h"
#include "compiler/TableList.h"

#include <vector>

namespace z7 {

namespace {

constexpr std::uint32_t HeaderRecordSize = 48;
constexpr std::size_t RowLineLimit = 120;

enum class RowKind { Integer, Float, String, Status };

// Anything but the other three words is laid out as an integer row.
RowKind kindOf(const std::string& type) {
    if (type == "Float") return RowKind::Float;
    if (type == "String") return RowKind::String;
    if (type == "Status") return RowKind::Status;
    return RowKind::Integer;
}

std::uint32_t stringCellSize(int chars) { return (static_cast<std::uint32_t>(chars) & ~3u) + 8; }

std::uint32_t cellSize(RowKind kind, int chars) { return kind == RowKind::String ? stringCellSize(chars) : 4; }

struct TableLines {
    std::size_t header;
    std::vector<std::size_t> rows;
};

// Tables in list order; lines of one character or less are ignored.
std::vector<TableLines> tablesOf(const std::vector<std::string>& lines) {
    std::vector<TableLines> tables;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].size() <= 1) continue;
        if (lines[i][0] == '~') tables.push_back(TableLines {i, {}});
        else if (!tables.empty()) tables.back().rows.push_back(i);
    }
    return tables;
}

void reportBadSizes(CompileContext& context, const TableHeader& header) {
    context.reportError("Rows, columns and characters must be whole numbers in table " + header.name);
}

}  // namespace

void EmitTableRecords(CompileContext& context) {
    const std::vector<std::string>& lines = context.project.tables;
    if (lines.size() <= 2) return;
    for (const TableLines& table : tablesOf(lines)) {
        if (table.rows.empty()) continue;
        const TableHeader header = parseTableHeader(lines[table.header]);
        if (!header.sizesValid) continue;  // reported by the RAM assignment
        const std::string inTable = " in table " + header.name;
        const std::uint32_t h = context.FlashPointer;
        context.FlashPointer += HeaderRecordSize;
        const std::size_t insertAt = context.image.size();
        std::uint32_t p = header.ramStart;

        for (std::size_t index : table.rows) {
            const TableRow row = parseTableRow(lines[index], header.columns);
            const RowKind kind = kindOf(row.type);
            context.moduleAddresses.append(row.name, context.FlashPointer);
            const std::uint32_t w = context.FlashPointer;
            context.FlashPointer += static_cast<std::uint32_t>(header.columns) * 4 + 20;
            ImageLineBuilder line(context.sink(), w);
            line.field("2335");
            line.field(hexUpper(context.FlashPointer));
            std::vector<const std::string*> fields {&row.writeInput};
            for (const std::string& cell : row.cells) fields.push_back(&cell);
            fields.push_back(&row.output);
            std::uint32_t e = w + 8;
            for (std::size_t f = 0; f < fields.size(); ++f, e += 4) {
                line.breakIfLonger(RowLineLimit, e);
                const std::string& text = *fields[f];
                if (!text.empty()) {
                    const std::string address = kind == RowKind::String ? LookupStringAddress(context, text) : LookupAddress(context, text);
                    if (address.empty()) context.reportEmitError("Cannot find " + text + inTable);
                    line.field(address);
                } else if (f == 0) {
                    line.field("");
                } else {
                    // A blank cell lives in the table's block and can be written at run time.
                    switch (kind) {
                    case RowKind::Integer: line.field(hexUpper(p)); break;
                    case RowKind::Float: line.field(hexUpper(p | FloatTypeBits)); break;
                    case RowKind::String: line.field(hexUpper(p | StringTypeBits)); break;
                    case RowKind::Status: line.field(hexUpper(p | StatusTypeBits)); break;
                    }
                    p += cellSize(kind, header.chars);
                }
            }
            line.field(LookupStringAddress(context, row.name));
            line.close();
        }

        const std::string read = LookupAddress(context, header.readSelector);
        if (read.empty()) context.reportEmitError("Cannot find read column index for " + header.name);
        std::string write;
        if (!header.writeSelector.empty()) {
            write = LookupAddress(context, header.writeSelector);
            if (write.empty()) context.reportEmitError("Cannot find write column index for " + header.name);
        }
        std::string trigger;
        if (!header.writeTrigger.empty()) {
            trigger = LookupAddress(context, header.writeTrigger);
            if (trigger.empty()) context.reportEmitError("Cannot find write trigger for " + header.name);
        }
        if (context.writing())
            context.image.insertAt(insertAt, hexUpper(h) + "|2334|" + hexUpper(h + HeaderRecordSize) + "|" +
                                                 hexUpper(context.FlashPointer) + "|" + read + "|" + write + "|" + trigger + "|" +
                                                 hexUpper(static_cast<std::uint32_t>(header.rows)) + "|" +
                                                 hexUpper(static_cast<std::uint32_t>(header.columns)) + "|" +
                                                 hexUpper(static_cast<std::uint32_t>(header.chars)) + "|" + hexUpper(header.ramStart) +
                                                 "|" + hexUpper(p) + "|" + LookupStringAddress(context, header.name) + "|\\");
    }
}

void AssignTableAddresses(CompileContext& context, int ramPass) {
    std::vector<std::string>& lines = context.project.tables;
    if (lines.size() <= 2) return;
    for (const TableLines& table : tablesOf(lines)) {
        const TableHeader header = parseTableHeader(lines[table.header]);
        if (!header.sizesValid) {
            if (ramPass == 1) reportBadSizes(context, header);
            continue;
        }
        if (ramPass == 2) context.symbols.constants.registerConstant(header.name, "XXXX");
        const std::uint32_t start = header.ramStart;
        if (ramPass == 1 && start != 0 && header.ramEnd > 0) ReserveRange(context, start, header.ramEnd);
        std::uint32_t s = start;
        for (std::size_t index : table.rows) {
            const TableRow row = parseTableRow(lines[index], header.columns);
            const RowKind kind = kindOf(row.type);
            if (row.name.empty()) {
                // Such a row still gets a record whose blank cells and output come from the block:
                // the block must hold them.
                for (const std::string& cell : row.cells)
                    if (cell.empty()) s += cellSize(kind, header.chars);
                s += cellSize(kind, header.chars);
                continue;
            }
            if (ramPass == 1) context.symbols.constants.registerConstant(row.name, "XXXX");
            for (const std::string& cell : row.cells) {
                if (cell.empty()) s += cellSize(kind, header.chars);
                else if (ramPass == 1) context.symbols.constants.registerConstant(cell, kind == RowKind::String ? "SXXX" : "XXXX");
            }
            if (ramPass == 2) {
                const RamBlock block = FindRamBlock(context, cellSize(kind, header.chars), row.output);
                if (block.found()) {
                    switch (kind) {
                    case RowKind::Integer: context.symbols.addInteger(row.output, block.first()); break;
                    case RowKind::Float: context.symbols.addFloat(row.output, block.first()); break;
                    case RowKind::String: context.symbols.addString(row.output, block.first()); break;
                    case RowKind::Status: context.symbols.addStatus(row.output, block.first()); break;
                    }
                }
            }
            s += cellSize(kind, header.chars);
        }
        if (ramPass == 3 && start == 0) {
            const RamBlock block = FindRamBlock(context, s, "table " + header.name);
            if (!block.found()) continue;
            // The header keeps its first eight fields; the block bounds follow them.
            std::string& line = lines[table.header];
            std::size_t from = 0;
            int bars = 0;
            for (; bars < 8; ++bars) {
                const std::size_t bar = line.find('|', from);
                if (bar == std::string::npos) break;
                from = bar + 1;
            }
            line = line.substr(0, from) + std::string(static_cast<std::size_t>(8 - bars), '|') + "$" +
                   hexUpper(block.first()) + "|$" + hexUpper(block.end) + "|";
            context.project.markChanged();
        }
    }
}

}  // namespace z7
