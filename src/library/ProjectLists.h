#pragma once
// The lists derived from the whole project: the five project module lists, the six database name
// lists, and the table, speech report and BASIC module lists. Rebuilt after every change of names.
#include "app/Project.h"
#include "library/ModuleLibrary.h"

#include <array>
#include <string>
#include <vector>

namespace z7 {

struct ProjectLists {
    // Project module list lines of categories 1 to 5 (index 0 unused), in project order.
    std::array<std::vector<std::string>, CategoryCount + 1> modules;
    // Database names by DatabaseKind, in the order the sources add them; a name appears as often as
    // the project defines it.
    std::array<std::vector<std::string>, DatabaseKindCount> names;
    std::array<int, DatabaseKindCount> counts {};
    std::vector<std::string> tableNames;        // "Tables in Project:"
    std::vector<std::string> speechReportNames; // "Speech Reports in Project:"
    std::vector<std::string> basicModuleLines;  // "Basic Modules in Project": name "..." file

    const std::vector<std::string>& namesOf(DatabaseKind kind) const { return names[static_cast<std::size_t>(kind)]; }
    // The names of one database as the sorted list shows them.
    std::vector<std::string> sortedNames(DatabaseKind kind) const;
    std::vector<std::string> sortedModules(int category) const;
};

ProjectLists rebuildProjectLists(const Project& project, const ModuleLibrary& library);

// The project module list line of an instance: name "..." definition name, cut as the list does.
std::string instanceListLine(const Jobrecord& instance, const ModuleLibrary& library);
// The first instance whose name is the text of the line before its first period; 0 when none.
int findInstanceByListLine(const Project& project, const std::string& line);

// Size estimate of an instance's block from its bindings; false with the offending input's prompt
// in badInput when a size binding is not a whole number from 0 up to what the controller RAM holds.
bool estimateBlockSize(const Modul& definition, const Jobrecord& instance, int& bytes, std::string& badInput);

// Sources that other editors share.
// Table output names by kind (rule of the table list): appended to lists.
void addTableNames(const std::vector<std::string>& tableLines, ProjectLists& lists);
std::vector<std::string> tableNamesOf(const std::vector<std::string>& tableLines);
std::vector<std::string> speechReportNamesOf(const std::vector<std::string>& reportLines);
// The kind letter of a BASIC output name: f, i, m, n, t or s.
char basicOutputKindLetter(const std::string& name);

}  // namespace z7
