// z7c project: a summary of a project file, and a write back through the writer.
#include "Commands.h"
#include "Common.h"

#include "app/Clock.h"
#include "app/ProjectFile.h"
#include "library/ProjectLists.h"

#include <iostream>

namespace z7c {

int runProject(const Args& arguments) {
    Args args = arguments;
    bool missing = false;
    const auto resave = takeOption(args, "--resave", missing);
    const auto system = takeOption(args, "--system", missing);
    if (missing || args.size() != 1) {
        std::cerr << "usage: z7c project FILE.zxn [--resave OUT.zxn] [--system DIR]\n";
        return 2;
    }
    const z7::Preferences preferences = loadPreferences();
    z7::ModuleLibrary library;
    loadLibrary(system ? *system : preferences.systemDirectory, library);

    z7::Project project;
    const z7::ProjectFileResult result = z7::readProjectFile(args[0], project, library);
    if (!result.ok()) {
        std::cerr << "error: " << result.message << '\n';
        return 2;
    }

    const auto& cage = project.cardCage;
    std::cout << "Project " << args[0] << '\n';
    std::cout << "Unit type: " << (cage.unitType == z7::CardCage::UnitType::ZEX3 ? "ZEX3" : "ZEX7")
              << "   LCD: " << (cage.lcdType == z7::CardCage::LcdType::Small ? "Small" : "Large") << '\n';
    std::cout << "Saved with OS " << project.versionAtLastSave << " on " << project.dateOfLastSave << '\n';
    for (int c = 1; c <= z7::CardCage::CageCount; ++c) {
        const auto& slots = cage.cages[static_cast<std::size_t>(c)];
        bool any = false;
        for (int v : slots) any = any || v != 0;
        if (!any) continue;
        std::cout << "Cage " << c << ":";
        for (int v : slots) std::cout << ' ' << v;
        std::cout << '\n';
    }
    std::cout << "Module instances: " << project.instanceCount() << '\n';
    for (int n = 1; n <= project.instanceCount(); ++n) {
        const z7::Jobrecord& instance = project.instance(n);
        const z7::Modul& definition = library.definition(instance.definitionNumber);
        std::cout << "  " << n << ' ' << instance.name << " (" << instance.definitionNumber << ' ' << definition.name << ")\n";
        const int first = definition.inputsAndConstants() + 1;
        for (int e = first; e < first + definition.outputCount && e <= z7::MaxEntries; ++e) {
            z7::DatabaseKind kind;
            const auto& entry = definition.entries[static_cast<std::size_t>(e)];
            const char* caption = z7::databaseKindOfLetter(entry.databaseLetter(), kind) ? z7::tabCaptionOf(kind) : "?";
            std::cout << "      " << caption << ": " << instance.bindings[static_cast<std::size_t>(e)] << '\n';
        }
    }
    const z7::ProjectLists lists = z7::rebuildProjectLists(project, library);
    std::cout << "Databases:";
    for (int k = 0; k < z7::DatabaseKindCount; ++k)
        std::cout << "  " << z7::tabCaptionOf(static_cast<z7::DatabaseKind>(k)) << " " << lists.names[static_cast<std::size_t>(k)].size();
    std::cout << '\n';
    std::cout << "Displays: " << project.displays.size() << " lines   TX rows: " << project.txRows.size()
              << "   RX rows: " << project.rxRows.size() << "   Tables: " << lists.tableNames.size()
              << "   Speech reports: " << lists.speechReportNames.size() << "   BASIC modules: " << project.basicModules.size()
              << '\n';

    if (resave) {
        std::string error;
        if (!z7::writeProjectFile(project, library, *resave, z7::outputDateTime(), error)) {
            std::cerr << "error: " << error << '\n';
            return 2;
        }
        std::cout << "Written " << *resave << '\n';
    }
    return 0;
}

}  // namespace z7c
