#pragma once
// The project's own reading of a BASIC source's header: the rows of a BASIC module instance.
// It does not compile the source.
#include <string>
#include <string_view>
#include <vector>

namespace z7 {

struct BasicHeaderRow {
    std::string description;  // the text before the ":", leading blanks and tabs dropped
    std::string name;         // as written after the ":", dimensions included (FLOW(4), MSG$[20])
    char kind = 'I';          // "I" for inputs, the output kind letter for outputs
};

struct BasicSourceHeader {
    std::vector<BasicHeaderRow> inputs;
    std::vector<BasicHeaderRow> outputs;
    std::string description;                 // the "#MODULE" lines, joined without separators
    std::string kindLetters;                 // one per row, in file order
    std::vector<std::string> outputSuffixes;  // "." + output name, in order
};

// Kind letter of an output: f float, i integer, m timer, n status, t trigger, s string.
char basicOutputKind(std::string_view name);

BasicSourceHeader readBasicHeader(const std::vector<std::string>& lines);

}  // namespace z7
