#pragma once
// Line lists made of blocks: a "~" header line followed by the lines that belong to it (displays,
// tables, speech reports).
#include <functional>
#include <string>
#include <vector>

namespace z7 {

// A header line: "~" followed by at least one character.
inline bool isBlockHeader(const std::string& line) { return line.size() > 1 && line[0] == '~'; }
// The "|" fields of a header line after its "~".
std::vector<std::string> headerFields(const std::string& line);

// Removes the first block whose header line isHeader accepts; the block ends before the next line
// of more than two characters that begins with "~". False when no header matched.
bool removeHeaderBlock(std::vector<std::string>& lines, const std::function<bool(const std::string&)>& isHeader);

}  // namespace z7
