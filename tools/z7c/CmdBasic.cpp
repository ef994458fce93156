// z7c basic FILE.BAS...: compiles each source into its object file.
#include "Commands.h"

#include "app/Files.h"
#include "basic/BasicCompileCommand.h"

#include <algorithm>
#include <iostream>

int z7c::runBasic(const Args& args) {
    if (args.empty()) {
        std::cerr << "usage: z7c basic FILE.BAS...\n";
        return 2;
    }
    z7::BasicCompiler compiler;
    int status = 0;
    for (const std::string& file : args) {
        std::vector<std::string> lines;
        std::string error;
        if (!z7::readTextLines(file, lines, error)) {
            std::cerr << "z7c: " << error << '\n';
            status = 2;
            continue;
        }
        const z7::BasicCompileOutcome outcome = z7::compileBasicSource(compiler, lines, file);
        for (const z7::BasicError& e : outcome.errors)
            std::cout << file << ':' << e.line + 1 << ": " << e.message << '\n';
        if (outcome.noProgram) {
            std::cout << file << ": " << outcome.statusText << '\n';
            status = std::max(status, 1);
        } else if (!outcome.writeError.empty()) {
            std::cerr << "z7c: " << outcome.writeError << '\n';
            status = 2;
        } else {
            std::cout << outcome.statusText << '\n';
            if (!outcome.errors.empty()) status = std::max(status, 1);
        }
    }
    return status;
}
