#include "compiler/BasicObjectFile.h"

#include "app/Text.h"

namespace z7 {

bool BasicObjectFile::summaryNumber(int n, std::int32_t& value) const {
    if (n < 1 || static_cast<std::size_t>(n) > summary.size()) return false;
    return parseInt(summary[static_cast<std::size_t>(n - 1)], value);
}

BasicObjectFile parseBasicObjectFile(const std::vector<std::string>& lines) {
    enum class Section { None, Summary, Constants, Code };
    BasicObjectFile object;
    Section section = Section::None;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (section == Section::Code) {
            if (!startsWith(line, "'")) object.codeLines.push_back(line);
            continue;
        }
        // A constant line may start with a string literal's apostrophe; elsewhere it marks a comment.
        if (section == Section::Constants && startsWith(line, "'")) {
            object.constantLines.push_back(line);
            continue;
        }
        if (startsWith(line, "'")) continue;
        if (startsWith(line, "#S")) section = Section::Summary;
        else if (startsWith(line, "#C")) section = Section::Constants;
        else if (startsWith(line, "#F")) section = Section::Code;
        else if (i == 1 && section == Section::Summary) {
            object.hasSummary = true;
            object.summary = splitFields(line);
        } else if (section == Section::Constants) {
            object.constantLines.push_back(line);
        }
    }
    return object;
}

std::string objectFileNameOf(const std::string& sourceFileName) {
    const std::size_t keep = sourceFileName.size() >= 4 ? sourceFileName.size() - 4 : 0;
    return sourceFileName.substr(0, keep) + ".Obj";
}

}  // namespace z7
