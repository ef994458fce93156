#include "editors/DisplayEditor.h"

#include "app/ProjectCommands.h"
#include "app/Text.h"

#include <algorithm>

namespace z7 {

namespace {
constexpr int SlotItemHeight = 13;
}

DisplayEditor::DisplayEditor(Project& project, Dialogs& dialogs) : project_(project), dialogs_(dialogs) {
    clearSlots();
    refreshList();
}

void DisplayEditor::clearSlots() { slots_.fill(freeDisplaySlots()); }

void DisplayEditor::newDisplay() {
    visible_ = true;
    lines_.clear();
    header_.font = 0;
    header_.name.clear();
    header_.trigger.clear();
    ++header_.number;
    clearSlots();
    caretLine_ = 0;
    changed_ = false;
}

void DisplayEditor::editDisplay(const std::string& selected) {
    if (selected.empty()) {
        dialogs_.error("You must first select an entry");
        return;
    }
    const std::vector<std::string>& lines = project_.displays;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!isDisplayHeader(lines[i]) || parseDisplayHeader(lines[i]).name != selected) continue;
        header_ = parseDisplayHeader(lines[i]);
        lines_.clear();
        clearSlots();
        for (const DisplayTextLine& line : displayTextLines(lines, i)) {
            if (lines_.size() < MaxDisplayLines) slots_[lines_.size()] = line.slots;
            lines_.push_back(line.text);
        }
        caretLine_ = 0;
        visible_ = true;
        changed_ = false;
        return;
    }
}

void DisplayEditor::setText(const std::string& text) {
    lines_ = splitLines(text);
    changed_ = true;
}

void DisplayEditor::moveCaret(std::size_t position) {
    std::size_t sum = 0;
    int line = 0;
    for (; line < static_cast<int>(lines_.size()); ++line) {
        sum += lines_[static_cast<std::size_t>(line)].size() + 2;
        if (sum > position) break;
    }
    caretLine_ = std::clamp(line, 0, MaxDisplayLines - 1);
}

void DisplayEditor::dropOnSlot(int y, const std::string& name) {
    const int slot = y / SlotItemHeight;
    if (y < 0 || slot >= DisplaySlots) return;
    slots_[static_cast<std::size_t>(caretLine_)][static_cast<std::size_t>(slot)] = cut(name, MaxSlotNameLength);
    project_.markChanged();
    changed_ = true;
}

void DisplayEditor::dropOnTrigger(const std::string& name) {
    header_.trigger = name;
    project_.markChanged();
    changed_ = true;
}

void DisplayEditor::setFont(int font) {
    header_.font = std::clamp(font, 0, 2);
    changed_ = true;
}

int DisplayEditor::fontPoints() const {
    static constexpr int points[] = {8, 20, 40};
    return points[std::clamp(header_.font, 0, 2)];
}

bool DisplayEditor::save() {
    if (header_.name.size() < 2) {
        dialogs_.error("You must name the display before saving");
        return false;
    }
    // Header and text lines are "|" lines: a "|" in any of their texts would shift every field.
    if (!acceptStorableText(header_.name, "The display title", dialogs_) ||
        !acceptStorableText(header_.trigger, "The update trigger", dialogs_))
        return false;
    const std::size_t count = std::min<std::size_t>(lines_.size(), MaxDisplayLines);
    for (std::size_t i = 0; i < count; ++i)
        if (!acceptStorableText(lines_[i], "The display text", dialogs_)) return false;

    removeDisplay(project_.displays, header_.name);
    project_.displays.push_back(displayHeaderLine(header_));
    for (std::size_t i = 0; i < count; ++i) {
        DisplayTextLine line {lines_[i], slots_[i]};
        const std::size_t fields = displayFields(line.text).size();
        for (std::size_t k = fields; k < DisplaySlots; ++k) line.slots[k] = std::to_string(k + 1);
        slots_[i] = line.slots;
        project_.displays.push_back(displayTextLine(line));
    }
    refreshList();
    visible_ = false;
    project_.markChanged();
    changed_ = false;
    return true;
}

void DisplayEditor::deleteDisplay(const std::string& selected) {
    if (!dialogs_.confirm("Confirm OK to delete?")) return;
    if (selected.empty()) {
        dialogs_.error("You must first select an entry");
        return;
    }
    removeDisplay(project_.displays, selected);
    refreshList();
    project_.markChanged();
}

bool DisplayEditor::cancel() {
    if (changed_ && !dialogs_.confirm("One or more entries has changed, OK to abandon?")) return false;
    visible_ = false;
    return true;
}

}  // namespace z7
