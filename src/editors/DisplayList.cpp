#include "editors/DisplayList.h"

#include "app/Text.h"
#include "compiler/HeaderBlocks.h"

namespace z7 {

bool isDisplayHeader(const std::string& line) { return isBlockHeader(line); }

DisplayHeader parseDisplayHeader(const std::string& line) {
    const std::vector<std::string> f = headerFields(line);
    auto at = [&](std::size_t i) { return i < f.size() ? f[i] : std::string {}; };
    DisplayHeader h;
    h.name = at(0);
    h.port = intOr(at(1), -1);
    h.number = intOr(at(2), -1);
    h.font = intOr(at(3), 0);
    h.trigger = at(4);
    return h;
}

std::string displayHeaderLine(const DisplayHeader& h) {
    return "~" + h.name + "|" + std::to_string(h.port) + "|" + std::to_string(h.number) + "|" + std::to_string(h.font) + "|" +
           h.trigger + "|";
}

std::array<std::string, DisplaySlots> freeDisplaySlots() {
    std::array<std::string, DisplaySlots> slots;
    for (int k = 0; k < DisplaySlots; ++k) slots[static_cast<std::size_t>(k)] = std::to_string(k + 1);
    return slots;
}

DisplayTextLine parseDisplayTextLine(const std::string& line) {
    const std::vector<std::string> f = splitFields(line);
    DisplayTextLine t;
    t.text = f[0];
    t.slots = freeDisplaySlots();
    for (std::size_t k = 0; k < DisplaySlots && k + 1 < f.size(); ++k) t.slots[k] = f[k + 1];
    return t;
}

std::string displayTextLine(const DisplayTextLine& line) {
    std::string s = line.text;
    for (const std::string& slot : line.slots) s += "|" + slot;
    return s;
}

std::map<std::pair<int, int>, std::size_t> indexDisplays(const std::vector<std::string>& lines) {
    std::map<std::pair<int, int>, std::size_t> index;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!isDisplayHeader(lines[i])) continue;
        const DisplayHeader h = parseDisplayHeader(lines[i]);
        if (h.port < 0 || h.port > MaxDisplayPort || h.number < 0 || h.number > MaxDisplayNumber) continue;
        index[{h.port, h.number}] = i;
    }
    return index;
}

std::vector<DisplayTextLine> displayTextLines(const std::vector<std::string>& lines, std::size_t header) {
    std::vector<DisplayTextLine> text;
    for (std::size_t i = header + 1; i < lines.size() && !isDisplayHeader(lines[i]); ++i)
        text.push_back(parseDisplayTextLine(lines[i]));
    return text;
}

std::vector<std::string> displayListLines(const std::vector<std::string>& lines) {
    const auto index = indexDisplays(lines);
    std::vector<std::string> list;
    if (index.empty()) return list;
    const int highest = index.rbegin()->first.first;
    auto it = index.begin();
    for (int port = 0; port <= highest; ++port) {
        list.push_back("Port " + std::to_string(port) + "...");
        for (; it != index.end() && it->first.first == port; ++it) list.push_back(parseDisplayHeader(lines[it->second]).name);
    }
    return list;
}

bool removeDisplay(std::vector<std::string>& lines, const std::string& name) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!isDisplayHeader(lines[i]) || parseDisplayHeader(lines[i]).name != name) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !isDisplayHeader(lines[end])) ++end;
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i), lines.begin() + static_cast<std::ptrdiff_t>(end));
        return true;
    }
    return false;
}

std::vector<std::string> displayFields(const std::string& text) {
    std::vector<std::string> fields;
    bool inField = false;
    for (char c : text) {
        if (c == '@' && !inField) {
            fields.emplace_back(1, c);
            inField = true;
        } else if (inField && (c == '@' || c == '.')) {
            fields.back() += c;
        } else if (inField) {
            // The character after the field's "@" names its kind ("@T", "@E", ...).
            if (fields.back().size() == 1) fields.back() += c;
            inField = false;
        }
    }
    return fields;
}

}  // namespace z7
