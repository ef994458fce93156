#include "doc/CrossReference.h"

#include "app/Text.h"
#include "doc/ProjectLines.h"

#include <algorithm>

namespace z7 {

namespace {

using UseSink = std::function<void(const std::string&, std::string)>;

void moduleUses(const Project& project, const ModuleLibrary& library, const UseSink& use) {
    for (const Jobrecord& instance : project.instances()) {
        const Modul& definition = library.definition(instance.definitionNumber);
        const int items = std::min(definition.inputsAndConstants(), MaxEntries);
        for (int e = 1; e <= items; ++e) {
            const std::string& binding = instance.bindings[static_cast<std::size_t>(e)];
            if (binding.size() >= 4)
                use(binding, "     " + instance.name + "..." + definition.name + "..." +
                                 definition.entries[static_cast<std::size_t>(e)].prompt);
        }
    }
}

void displayUses(const Project& project, const UseSink& use) {
    for (const DisplayPage& page : indexedDisplays(project.displays)) {
        const std::string head = "     Display " + page.header.name;
        use(page.header.trigger, head + "...Display trigger");
        for (const DisplayTextLine& line : page.textLines)
            for (const std::string& slot : displaySlotNames(line)) use(slot, head + "...Displayed variable");
    }
}

void telemetryUses(const Project& project, const UseSink& use) {
    for (const TelemetryRow& row : project.txRows) {
        const int channel = intOr(row[TlmPort], 0);
        use(row[TlmName], "     TX to: Board " + std::to_string(channel / 3) + ", Port " + std::to_string(channel % 3 + 1) +
                              ", Dest " + row[TlmDest] + ", Word " + row[TlmWord]);
    }
}

void ladderUses(const Project& project, const UseSink& use) {
    for (std::size_t r = 0; r < project.ladderRows.size(); ++r) {
        const LadderRung& rung = project.ladderRows[r];
        const std::string head = "     Ladder rung " + std::to_string(r + 1);
        for (int c = 0; c < LadderRung::Columns - 1; ++c) {
            const std::string& text = rung.texts[static_cast<std::size_t>(c)];
            if (text.size() > 4) use(text, head + ", Contact " + std::to_string(c));
        }
        if (rung.onDelay.size() > 4) use(rung.onDelay, head + ", Call delay ");
        if (rung.offDelay.size() > 4) use(rung.offDelay, head + ", Off delay ");
    }
}

void tableUses(const Project& project, const UseSink& use) {
    for (const TableSetup& table : tablesOf(project.tables)) {
        const TableHeader& header = table.header;
        const std::string head = "     Table " + header.name;
        use(header.readSelector, head + "...Read column selector");
        use(header.writeSelector, head + "...Write column selector");
        use(header.writeTrigger, head + "...Write column trigger");
        // The write input and every column: a name in the last column is a use like any other.
        const auto cell = [&](const std::string& text) {
            if (text.size() > 4) use(text, head + "...Variable in cell");
        };
        for (const TableRow& row : table.rows) {
            cell(row.writeInput);
            for (const std::string& text : row.cells) cell(text);
        }
    }
}

std::string speechCellName(const std::string& cell) {
    const std::size_t semicolon = cell.find(';');
    if (semicolon == std::string::npos) return cell;
    const std::string before = cell.substr(0, semicolon);
    const std::size_t start = before.find_first_not_of(" \t");
    return start == std::string::npos ? std::string() : before.substr(start);
}

void speechUses(const Project& project, const UseSink& use) {
    for (const SpeechReportSetup& report : speechReportsOf(project.speechReports)) {
        const std::string head = "     Speech Report " + report.header.name;
        static const char* const roles[] = {"...Report trigger", "...Report stop trigger", "...Line trigger", "...Line select",
                                            "...Scan trigger"};
        for (std::size_t v = 0; v < report.header.variables.size(); ++v) use(report.header.variables[v], head + roles[v]);
        // Every cell of a line, the line enable and all 14 phrase cells.
        for (const SpeechLine& cells : report.lines)
            for (const std::string& cell : cells)
                if (cell.size() > 4) use(speechCellName(cell), head + "...Variable in cell");
    }
}

void basicUses(const Project& project, const UseSink& use) {
    for (const std::string& line : project.basicModules) {
        std::string name;
        for (const std::string& input : basicModuleInputs(line, name)) use(input, "     Basic module..." + name + "...Input");
    }
}

}  // namespace

void forEachUse(const Project& project, const ModuleLibrary& library, const UseSink& use) {
    const UseSink named = [&](const std::string& name, std::string line) {
        if (!name.empty()) use(name, std::move(line));
    };
    moduleUses(project, library, named);
    displayUses(project, named);
    telemetryUses(project, named);
    ladderUses(project, named);
    tableUses(project, named);
    speechUses(project, named);
    basicUses(project, named);
}

void CrossReference(const Project& project, const ModuleLibrary& library, const std::string& name,
                    std::vector<std::string>& output) {
    forEachUse(project, library, [&](const std::string& used, std::string line) {
        if (used == name) output.push_back(std::move(line));
    });
}

CrossReferenceIndex::CrossReferenceIndex(const Project& project, const ModuleLibrary& library) {
    forEachUse(project, library, [this](const std::string& name, std::string line) { uses_[name].push_back(std::move(line)); });
}

void CrossReferenceIndex::append(const std::string& name, std::vector<std::string>& output) const {
    const auto found = uses_.find(name);
    if (found != uses_.end()) output.insert(output.end(), found->second.begin(), found->second.end());
}

}  // namespace z7
