#include "doc/Documentation.h"

#include "app/Clock.h"
#include "app/Files.h"
#include "app/Text.h"
#include "compiler/ModuleOrderList.h"
#include "doc/DocIntro.h"
#include "doc/DocumentParts.h"

namespace z7 {

DocumentationChoices DocumentationChoices::all() {
    DocumentationChoices choices;
    choices.databaseLists = choices.crossReference = true;
    return choices;
}

DocumentationChoices DocumentationChoices::none() {
    return {false, false, false, false, false, false, false, false, false, false};
}

std::string documentationFileNameFor(const std::string& projectFileName) { return projectFileName + ".Txt"; }

bool buildDocumentation(const Project& project, const ModuleLibrary& library, const DocumentationSettings& settings,
                        const DocumentationProgress& progress, std::vector<std::string>& lines, std::string& error) {
    lines.clear();
    DocIntro intro;
    if (!DocIntro::load(settings.systemDirectory, intro, error)) return false;
    const auto gauge = [&](int value) {
        if (progress.gauge) progress.gauge(value);
    };
    const auto step = [&](const char* text) {
        if (progress.step) progress.step(text);
    };
    gauge(0);

    lines.push_back("Project Source File: " + fileNameOf(project.fileName) + "  " + settings.dateTime);
    const DocumentationChoices& choices = settings.choices;
    if (choices.operatingInstructions)
        intro.appendSection(project.cardCage.unitType == CardCage::UnitType::ZEX3 ? 'C' : 'B', lines);
    if (!project.projectNotes.empty()) {
        lines.insert(lines.end(), {" ", "PROGRAMMER NOTES:", " "});
        for (const std::string& note : splitLines(project.projectNotes)) lines.push_back(note);
    }
    gauge(5);

    std::vector<int> order = moduleOrder(project, settings.alphabetizeModules);
    std::erase_if(order, [&](int number) { return number < 1 || number > project.instanceCount(); });
    DocumentContext doc {project, library, intro, std::move(order), lines};
    struct Part {
        const char* stepText;
        bool chosen;
        void (*append)(DocumentContext&);
        int gaugeAfter;
    };
    const Part parts[] = {
        {"I/O...", choices.ioSetup, appendIoPart, 10},
        {"Modules...", choices.moduleSetup, appendModulePart, 15},
        {"Displays...", choices.displays, appendDisplayPart, 20},
        {"TLM Arrays...", choices.tlmArrays, appendTelemetryPart, 25},
        {"Ladder...", choices.ladderLogic, appendLadderPart, 30},
        {"Tables...", choices.tableSetup, appendTablePart, 35},
        {"Speech...", choices.speechSetup, appendSpeechPart, 40},
        {"DataBases...", choices.databaseLists, appendDatabaseLists, 50},
    };
    for (const Part& part : parts) {
        step(part.stepText);
        if (part.chosen) part.append(doc);
        gauge(part.gaugeAfter);
    }
    step("Cross references...");
    if (choices.crossReference) appendCrossReferencePart(doc, gauge);
    return true;
}

DocumentationResult GenerateDocumentation(const Project& project, const ModuleLibrary& library, DocumentationSettings settings,
                                          const std::string& outputPath, const DocumentationProgress& progress) {
    DocumentationResult result;
    settings.dateTime = outputDateTime();
    std::vector<std::string> lines;
    if (!buildDocumentation(project, library, settings, progress, lines, result.message)) return result;
    if (!writeLinesAtomic(outputPath, lines, result.message)) return result;
    result.ok = true;
    result.lineCount = lines.size();
    // The file actually written is named, which is the project's name and ".Txt" unless the user chose another.
    result.message = "Documentation file done.  " + std::to_string(lines.size() - 1) + " lines generated in file..." +
                     fileNameOf(outputPath);
    return result;
}

}  // namespace z7
