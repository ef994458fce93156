#include "library/ModuleLibrary.h"

#include "app/Files.h"
#include "app/Text.h"

#include <algorithm>

namespace z7 {

const char* libraryTabCaption(int category) {
    static const char* captions[] = {"", "I/O + System", "Math", "Control", "Statistics", "Commun."};
    return category >= 1 && category <= CategoryCount ? captions[category] : "";
}

const char* projectTabCaption(int category) {
    static const char* captions[] = {"", "I/O + Sys", "Math", "Control", "Stats", "Comm"};
    return category >= 1 && category <= CategoryCount ? captions[category] : "";
}

const Modul& ModuleLibrary::definition(int number) const {
    static const Modul empty {};
    if (number < 1 || number > MaxDefinitions) return empty;
    return definitions_[static_cast<std::size_t>(number)];
}

bool ModuleLibrary::isDefined(int number) const {
    return number >= 1 && number <= MaxDefinitions && defined_[static_cast<std::size_t>(number)];
}

int ModuleLibrary::findDefinitionByName(const std::string& name) const {
    const int last = std::min(lastDefinitionNumber_ + 1, MaxDefinitions);
    for (int n = 1; n <= last; ++n)
        if (definitions_[static_cast<std::size_t>(n)].name == name) return n;
    return 0;
}

void ModuleLibrary::clear() {
    definitions_ = {};
    defined_ = {};
    lastDefinitionNumber_ = 0;
    for (auto& l : lists_) l.clear();
}

static std::size_t countBars(std::string_view s) {
    std::size_t n = 0;
    for (char c : s) n += c == '|';
    return n;
}

// An entry field: code, ".", prompt, ".", suffix (see the library format).
static ModuleEntry parseEntry(const std::string& field) {
    ModuleEntry entry;
    std::size_t rest;
    if (field.size() >= 4 && field[3] == '.') {
        entry.code = field.substr(0, 3) + "S";
        rest = 4;
    } else {
        entry.code = field.substr(0, 4);
        rest = field.size() >= 5 ? 5 : field.size();
    }
    std::string collected;
    for (std::size_t i = rest; i < field.size(); ++i) {
        if (field[i] == '.') {
            entry.prompt = cut(collected, MaxPromptLength);
            collected.clear();
        } else {
            collected += field[i];
        }
    }
    entry.suffix = cut(collected, MaxSuffixLength);
    return entry;
}

void ModuleLibrary::loadFromLines(const std::vector<std::string>& lines, std::vector<std::string>& messages) {
    clear();
    std::size_t next = 0;
    int recordNumber = 0;
    while (next < lines.size()) {
        // Gather one record: lines up to and including the first one holding a backslash.
        std::string record;
        bool complete = false;
        const std::size_t firstLine = next;
        while (next < lines.size()) {
            const std::string& line = lines[next++];
            const bool last = containsChar(line, '\\');
            std::string text;
            text.reserve(line.size());
            for (char c : line)
                if (c != '\\') text += c;
            record += text;
            if (last) {
                complete = true;
                break;
            }
            // A line that leaves the record with exactly three "|" keeps its line break (the description).
            if (countBars(record) == 3) record += "\r\n";
        }
        if (!complete) {  // a final record without "\" is not read
            if (record.find_first_not_of(" \t\r\n") != std::string::npos)
                messages.push_back("Library record at line " + std::to_string(firstLine + 1) +
                                   " is not ended by \"\\\"; record not read.");
            break;
        }
        ++recordNumber;

        std::vector<std::string> fields = splitFields(record);
        fields.pop_back();  // text after the last "|" is ignored
        if (fields.empty()) {
            if (record.find_first_not_of(" \t\r\n") != std::string::npos)
                messages.push_back("Library record at line " + std::to_string(firstLine + 1) +
                                   " has no \"|\" fields; record skipped.");
            continue;
        }
        int number;
        if (!parseInt(fields[0], number)) {
            if (record.find_first_not_of(" \t\r\n") != std::string::npos)
                messages.push_back("Library record at line " + std::to_string(firstLine + 1) +
                                   ": definition number \"" + cut(fields[0], 20) + "\" is not a number; record skipped.");
            continue;
        }
        std::vector<int> numbers;
        bool numbersOk = true;
        if (fields.size() >= 2) {
            for (const std::string& v : splitFields(fields[1], ',')) {
                int value = 0;
                if (!v.empty() && !parseInt(v, value)) numbersOk = false;
                numbers.push_back(value);
            }
        }
        if (!numbersOk) {
            messages.push_back("Library record " + std::to_string(number) + " at line " + std::to_string(firstLine + 1) +
                               ": category or card type list is not a number; record skipped.");
            continue;
        }
        if (number < 1 || number > MaxDefinitions) {
            messages.push_back("Library record " + std::to_string(number) + " at line " + std::to_string(firstLine + 1) +
                               ": definition numbers run from 1 to " + std::to_string(MaxDefinitions) + "; record ignored.");
            continue;
        }

        lastDefinitionNumber_ = number;
        Modul& m = definitions_[static_cast<std::size_t>(number)];
        m = Modul {};
        defined_[static_cast<std::size_t>(number)] = true;
        m.category = numbers.empty() ? 0 : numbers[0];
        for (std::size_t i = 1; i < numbers.size() && i <= m.cardSpec.size(); ++i) m.cardSpec[i - 1] = numbers[i];
        if (fields.size() >= 3) m.name = cut(fields[2], MaxNameLength);
        if (fields.size() >= 4) m.description = fields[3];
        for (std::size_t f = 4; f < fields.size() && f < 4 + MaxEntries; ++f) {
            const std::string& field = fields[f];
            const int entryNumber = static_cast<int>(f) - 3;
            m.entries[static_cast<std::size_t>(entryNumber)] = parseEntry(field);
            const char direction = field.size() >= 2 ? field[1] : ' ';
            if (direction == 'C') ++m.constantCount;
            else if (direction == 'I') ++m.inputCount;
            else if (direction == 'O') ++m.outputCount;
        }
        if (m.category >= 1 && m.category <= CategoryCount) lists_[static_cast<std::size_t>(m.category)].push_back(m.name);
    }
    for (auto& l : lists_) sortNoCase(l);
}

bool ModuleLibrary::load(const std::string& systemDirectory, std::vector<std::string>& messages) {
    std::vector<std::string> lines;
    std::string error;
    const std::string path = systemDirectory + FileName;
    if (!readTextLines(path, lines, error)) {
        clear();
        messages.push_back("Module library " + path + " cannot be read (" + error + "); the library is empty.");
        return false;
    }
    loadFromLines(lines, messages);
    return true;
}

}  // namespace z7
