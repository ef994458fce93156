// Arbitrary bytes as a BASIC source: the compile must end in messages or an object file.
#include "basic/BasicCompileCommand.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const z7::BasicCompileResult result =
        z7::compileBasicBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    if (result.errors.size() > z7::BasicCompiler::MaxErrors) std::abort();
    if (result.errors.empty() && !result.noProgram && result.objectLines.empty()) std::abort();
    return 0;
}
