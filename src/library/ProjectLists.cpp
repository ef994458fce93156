#include "library/ProjectLists.h"

#include "app/Text.h"

#include <algorithm>
#include <limits>

namespace z7 {

static void addName(ProjectLists& lists, DatabaseKind kind, std::string name) {
    lists.names[static_cast<std::size_t>(kind)].push_back(std::move(name));
    ++lists.counts[static_cast<std::size_t>(kind)];
}

std::vector<std::string> ProjectLists::sortedNames(DatabaseKind kind) const {
    std::vector<std::string> sorted = namesOf(kind);
    sortNoCase(sorted);
    return sorted;
}

std::vector<std::string> ProjectLists::sortedModules(int category) const {
    std::vector<std::string> sorted = modules.at(static_cast<std::size_t>(category));
    sortNoCase(sorted);
    return sorted;
}

std::string instanceListLine(const Jobrecord& instance, const ModuleLibrary& library) {
    const std::string head = cut(instance.name + "...", 43);
    return cut(head + library.definition(instance.definitionNumber).name, 83);
}

int findInstanceByListLine(const Project& project, const std::string& line) {
    const std::string name = line.substr(0, line.find('.'));
    for (int n = 1; n <= project.instanceCount(); ++n)
        if (project.instance(n).name == name) return n;
    return 0;
}

bool estimateBlockSize(const Modul& definition, const Jobrecord& instance, int& bytes, std::string& badInput) {
    // Sizes are kept within the controller's RAM, so that no sum can overflow.
    constexpr int MaxCount = static_cast<int>(RamSize / 4);
    bytes = 0;
    const int first = definition.inputsAndConstants() + 1;
    for (int e = first; e < first + definition.outputCount && e <= MaxEntries; ++e) {
        const ModuleEntry& entry = definition.entries[static_cast<std::size_t>(e)];
        if (entry.isArray()) {
            int count;
            if (!parseInt(instance.bindings[1], count) || count < 0 || count > MaxCount) {
                badInput = definition.entries[1].prompt;
                return false;
            }
            bytes += 4 * count;
        } else if (entry.databaseLetter() == 'S') {
            int length;
            if (!parseInt(instance.bindings[2], length) || length < 0 || length >= static_cast<int>(RamSize)) {
                badInput = definition.entries[2].prompt;
                return false;
            }
            bytes += (length / 4 + 1) * 4;
        } else {
            bytes += 4;
        }
    }
    return true;
}

std::vector<std::string> tableNamesOf(const std::vector<std::string>& tableLines) {
    std::vector<std::string> names;
    for (const std::string& line : tableLines)
        if (startsWith(line, "~")) names.push_back(fieldAt(line.substr(1), 1));
    return names;
}

void addTableNames(const std::vector<std::string>& tableLines, ProjectLists& lists) {
    if (tableLines.size() < 3) return;
    int valueFields = 0;
    for (const std::string& line : tableLines) {
        if (startsWith(line, "~")) {
            valueFields = intOr(fieldAt(line.substr(1), 6), 0);
            continue;
        }
        if (line.size() < 2 || valueFields <= 0) continue;
        const std::string type = fieldAt(line, 1);
        // A damaged count near the int limit must not overflow: no line has that many fields anyway.
        const std::string output = fieldAt(line, std::min(valueFields, std::numeric_limits<int>::max() - 4) + 4);
        if (output.size() <= 4) continue;
        if (type == "Integer") addName(lists, DatabaseKind::Integer, output);
        else if (type == "Float") addName(lists, DatabaseKind::Float, output);
        else if (type == "String") addName(lists, DatabaseKind::String, output);
        else if (type == "Status") addName(lists, DatabaseKind::Status, output);
    }
}

std::vector<std::string> speechReportNamesOf(const std::vector<std::string>& reportLines) {
    std::vector<std::string> names;
    for (const std::string& line : reportLines)
        if (line.size() >= 2 && line[0] == '~') names.push_back(fieldAt(line.substr(1), 1));
    return names;
}

char basicOutputKindLetter(const std::string& name) {
    char letter = 'f';
    for (char c : name) {
        if (c == '!') letter = letter == 'f' ? 'n' : 't';
        else if (c == '%') letter = letter == 'f' ? 'i' : 'm';
        else if (c == '$') letter = 's';
    }
    return letter;
}

static std::string telemetryName(const TelemetryRow& row) {
    return "P" + row[TlmPort] + "D" + row[TlmDest] + "W" + row[TlmWord] + "B" + row[TlmBit] + "." + row[TlmName];
}

ProjectLists rebuildProjectLists(const Project& project, const ModuleLibrary& library) {
    ProjectLists lists;
    // Module instances and their outputs.
    for (const Jobrecord& instance : project.instances()) {
        if (instance.category >= 1 && instance.category <= CategoryCount)
            lists.modules[static_cast<std::size_t>(instance.category)].push_back(instanceListLine(instance, library));
        const Modul& definition = library.definition(instance.definitionNumber);
        const int first = definition.inputsAndConstants() + 1;
        for (int e = first; e < first + definition.outputCount && e <= MaxEntries; ++e) {
            DatabaseKind kind;
            if (databaseKindOfLetter(definition.entries[static_cast<std::size_t>(e)].databaseLetter(), kind))
                addName(lists, kind, instance.bindings[static_cast<std::size_t>(e)]);
        }
    }
    // The TX and RX views list the telemetry rows only, never module outputs.
    lists.names[static_cast<std::size_t>(DatabaseKind::Tx)].clear();
    lists.counts[static_cast<std::size_t>(DatabaseKind::Tx)] = 0;
    for (const TelemetryRow& row : project.txRows)
        if (!row[TlmType].empty() && !row[TlmName].empty()) addName(lists, DatabaseKind::Tx, telemetryName(row));
    lists.names[static_cast<std::size_t>(DatabaseKind::Rx)].clear();
    lists.counts[static_cast<std::size_t>(DatabaseKind::Rx)] = 0;
    for (const TelemetryRow& row : project.rxRows)
        if (!row[TlmType].empty() && !row[TlmName].empty()) addName(lists, DatabaseKind::Rx, row[TlmName]);
    // Ladder coils.
    for (const LadderRung& rung : project.ladderRows)
        if (!rung.texts[7].empty()) addName(lists, DatabaseKind::Status, rung.texts[7]);
    // Tables.
    addTableNames(project.tables, lists);
    lists.tableNames = tableNamesOf(project.tables);
    // Speech reports.
    lists.speechReportNames = speechReportNamesOf(project.speechReports);
    if (project.speechReports.size() >= 2) {
        for (const std::string& name : lists.speechReportNames) {
            addName(lists, DatabaseKind::Status, name + ".DunTrg");
            addName(lists, DatabaseKind::Status, name + ".ChgTrg");
            addName(lists, DatabaseKind::Status, name + ".HavAlrm");
            addName(lists, DatabaseKind::Integer, name + ".Seq");
        }
    }
    // BASIC module instances.
    for (const std::string& line : project.basicModules) {
        const std::vector<std::string> fields = splitFields(line);
        lists.basicModuleLines.push_back(fieldAt(line, 1) + "..." + fieldAt(line, 2));
        for (std::size_t f = 2; f < fields.size(); ++f) {
            const std::string& field = fields[f];
            if (startsWith(field, "$")) break;
            if (field.empty()) continue;
            const std::string rest = field.substr(1);
            switch (field[0]) {
            case 'f': addName(lists, DatabaseKind::Float, rest); break;
            case 'i': case 'm': addName(lists, DatabaseKind::Integer, rest); break;
            case 'n': case 't': addName(lists, DatabaseKind::Status, rest); break;
            case 's': addName(lists, DatabaseKind::String, rest); break;
            default: break;
            }
        }
    }
    return lists;
}

}  // namespace z7
