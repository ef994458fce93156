#pragma once
// Compiling small sources in tests: the source is written with "\n" line ends.
#include "app/Text.h"
#include "basic/BasicCompiler.h"

#include <string>
#include <string_view>
#include <vector>

namespace z7::test {

struct CompiledBasic {
    std::vector<BasicError> errors;
    std::vector<std::string> object;  // empty with errors
    std::string code;                 // the code lines joined
};

inline CompiledBasic compileBasic(std::string_view source) {
    BasicCompiler compiler;
    CompiledBasic out;
    const bool clean = compiler.compile(splitLines(source));
    out.errors = compiler.errors();
    if (!clean) return out;
    out.object = compiler.objectLines();
    bool inCode = false;
    for (const std::string& line : out.object) {
        if (inCode) out.code += line;
        if (line == "#Flash Code:") inCode = true;
    }
    return out;
}

inline std::string firstError(const CompiledBasic& c) { return c.errors.empty() ? "" : c.errors[0].message; }

}  // namespace z7::test
