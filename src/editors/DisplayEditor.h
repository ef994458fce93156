#pragma once
// State and operations of the "Display/Report Editor": one display at a time, its text, the ten
// variable slots of each line and the header fields.
#include "app/Dialogs.h"
#include "app/Project.h"
#include "editors/DisplayList.h"
#include "editors/ListsRefresh.h"

#include <array>
#include <string>
#include <vector>

namespace z7 {

class DisplayEditor {
public:
    DisplayEditor(Project& project, Dialogs& dialogs);

    void newDisplay();
    // selected: the line of "Displays in project:" (empty when none is selected).
    void editDisplay(const std::string& selected);
    // false when the display was not saved (name too short or a text that cannot be stored).
    bool save();
    void deleteDisplay(const std::string& selected);
    // false when the user keeps the edited display.
    bool cancel();

    // The text box: its whole text, one display line per text line.
    void setText(const std::string& text);
    std::vector<std::string> textLines() const { return lines_; }
    // The line that holds the caret, from the caret's character position.
    void moveCaret(std::size_t position);
    int caretLine() const { return caretLine_; }
    // The ten slots of the caret line ("Variables on selected line:").
    const std::array<std::string, DisplaySlots>& caretSlots() const { return slots_[static_cast<std::size_t>(caretLine_)]; }
    const std::array<std::string, DisplaySlots>& slots(int line) const { return slots_.at(static_cast<std::size_t>(line)); }

    // A name dropped on the slot list at a vertical position (13 pixels per slot).
    void dropOnSlot(int y, const std::string& name);
    void dropOnTrigger(const std::string& name);

    DisplayHeader& header() { return header_; }
    const DisplayHeader& header() const { return header_; }
    void setFont(int font);
    // Points of the text box for the font choice.
    int fontPoints() const;
    bool visible() const { return visible_; }
    bool changed() const { return changed_; }
    void markEdited() { changed_ = true; }
    const std::vector<std::string>& displayList() const { return list_; }
    void refreshList() { list_ = displayListLines(project_.displays); }

private:
    void clearSlots();

    Project& project_;
    Dialogs& dialogs_;
    DisplayHeader header_;
    std::vector<std::string> lines_;
    std::array<std::array<std::string, DisplaySlots>, MaxDisplayLines> slots_;
    int caretLine_ = 0;
    bool visible_ = false;
    bool changed_ = false;
    std::vector<std::string> list_;
};

}  // namespace z7
