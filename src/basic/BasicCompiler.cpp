// The passes of a compile and the object file's lines.
#include "basic/BasicCompiler.h"

namespace z7 {

BasicCompiler::BasicCompiler() { InitTokenList(); }

// The table is shared by every compiler; this builds it before the first compile needs it.
void BasicCompiler::InitTokenList() { findBasicToken("EOL"); }

void BasicCompiler::resetTables() {
    inputs_.clear();
    outputs_.clear();
    locals_.clear();
    labels_.clear();
    constants_.clear();
    variableRows_.clear();
    labelRows_.clear();
    constantRows_.clear();
    outBox_.clear();
    outLine_.clear();
    errors_.clear();
    elseDestination_.fill(0);
    endifDestination_.fill(0);
    blockStack_.fill(0);
}

bool BasicCompiler::compile(const std::vector<std::string>& lines) {
    resetTables();
    for (int pass = 1; pass <= 3; ++pass) {
        startLexing(lines, std::string());
        pass_ = pass;
        location_ = 0;
        // The last line is never a header line.
        while (lines.size() - linesTaken_ > 1) {
            GetNewSourceLine();
            CompileLine();
            if (section_ == "#CODE") break;
        }
        CompileCode();
    }
    source_ = nullptr;
    return errors_.empty();
}

std::vector<std::string> BasicCompiler::objectLines() const {
    std::vector<std::string> lines;
    lines.reserve(outBox_.size() + constants_.size() / 8 + 8);
    lines.push_back("#System Data");
    lines.push_back(std::to_string(4 * (locals_.size() + 1)) + "|" + std::to_string(location_ + 4) + "|" +
                    std::to_string(inputs_.size()) + "|" + std::to_string(outputs_.size()) + "|0");
    lines.push_back("#Constants:");
    std::string line;
    for (const std::string& constant : constants_) {
        if (line.size() > 80) {
            lines.push_back(std::move(line));
            line.clear();
        }
        line += constant;
        line += '|';
    }
    if (!line.empty()) lines.push_back(std::move(line));
    lines.push_back("#Flash Code:");
    lines.insert(lines.end(), outBox_.begin(), outBox_.end());
    if (!outLine_.empty()) lines.push_back(outLine_);
    return lines;
}

}  // namespace z7
