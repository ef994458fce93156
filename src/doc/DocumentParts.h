#pragma once
// The parts of the project documentation, each appended to the output lines after its boilerplate.
#include "app/Project.h"
#include "doc/DocIntro.h"
#include "library/ModuleLibrary.h"

#include <functional>
#include <string>
#include <vector>

namespace z7 {

struct DocumentContext {
    const Project& project;
    const ModuleLibrary& library;
    const DocIntro& intro;
    std::vector<int> moduleOrder;  // instance numbers in module order
    std::vector<std::string>& output;
};

void appendIoPart(DocumentContext& doc);
void appendModulePart(DocumentContext& doc);
void appendDisplayPart(DocumentContext& doc);
void appendTelemetryPart(DocumentContext& doc);
void appendLadderPart(DocumentContext& doc);
void appendTablePart(DocumentContext& doc);
void appendSpeechPart(DocumentContext& doc);
void appendDatabaseLists(DocumentContext& doc);
// gauge(value) is told the progress from 50 to 100 as the names are done.
void appendCrossReferencePart(DocumentContext& doc, const std::function<void(int)>& gauge);

// Items of an instance appended to a line of at most about 80 characters: before each item, a line
// longer than 80 characters is output and the next one starts with continuation.
void appendWrapped(std::string& line, const std::string& item, const std::string& continuation, std::vector<std::string>& output);

}  // namespace z7
