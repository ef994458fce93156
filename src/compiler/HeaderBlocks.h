#pragma once
// Line lists made of blocks: a "~" header line followed by the lines that belong to it (tables,
// speech reports).
#include <functional>
#include <string>
#include <vector>

namespace z7 {

// Removes the first block whose header line isHeader accepts; the block ends before the next line
// of more than two characters that begins with "~". False when no header matched.
bool removeHeaderBlock(std::vector<std::string>& lines, const std::function<bool(const std::string&)>& isHeader);

}  // namespace z7
