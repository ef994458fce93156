#include "compiler/HeaderBlocks.h"

#include "app/Text.h"

#include <string_view>

namespace z7 {

std::vector<std::string> headerFields(const std::string& line) { return splitFields(std::string_view(line).substr(1)); }

bool removeHeaderBlock(std::vector<std::string>& lines, const std::function<bool(const std::string&)>& isHeader) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!isHeader(lines[i])) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !(lines[end].size() > 2 && lines[end][0] == '~')) ++end;
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i), lines.begin() + static_cast<std::ptrdiff_t>(end));
        return true;
    }
    return false;
}

}  // namespace z7
