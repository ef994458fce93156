#include "compiler/SpeechEditor.h"

#include "app/ProjectCommands.h"
#include "app/Text.h"

#include <algorithm>

namespace z7 {

namespace {
int phraseNumber(const std::string& text) {
    std::int32_t n = 0;
    return parseInt(text, n) && n >= 1 && n <= SpeechMessageCount ? n : 0;
}
}  // namespace

SpeechEditor::SpeechEditor(Project& project, Dialogs& dialogs, const ListsRefresh& lists)
    : project_(project), dialogs_(dialogs), lists_(lists) {
    resetGrids(MinSpeechGridLines);
}

void SpeechEditor::resetGrids(std::size_t lines) {
    display_.assign(lines + 1, GridRow {});
    values_.assign(lines + 1, GridRow {});
    GridRow& head = display_[0];
    head[0] = "#";
    head[1] = "LINE ENBL";
    for (int k = 1; k <= SpeechPhraseCells; ++k) head[static_cast<std::size_t>(k + 1)] = "PHRASE " + std::to_string(k);
    renumber();
}

void SpeechEditor::renumber() {
    for (std::size_t r = 1; r < display_.size(); ++r) display_[r][0] = std::to_string(r);
}

std::string SpeechEditor::displayTextOf(const std::string& value) const {
    if (value.empty()) return {};
    if (isSpeechVariableCell(value)) return speechVariableName(value);
    const int n = phraseNumber(value);
    return n > 0 ? project_.speechMessages[static_cast<std::size_t>(n)] : std::string {};
}

bool SpeechEditor::validCell(int column, int row) const {
    return column >= 1 && column < SpeechGridColumns && row >= 1 && row < gridRows();
}

void SpeechEditor::newReport() {
    resetGrids(MinSpeechGridLines);
    header_ = SpeechHeader {};
    formatVisible_ = false;
    visible_ = true;
    project_.entriesChanged = false;
}

void SpeechEditor::editReport(const std::string& selected) {
    const std::vector<std::string>& lines = project_.speechReports;
    if (lines.empty()) return;
    if (selected.empty()) {
        dialogs_.error("You must first select an entry");
        return;
    }
    const auto header = std::find_if(lines.begin(), lines.end(),
                                     [&](const std::string& l) { return isSpeechHeader(l) && parseSpeechHeader(l).name == selected; });
    if (header == lines.end()) return;
    header_ = parseSpeechHeader(*header);
    std::vector<SpeechLine> reportLines;
    for (auto it = header + 1; it != lines.end() && !(it->size() > 2 && (*it)[0] == '~'); ++it)
        if (it->size() > 1) reportLines.push_back(parseSpeechLine(*it));
    resetGrids(std::max<std::size_t>(reportLines.size(), MinSpeechGridLines));
    for (std::size_t k = 0; k < reportLines.size(); ++k)
        for (std::size_t c = 0; c < SpeechCells; ++c) {
            values_[k + 1][c + 1] = reportLines[k][c];
            display_[k + 1][c + 1] = displayTextOf(reportLines[k][c]);
        }
    formatVisible_ = false;
    visible_ = true;
    project_.entriesChanged = false;
}

bool SpeechEditor::save() {
    if (header_.name.size() <= 1) {
        dialogs_.error("You must name the report before saving");
        return false;
    }
    // Header and lines are "|" lines of the project.
    if (!acceptStorableText(header_.name, "The report name", dialogs_)) return false;
    for (const std::string& v : header_.variables)
        if (!acceptStorableText(v, "A report variable", dialogs_)) return false;
    for (const GridRow& row : values_)
        for (const std::string& cell : row)
            if (!acceptStorableText(cell, "A report cell", dialogs_)) return false;

    if (removeSpeechReport(project_.speechReports, header_.name)) project_.markChanged();
    project_.speechReports.push_back(speechHeaderLine(header_));
    for (std::size_t r = 1; r < values_.size(); ++r) {
        SpeechLine line;
        std::copy(values_[r].begin() + 1, values_[r].end(), line.begin());
        const std::string text = speechLineText(line);
        if (!text.empty()) project_.speechReports.push_back(text);
    }
    project_.markChanged();
    project_.entriesChanged = false;
    lists_.rebuild(project_);
    return true;
}

void SpeechEditor::deleteReport(const std::string& selected) {
    if (project_.speechReports.empty()) return;
    if (!dialogs_.confirm("Confirm OK to delete?")) return;
    if (selected.empty()) {
        dialogs_.error("You must first select an entry");
        return;
    }
    // Marked changed, or closing the program would not ask to save the deletion.
    if (removeSpeechReport(project_.speechReports, selected)) project_.markChanged();
    lists_.rebuild(project_);
}

bool SpeechEditor::close() {
    if (project_.entriesChanged && !dialogs_.confirm("One or more entries has changed, OK to abandon?")) return false;
    visible_ = false;
    formatVisible_ = false;
    return true;
}

void SpeechEditor::clickCell(int column, int row) {
    if (!validCell(column, row)) return;
    selectedColumn_ = column;
    selectedRow_ = row;
    const std::string& value = values_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    if (column < 2 || !isSpeechVariableCell(value)) return;
    formatColumn_ = column;
    formatRow_ = row;
    const std::string format = speechFormat(value);
    formatPhrase_ = phraseNumber(format);
    formatText_ = formatPhrase_ > 0 ? project_.speechMessages[static_cast<std::size_t>(formatPhrase_)] : format;
    formatVisible_ = true;
}

void SpeechEditor::typeFormat(const std::string& text) {
    formatText_ = text;
    edited();
}

void SpeechEditor::dropPhraseOnFormat(int phrase) {
    if (phrase < 1 || phrase > SpeechMessageCount) return;
    formatPhrase_ = phrase;
    formatText_ = project_.speechMessages[static_cast<std::size_t>(phrase)];
    edited();
}

void SpeechEditor::closeFormat() {
    formatVisible_ = false;
    if (!validCell(formatColumn_, formatRow_)) return;
    std::string& value = values_[static_cast<std::size_t>(formatRow_)][static_cast<std::size_t>(formatColumn_)];
    if (!isSpeechVariableCell(value)) return;
    std::string format;
    if (startsWith(formatText_, "@")) format = formatText_;
    else if (formatPhrase_ > 0) format = std::to_string(formatPhrase_);
    else return;  // neither a picture nor a phrase: the cell keeps its format
    value = speechVariableName(value) + ";" + format;
}

void SpeechEditor::insertLine() {
    const auto at = static_cast<std::ptrdiff_t>(std::clamp(selectedRow_, 1, gridRows() - 1));
    display_.insert(display_.begin() + at, GridRow {});
    values_.insert(values_.begin() + at, GridRow {});
    renumber();
    edited();
}

void SpeechEditor::deleteLine() {
    const auto at = static_cast<std::ptrdiff_t>(std::clamp(selectedRow_, 1, gridRows() - 1));
    display_.erase(display_.begin() + at);
    values_.erase(values_.begin() + at);
    display_.emplace_back();
    values_.emplace_back();
    renumber();
    edited();
}

void SpeechEditor::blankCell() {
    if (!validCell(selectedColumn_, selectedRow_)) return;
    display_[static_cast<std::size_t>(selectedRow_)][static_cast<std::size_t>(selectedColumn_)].clear();
    values_[static_cast<std::size_t>(selectedRow_)][static_cast<std::size_t>(selectedColumn_)].clear();
    edited();
}

void SpeechEditor::dropOnGrid(int column, int row, const std::string& text, int phrase) {
    if (!validCell(column, row)) return;
    display_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
    values_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
        phrase > 0 ? std::to_string(phrase) : text + ";" + DefaultSpeechPicture;
    edited();
}

void SpeechEditor::setPhrase(int number, const std::string& text) {
    if (number < 1 || number > SpeechMessageCount) return;
    project_.speechMessages[static_cast<std::size_t>(number)] = text;
    project_.markChanged();
}

void SpeechEditor::setName(const std::string& name) {
    header_.name = name;
    edited();
}

void SpeechEditor::setBoard(int board) {
    header_.board = board;
    edited();
}

void SpeechEditor::dropOnVariable(int field, const std::string& name) {
    if (field < 0 || field >= static_cast<int>(header_.variables.size())) return;
    header_.variables[static_cast<std::size_t>(field)] = name;
    edited();
}

}  // namespace z7
