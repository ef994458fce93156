// The module part: every instance in module order with its notes and its input and constant values.
#include "app/Text.h"
#include "doc/DocumentParts.h"

#include <algorithm>

namespace z7 {

void appendModulePart(DocumentContext& doc) {
    doc.intro.appendSection('M', doc.output);
    for (int number : doc.moduleOrder) {
        const Jobrecord& instance = doc.project.instance(number);
        const Modul& definition = doc.library.definition(instance.definitionNumber);
        std::string line = instance.name + "..." + definition.name;
        if (!instance.notes.empty()) {
            doc.output.push_back(line + "  PROGRAMMER NOTES:");
            for (const std::string& note : splitLines(instance.notes)) doc.output.push_back(std::string(11, ' ') + note);
            line = "        ...";
        }
        const int items = std::min(definition.inputsAndConstants(), MaxEntries);
        for (int e = 1; e <= items; ++e)
            appendWrapped(line, "  " + definition.entries[static_cast<std::size_t>(e)].prompt + "=" + instance.bindings[static_cast<std::size_t>(e)],
                          "        ...", doc.output);
        doc.output.push_back(line);
    }
}

}  // namespace z7
