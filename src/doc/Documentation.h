#pragma once
// GenerateDocumentation: the project documentation text file, section by section.
#include "app/Project.h"
#include "library/ModuleLibrary.h"

#include <functional>
#include <string>
#include <vector>

namespace z7 {

// "Sections to be included in file:" with their default check marks.
struct DocumentationChoices {
    bool operatingInstructions = true;
    bool ioSetup = true;
    bool moduleSetup = true;
    bool displays = true;
    bool tlmArrays = true;
    bool ladderLogic = true;
    bool tableSetup = true;
    bool speechSetup = true;
    bool databaseLists = false;
    bool crossReference = false;

    static DocumentationChoices all();
    static DocumentationChoices none();
};

// What the progress group shows while the document is generated.
struct DocumentationProgress {
    static constexpr const char* Caption = "Load Progress:";
    static constexpr const char* Label = "Generating documentation...";
    static constexpr unsigned GaugeColour = 0x00FF00;

    std::function<void(const std::string& stepText)> step;  // the repeat label: "I/O...", "Modules...", ...
    std::function<void(int value)> gauge;                   // 0 to 100
};

struct DocumentationSettings {
    std::string systemDirectory;  // where "Docintro.TXT" lies, as a prefix
    bool alphabetizeModules = true;
    DocumentationChoices choices;
    std::string dateTime;  // the header line's date and time
};

// The document's lines; false with a message naming the file when "Docintro.TXT" cannot be read.
bool buildDocumentation(const Project& project, const ModuleLibrary& library, const DocumentationSettings& settings,
                        const DocumentationProgress& progress, std::vector<std::string>& lines, std::string& error);

struct DocumentationResult {
    bool ok = false;
    std::string message;  // the error, or the status text "Documentation file done.  ..."
    std::size_t lineCount = 0;
};

// Builds the document (dated with outputDateTime) and replaces outputPath with it, CR LF lines.
// Nothing is written when the boilerplate is missing or the file cannot be written.
DocumentationResult GenerateDocumentation(const Project& project, const ModuleLibrary& library, DocumentationSettings settings,
                                          const std::string& outputPath, const DocumentationProgress& progress = {});

// The documentation file name offered for a project: its full name followed by ".Txt".
std::string documentationFileNameFor(const std::string& projectFileName);

}  // namespace z7
