#pragma once
// Runs the built z7c as a script would and collects what it says.
#include "support/TempDir.h"

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace z7::test {

inline const std::string BinDir = std::string(Z7_BINARY_DIR) + "/bin/";

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// The arguments need no quoting (our paths have no blanks); standard error goes through a file in dir.
inline Outcome z7c(const std::string& arguments, const TempDir& dir) {
    Outcome run;
    const std::string command = BinDir + "z7c " + arguments + " 2>" + dir.file("stderr.txt");
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = dir.read("stderr.txt");
    return run;
}

}  // namespace z7::test
