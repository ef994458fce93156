#pragma once
// The editor's "Compile" command without the window: compile the text, report the errors and the
// status text, and on success write the object file next to the source.
#include "basic/BasicCompiler.h"

#include <string>
#include <string_view>
#include <vector>

namespace z7 {

struct BasicCompileResult {
    bool noProgram = false;                // the text has no lines: "No program detected"
    std::vector<BasicError> errors;        // in the order found
    std::vector<int> redLines;             // 0-based, ascending, each once
    std::string statusText;                // status bar panel 4
    std::vector<std::string> objectLines;  // empty when there are errors
};

struct BasicCompileOutcome : BasicCompileResult {
    std::string objectFile;     // where the object file was written, or empty
    std::string writeError;     // the file could not be written
};

// "No errors.", "There is one error", "There are " n " errors."
std::string basicStatusText(std::size_t errorCount);

// The source name with only its extension replaced by ".Obj".
std::string basicObjectFileName(std::string_view sourceFile);

// The pure compile: nothing is written.
BasicCompileResult compileBasicText(BasicCompiler& compiler, const std::vector<std::string>& lines);

// The compile command. Without a source file name (a text never saved) the text is compiled and
// its errors reported, but no object file is written. With errors an existing object file is
// left as it was.
BasicCompileOutcome compileBasicSource(BasicCompiler& compiler, const std::vector<std::string>& lines,
                                       const std::string& sourceFile);

// Any bytes as a source text (lines split at CR LF, CR or LF), compiled without writing.
BasicCompileResult compileBasicBytes(std::string_view bytes);

}  // namespace z7
