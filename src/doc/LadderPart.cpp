// The ladder part: each drawn rung as a line of cell names over a line of character pictures.
#include "app/Text.h"
#include "doc/DocumentParts.h"

namespace z7 {

namespace {

constexpr int CoilKind = 9;

const char* cellPicture(int kind) {
    switch (kind) {
    case 2: return "------------";
    case 3: return "      |     ";
    case 4: return "------*-----";
    case 6: return "------|     ";
    case 7: return "-----|/|----";
    case 8: return "-----| |----";
    case 9: return "( )";
    case 10: return "------*     ";
    default: return "            ";
    }
}

bool continuesDown(int kind) { return kind == 3 || kind == 4 || kind == 10; }

}  // namespace

void appendLadderPart(DocumentContext& doc) {
    doc.intro.appendSection('L', doc.output);
    const auto& rows = doc.project.ladderRows;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const LadderRung& rung = rows[r];
        if (rung.kinds[0] <= 1) continue;
        std::string names = "  ";
        std::string drawing;
        for (std::size_t c = 0; c < LadderRung::Columns; ++c) {
            const bool wireFromAbove = r > 0 && continuesDown(rows[r - 1].kinds[c]);
            names += padRight(cut(wireFromAbove ? "    |      " : rung.texts[c], 11), 11) + " ";
            drawing += cellPicture(rung.kinds[c]);
        }
        if (rung.kinds[7] == CoilKind) drawing += " ON=" + rung.onDelay + " OFF=" + rung.offDelay;
        doc.output.push_back(names);
        doc.output.push_back(drawing);
    }
}

}  // namespace z7
