// z7c compile: the project compiler without the window. Prints the error list, writes the image
// only on success.
#include "Commands.h"
#include "Common.h"

#include "app/Clock.h"
#include "app/ProjectFile.h"
#include "compiler/CompileDriver.h"

#include <iostream>

namespace z7c {

namespace {

std::string asDirectory(std::string dir) {
    if (!dir.empty() && dir.back() != '/' && dir.back() != '\\') dir += '/';
    return dir;
}

bool readSwitch(const std::optional<std::string>& value, bool& target) {
    if (!value) return true;
    if (*value != "0" && *value != "1") return false;
    target = *value == "1";
    return true;
}

void printTable(const char* caption, const z7::SymbolTable& table) {
    std::cout << caption << ":\n";
    for (const z7::SymbolRow& row : table.rows()) std::cout << "  " << row.name << "  " << row.address << '\n';
}

void printConstants(const char* caption, const std::vector<z7::ConstantEntry>& column) {
    std::cout << caption << ":\n";
    for (const z7::ConstantEntry& entry : column) std::cout << "  " << entry.text << "  " << entry.address << '\n';
}

void printSymbols(const z7::SymbolTables& symbols) {
    printTable("Floating Pt", symbols.floats);
    printTable("Integer", symbols.integers);
    printTable("Status", symbols.statuses);
    printTable("Strings", symbols.strings);
    printTable("Timers", symbols.timers);
    printTable("Triggers", symbols.triggers);
    printConstants("Integer constants", symbols.constants.column(z7::ConstantKind::Integer));
    printConstants("String constants", symbols.constants.column(z7::ConstantKind::String));
    printConstants("Float constants", symbols.constants.column(z7::ConstantKind::Float));
}

}  // namespace

int runCompile(const Args& arguments) {
    Args args = arguments;
    bool missing = false;
    const auto system = takeOption(args, "--system", missing);
    const auto basic = takeOption(args, "--basic", missing);
    const auto output = takeOption(args, "-o", missing);
    const auto alphabetize = takeOption(args, "--alphabetize", missing);
    const auto flagDuplicates = takeOption(args, "--flag-duplicates", missing);
    const bool save = takeFlag(args, "--save");
    const bool symbols = takeFlag(args, "--symbols");
    z7::Preferences preferences = loadPreferences();
    if (missing || args.size() != 1 || !readSwitch(alphabetize, preferences.alphabetizeModules) ||
        !readSwitch(flagDuplicates, preferences.flagDuplicateNames)) {
        std::cerr << "usage: z7c compile PROJECT.zxn [--system DIR] [--basic DIR] [-o FILE] [--alphabetize 0|1]"
                     " [--flag-duplicates 0|1] [--save] [--symbols]\n";
        return 2;
    }
    if (system) preferences.systemDirectory = asDirectory(*system);
    if (basic) preferences.basicDirectory = asDirectory(*basic);

    z7::ModuleLibrary library;
    if (!loadLibrary(preferences.systemDirectory, library)) return 2;
    z7::Project project;
    const z7::ProjectFileResult read = z7::readProjectFile(args[0], project, library);
    if (!read.ok()) {
        std::cerr << "error: " << read.message << '\n';
        return 2;
    }
    project.fileName = args[0];

    z7::CompileContext context(project, library, z7::CompileSettings::from(preferences));
    const z7::CompileResult result = z7::compileProject(context, output ? *output : std::string {});
    for (const std::string& message : context.errors.messages()) std::cout << message << '\n';
    std::cout << result.statusText << '\n';
    std::cout << project.ramUseText() << "   " << project.flashUseText() << '\n';
    if (result.success) std::cout << "Written " << result.imagePath << '\n';
    if (symbols) printSymbols(context.symbols);

    if (save && project.needToSave) {
        std::string error;
        if (!z7::writeProjectFile(project, library, args[0], z7::outputDateTime(), error)) {
            std::cerr << "error: " << error << '\n';
            return 2;
        }
        std::cout << "Saved RAM assignments to " << args[0] << '\n';
    }
    return result.success ? 0 : 1;
}

}  // namespace z7c
