#pragma once
// The compile command: turns the open project into the compiled image and, on success, writes it
// to the SYSTEM directory as "Intermed.Obj".
#include "compiler/CompileContext.h"

#include <string>

namespace z7 {

struct CompileResult {
    bool success = false;
    bool halted = false;
    std::string statusText;  // "Done compiling...no errors", "Done compiling...errors", "Compile halted by user"
    std::string imagePath;   // the file written on success
};

// Runs the whole compile on context.project. Messages end up in context.errors (with "No errors"
// on success); the image in context.image; the symbol tables stay filled. outputPath overrides
// the SYSTEM directory's "Intermed.Obj" when not empty. On success needToCompile is cleared and
// the project's RAM and FLASH use are updated.
CompileResult compileProject(CompileContext& context, const std::string& outputPath = {});

constexpr const char* ImageFileName = "Intermed.Obj";

}  // namespace z7
