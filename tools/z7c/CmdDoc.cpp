// z7c doc: the project documentation file, as "Document" and "Generate" write it.
#include "Commands.h"
#include "Common.h"

#include "app/ProjectFile.h"
#include "app/Text.h"
#include "doc/Documentation.h"

#include <iostream>
#include <utility>

namespace z7c {

namespace {

constexpr const char* Usage =
    "usage: z7c doc PROJECT.zxn [-o FILE] [--sections LIST | --all] [--system DIR] [--alphabetize 0|1]\n"
    "  LIST: comma-separated of instructions,io,modules,displays,tlm,ladder,tables,speech,lists,xref\n"
    "  (default: every section but lists and xref)\n";

bool applySections(const std::string& list, z7::DocumentationChoices& choices) {
    choices = z7::DocumentationChoices::none();
    const std::pair<const char*, bool z7::DocumentationChoices::*> names[] = {
        {"instructions", &z7::DocumentationChoices::operatingInstructions},
        {"io", &z7::DocumentationChoices::ioSetup},
        {"modules", &z7::DocumentationChoices::moduleSetup},
        {"displays", &z7::DocumentationChoices::displays},
        {"tlm", &z7::DocumentationChoices::tlmArrays},
        {"ladder", &z7::DocumentationChoices::ladderLogic},
        {"tables", &z7::DocumentationChoices::tableSetup},
        {"speech", &z7::DocumentationChoices::speechSetup},
        {"lists", &z7::DocumentationChoices::databaseLists},
        {"xref", &z7::DocumentationChoices::crossReference},
    };
    for (const std::string& word : z7::splitFields(list, ',')) {
        bool known = false;
        for (const auto& [name, member] : names)
            if (word == name) choices.*member = known = true;
        if (!known) {
            std::cerr << "error: unknown section \"" << word << "\"\n";
            return false;
        }
    }
    return true;
}

}  // namespace

int runDoc(const Args& arguments) {
    Args args = arguments;
    bool missing = false;
    const auto output = takeOption(args, "-o", missing);
    const auto sections = takeOption(args, "--sections", missing);
    const auto system = takeOption(args, "--system", missing);
    const auto alphabetize = takeOption(args, "--alphabetize", missing);
    const bool all = takeFlag(args, "--all");
    if (missing || args.size() != 1 || (sections && all) || (alphabetize && *alphabetize != "0" && *alphabetize != "1")) {
        std::cerr << Usage;
        return 2;
    }
    const z7::Preferences preferences = loadPreferences();
    z7::DocumentationSettings settings;
    settings.systemDirectory = system ? *system : preferences.systemDirectory;
    // Directories are prefixes; a directory named on the command line may lack its separator.
    if (system && !system->empty() && system->back() != '/') settings.systemDirectory += '/';
    settings.alphabetizeModules = alphabetize ? *alphabetize == "1" : preferences.alphabetizeModules;
    if (all) settings.choices = z7::DocumentationChoices::all();
    if (sections && !applySections(*sections, settings.choices)) return 2;

    z7::ModuleLibrary library;
    if (!loadLibrary(settings.systemDirectory, library)) return 2;
    z7::Project project;
    const z7::ProjectFileResult read = z7::readProjectFile(args[0], project, library);
    if (!read.ok()) {
        std::cerr << "error: " << read.message << '\n';
        return 2;
    }
    project.fileName = args[0];

    const std::string path = output ? *output : z7::documentationFileNameFor(args[0]);
    const z7::DocumentationResult result = z7::GenerateDocumentation(project, library, settings, path);
    if (!result.ok) {
        std::cerr << "error: " << result.message << '\n';
        return 2;
    }
    std::cout << result.message << '\n';
    return 0;
}

}  // namespace z7c
