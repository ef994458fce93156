#pragma once
// Reading a BASIC object file for linking: the numbers of its summary line, the texts of its
// constant section and its code lines.
#include <cstdint>
#include <string>
#include <vector>

namespace z7 {

struct BasicObjectFile {
    bool hasSummary = false;    // the second line lies in the summary section
    std::vector<std::string> summary;  // fields of the second line
    std::vector<std::string> constantLines;
    std::vector<std::string> codeLines;  // after "#F", comments left out

    // Summary field n (from 1) as a whole number; false when absent or not a number.
    bool summaryNumber(int n, std::int32_t& value) const;
};

// Splits object file lines into their sections. Outside the constant section a line starting with an
// apostrophe is a comment; there it starts with a string literal.
BasicObjectFile parseBasicObjectFile(const std::vector<std::string>& lines);

// The object file name of a BASIC source: its name without the last four characters, then ".Obj".
std::string objectFileNameOf(const std::string& sourceFileName);

}  // namespace z7
