#include "ladder/LadderCompile.h"

#include "app/Text.h"
#include "ladder/LadderCell.h"

#include <algorithm>
#include <array>
#include <vector>

namespace z7 {

namespace {

enum Side { Left, Right, Above, Below };

// For each kind 1 to 10 and side: character N is "X" when a neighbour of kind N is an error.
constexpr std::array<std::array<const char*, 4>, 10> ConnectionRules {{
    {"OXOXXOXXXO", "OXOXXXXXXX", "OOXXOOOOOX", "OOXOXXOOOX"},  // 1 blank
    {"XOXOOXOOOX", "XOXOOOOOOO", "OOXXOOOOOX", "OOXOXXOOOX"},  // 2 horizontal
    {"OXOXXOXXXO", "OXOXXXXXXX", "XXOOXXXXXO", "XXOXOOXXXO"},  // 3 vertical
    {"XOXOOXOOOX", "XOXOOOOOOO", "OOXXOOOOOX", "XXOXOOXXXO"},  // 4 down
    {"XOXOOXOOOX", "XOXOOOOOOO", "XXOOXXXXXO", "OOXOXXOOOX"},  // 5 up
    {"XOXOOXOOOX", "OXOXXXXXXX", "XXOOXXXXXO", "OOXOXXOOOX"},  // 6 angle
    {"XOXOOXOOOX", "XOXOOOOOOO", "OOXXOOOOOX", "OOXOXXOOOX"},  // 7 closed contact
    {"XOXOOXOOOX", "XOXOOOOOOO", "OOXXOOOOOX", "OOXOXXOOOX"},  // 8 open contact
    {"XOXOOXOOOX", "XOXXXXXXXX", "OOXXOOOOOX", "OOXOXXOOOX"},  // 9 coil
    {"XOXOOXOOOX", "OXOXXXXXXX", "XXOOXXXXXO", "XXOXOOXXXO"},  // 10 left
}};

constexpr int NoNeighbour = 0;
constexpr std::uint32_t ContactRecordSize = 40;
constexpr std::uint32_t CoilRecordSize = 56;
constexpr std::size_t ContactFields = 7;

bool forbids(int kind, Side side, int neighbour) {
    if (kind < 1 || kind > 10 || neighbour < 1 || neighbour > 10) return false;
    return ConnectionRules[static_cast<std::size_t>(kind - 1)][side][neighbour - 1] == 'X';
}

int gridRowsOf(const Project& project) { return std::clamp(project.ladderGridRows, 0, MaxLadderRows); }

int storedKind(const Project& project, int column, int row) {
    if (row < 0 || row >= MaxLadderRows) return NoNeighbour;
    return project.ladderRows[static_cast<std::size_t>(row)].kinds[static_cast<std::size_t>(column)];
}

int effectiveKind(const Project& project, int column, int row) { return std::max(storedKind(project, column, row), 1); }

std::string rungCell(int row, int column) {
    return " in ladder rung " + std::to_string(row + 1) + ", cell " + std::to_string(column + 1);
}

class RecordWriter {
public:
    explicit RecordWriter(CompileContext& context) : context_(context) { start(); }

    void start() {
        address_ = context_.FlashPointer;
        fields_.clear();
    }
    std::vector<std::string>& fields() { return fields_; }

    // A contact record ("232C" or "232D") ending in the branch status.
    void writeContact(const char* type, const std::string& status) {
        write(type, ContactRecordSize, {status});
    }
    void writeCoil(const std::vector<std::string>& tail) { write("232E", CoilRecordSize, tail); }

private:
    void write(const char* type, std::uint32_t size, const std::vector<std::string>& tail) {
        fields_.resize(ContactFields);
        const std::uint32_t next = address_ + size;
        std::string line = hexUpper(address_) + "|" + type + "|" + hexUpper(next) + "|";
        for (const std::string& f : fields_) line += f + "|";
        for (const std::string& f : tail) line += f + "|";
        context_.appendLine(line + "\\");
        context_.FlashPointer = next;
        start();
    }

    CompileContext& context_;
    std::uint32_t address_ = 0;
    std::vector<std::string> fields_;
};

// The address field of a name: its address text as a word, or empty when it has none.
bool addressField(const CompileContext& context, const std::string& name, std::string& field, bool inverted = false) {
    const std::string text = LookupAddress(context, name);
    if (text.empty()) return false;
    const std::uint32_t word = readHexField(text);
    field = hexUpper(inverted ? word | 0x80000000u : word);
    return true;
}

void compileRung(CompileContext& context, int r, int lastRow) {
    const Project& project = context.project;
    const LadderRung& rung = project.ladderRows[static_cast<std::size_t>(r)];
    RecordWriter record(context);
    for (int c = 0; c < LadderRung::Columns; ++c) {
        const int g = effectiveKind(project, c, r);
        const std::string& text = rung.texts[static_cast<std::size_t>(c)];
        switch (g) {
        case CellBlank:
            if (c == 0) return;
            [[fallthrough]];
        case CellHorizontal:
        case CellVertical:
            record.fields().emplace_back();
            break;
        case CellDown:
        case CellLeft: {
            int angleRow = -1;
            for (int below = r + 1; below <= lastRow && angleRow < 0; ++below)
                if (storedKind(project, c, below) == CellAngle) angleRow = below;
            if (angleRow < 0) break;
            std::string status;
            addressField(context, ladderBranchName(angleRow, c), status);
            record.writeContact("232D", status);
            // Past a down junction the rung goes on with the branch status as its contact.
            if (g == CellDown) {
                record.fields().assign(static_cast<std::size_t>(c), std::string {});
                record.fields().push_back(status);
            }
            break;
        }
        case CellUp:
            break;
        case CellAngle: {
            std::string status;
            addressField(context, ladderBranchName(r, c), status);
            record.writeContact("232C", status);
            return;
        }
        case CellClosed:
        case CellOpen: {
            std::string field;
            if (!addressField(context, text, field, g == CellClosed)) {
                context.reportEmitError("Cannot find " + text + rungCell(r, c));
                return;
            }
            record.fields().push_back(field);
            break;
        }
        case CellCoil: {
            std::string coil, onDelay, offDelay, onTimer, offTimer;
            const std::string rungText = " in ladder rung " + std::to_string(r + 1);
            if (!addressField(context, text, coil)) {
                context.reportEmitError("Cannot find coil " + text + rungCell(r, c));
                return;
            }
            if (!addressField(context, rung.onDelay, onDelay))
                context.reportEmitError("Cannot find ON delay reference " + rung.onDelay + rungText);
            if (!addressField(context, rung.offDelay, offDelay)) {
                context.reportEmitError("Cannot find OFF delay reference " + rung.offDelay + rungText);
                return;
            }
            if (!addressField(context, text + "ONdly", onTimer)) {
                context.reportEmitError("Cannot find ON delay reference " + text + "ONdly" + rungText);
                return;
            }
            addressField(context, text + "OFFdly", offTimer);
            record.writeCoil({coil, onDelay, offDelay, onTimer, offTimer});
            break;
        }
        default:
            break;
        }
    }
}

}  // namespace

std::string ladderBranchName(int row, int column) { return "Ladr." + std::to_string(row) + std::to_string(column); }

bool CheckLadder(CompileContext& context) {
    const Project& project = context.project;
    const int rows = gridRowsOf(project);
    bool ok = true;
    for (int r = 0; r < rows; ++r) {
        const LadderRung& rung = project.ladderRows[static_cast<std::size_t>(r)];
        for (int c = 0; c < LadderRung::Columns; ++c) {
            const int g = effectiveKind(project, c, r);
            const int above = r == 0 ? CellBlank : storedKind(project, c, r - 1);
            const int left = c == 0 ? NoNeighbour : storedKind(project, c - 1, r);
            const int below = r == rows - 2 ? CellBlank : storedKind(project, c, r + 1);
            const int right = c < LadderCoilColumn ? storedKind(project, c + 1, r)
                              : g == CellCoil      ? CellHorizontal
                              : g == CellBlank     ? CellBlank
                                                   : g;
            if (forbids(g, Left, left) || forbids(g, Right, right) || forbids(g, Above, above) ||
                forbids(g, Below, below)) {
                ok = false;
                context.reportEmitError("Schematic error" + rungCell(r, c));
                break;
            }
            if ((g == CellClosed || g == CellOpen || g == CellCoil) && rung.texts[static_cast<std::size_t>(c)].size() <= 2) {
                ok = false;
                context.reportEmitError("Missing tag" + rungCell(r, c));
            }
        }
    }
    return ok;
}

void CompileLadder(CompileContext& context) {
    const int rows = gridRowsOf(context.project);
    for (int r = rows - 1; r >= 0; --r) compileRung(context, r, rows - 1);
}

void AssignLadderStatuses(CompileContext& context, int ramPass) {
    Project& project = context.project;
    const int rows = gridRowsOf(project);
    for (int r = 0; r < rows; ++r) {
        LadderRung& rung = project.ladderRows[static_cast<std::size_t>(r)];
        const std::string& coil = rung.texts[LadderCoilColumn];
        if (ramPass == 2 && !coil.empty()) {
            context.symbols.addTimer(coil + "ONdly");
            context.symbols.addTimer(coil + "OFFdly");
        }
        // The statuses of one rung: its coil, then its angles from the left.
        std::vector<std::string> names;
        if (rung.kinds[LadderCoilColumn] == CellCoil) names.push_back(coil);
        for (int c = 0; c < LadderCoilColumn; ++c)
            if (rung.kinds[static_cast<std::size_t>(c)] == CellAngle) names.push_back(ladderBranchName(r, c));
        if (names.empty()) continue;
        if (ramPass == 1 && rung.statusAddress > 0) {
            ReserveRange(context, rung.statusAddress, rung.statusAddress);
        } else if (ramPass == 2 && rung.statusAddress == 0) {
            const RamBlock block = FindRamBlock(context, 4, names.front());
            if (!block.found()) continue;
            rung.statusAddress = block.first();
            project.markChanged();
        } else {
            continue;
        }
        // The rung keeps one stored word; its statuses take its bits in turn, so that a coil and
        // a branch of the same rung never share one bit.
        for (std::size_t k = 0; k < names.size(); ++k)
            context.symbols.addStatus(names[k], makeTypedAddress(rung.statusAddress, ValueType::Integer,
                                                                 static_cast<std::uint32_t>(k)));
    }
}

void RegisterLadderDelayTexts(CompileContext& context) {
    const Project& project = context.project;
    const int rows = gridRowsOf(project);
    for (int r = 0; r < rows; ++r) {
        const LadderRung& rung = project.ladderRows[static_cast<std::size_t>(r)];
        if (rung.kinds[LadderCoilColumn] != CellCoil) continue;
        context.symbols.constants.registerConstant(rung.onDelay, "XXXX");
        context.symbols.constants.registerConstant(rung.offDelay, "XXXX");
    }
}

}  // namespace z7
