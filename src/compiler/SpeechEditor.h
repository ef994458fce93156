#pragma once
// State and operations of the "Speech Report Setup" window: a display grid (what the user reads:
// phrase texts and variable names) over a value grid (the cells as stored), the header fields, the
// phrase list and the variable format box.
#include "app/Dialogs.h"
#include "app/Project.h"
#include "compiler/SpeechReports.h"
#include "editors/ListsRefresh.h"

#include <array>
#include <string>
#include <vector>

namespace z7 {

// Grid columns: 0 the line number, 1 the line enable, 2 to 15 the phrase cells.
constexpr int SpeechGridColumns = SpeechCells + 1;
constexpr int MinSpeechGridLines = 19;

class SpeechEditor {
public:
    using GridRow = std::array<std::string, SpeechGridColumns>;

    SpeechEditor(Project& project, Dialogs& dialogs, const ListsRefresh& lists);

    void newReport();
    // selected: the chosen line of "Speech Reports in Project:" (empty when none).
    void editReport(const std::string& selected);
    bool save();
    void deleteReport(const std::string& selected);
    bool close();

    void clickCell(int column, int row);
    void insertLine();
    void deleteLine();
    void blankCell();
    // A variable name (phrase 0) or a phrase of the phrase list (its number) dropped on a cell.
    void dropOnGrid(int column, int row, const std::string& text, int phrase = 0);

    // The format box, shown for a variable cell of a phrase column.
    bool formatVisible() const { return formatVisible_; }
    const std::string& formatText() const { return formatText_; }
    void typeFormat(const std::string& text);
    void dropPhraseOnFormat(int phrase);
    void closeFormat();

    void setPhrase(int number, const std::string& text);
    void setName(const std::string& name);
    void setBoard(int board);
    // Report trigger, report stop, line trigger, line select, scan trigger (0 to 4).
    void dropOnVariable(int field, const std::string& name);

    const SpeechHeader& header() const { return header_; }
    const GridRow& displayRow(int row) const { return display_.at(static_cast<std::size_t>(row)); }
    const GridRow& valueRow(int row) const { return values_.at(static_cast<std::size_t>(row)); }
    int gridRows() const { return static_cast<int>(display_.size()); }
    bool visible() const { return visible_; }
    bool changed() const { return project_.entriesChanged; }

private:
    void resetGrids(std::size_t lines);
    void renumber();
    std::string displayTextOf(const std::string& value) const;
    bool validCell(int column, int row) const;
    void edited() { project_.entriesChanged = true; }

    Project& project_;
    Dialogs& dialogs_;
    const ListsRefresh& lists_;
    SpeechHeader header_;
    std::vector<GridRow> display_;  // row 0 holds the headings
    std::vector<GridRow> values_;
    int selectedColumn_ = 1;
    int selectedRow_ = 1;
    bool visible_ = false;
    bool formatVisible_ = false;
    int formatColumn_ = 0;
    int formatRow_ = 0;
    std::string formatText_;
    int formatPhrase_ = 0;
};

}  // namespace z7
