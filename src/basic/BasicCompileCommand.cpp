#include "basic/BasicCompileCommand.h"

#include "app/Files.h"
#include "app/Text.h"

#include <algorithm>

namespace z7 {

std::string basicStatusText(std::size_t errorCount) {
    if (errorCount == 0) return "No errors.";
    if (errorCount == 1) return "There is one error";
    return "There are " + std::to_string(errorCount) + " errors.";
}

std::string basicObjectFileName(std::string_view sourceFile) { return replaceExtension(sourceFile, ".Obj"); }

BasicCompileResult compileBasicText(BasicCompiler& compiler, const std::vector<std::string>& lines) {
    BasicCompileResult result;
    if (lines.empty()) {
        result.noProgram = true;
        result.statusText = "No program detected";
        return result;
    }
    const bool clean = compiler.compile(lines);
    result.errors = compiler.errors();
    result.statusText = basicStatusText(result.errors.size());
    if (clean) {
        result.objectLines = compiler.objectLines();
        return result;
    }
    for (const BasicError& e : result.errors) result.redLines.push_back(e.line);
    std::sort(result.redLines.begin(), result.redLines.end());
    result.redLines.erase(std::unique(result.redLines.begin(), result.redLines.end()), result.redLines.end());
    return result;
}

BasicCompileOutcome compileBasicSource(BasicCompiler& compiler, const std::vector<std::string>& lines,
                                       const std::string& sourceFile) {
    BasicCompileOutcome outcome;
    static_cast<BasicCompileResult&>(outcome) = compileBasicText(compiler, lines);
    if (outcome.noProgram || !outcome.errors.empty()) return outcome;

    if (sourceFile.empty()) {
        outcome.statusText = "No errors. Save the text to write its object file.";
        return outcome;
    }
    const std::string objectFile = basicObjectFileName(sourceFile);
    if (objectFile == sourceFile) {
        // A source named *.Obj would be replaced by its own object file.
        outcome.writeError = "The object file would replace its source " + sourceFile;
        outcome.statusText = outcome.writeError;
        return outcome;
    }
    std::string error;
    if (!writeLinesAtomic(objectFile, outcome.objectLines, error)) {
        outcome.writeError = error;
        outcome.statusText = error;
        return outcome;
    }
    outcome.objectFile = objectFile;
    return outcome;
}

BasicCompileResult compileBasicBytes(std::string_view bytes) {
    BasicCompiler compiler;
    return compileBasicText(compiler, splitLines(bytes));
}

}  // namespace z7
