#include "compiler/SpeechReports.h"

#include "app/Text.h"
#include "compiler/HeaderBlocks.h"

#include <cctype>

namespace z7 {

bool isSpeechHeader(const std::string& line) { return isBlockHeader(line); }

SpeechHeader parseSpeechHeader(const std::string& line) {
    const std::vector<std::string> f = headerFields(line);
    auto at = [&](std::size_t i) { return i < f.size() ? f[i] : std::string {}; };
    SpeechHeader h;
    h.name = at(0);
    for (std::size_t v = 0; v < h.variables.size(); ++v) h.variables[v] = at(v + 1);
    h.board = intOr(at(6), 0);
    return h;
}

std::string speechHeaderLine(const SpeechHeader& h) {
    std::string line = "~" + h.name + "|";
    for (const std::string& v : h.variables) line += v + "|";
    return line + std::to_string(h.board);
}

SpeechLine parseSpeechLine(const std::string& line) {
    const std::vector<std::string> f = splitFields(line);
    SpeechLine cells;
    for (std::size_t k = 0; k < cells.size() && k < f.size(); ++k) cells[k] = f[k];
    return cells;
}

std::string speechLineText(const SpeechLine& line) {
    std::string text = line[0] + "|";
    if (line[0].size() > 1 || !line[1].empty())
        for (std::size_t k = 1; k < line.size(); ++k) text += line[k] + "|";
    return text.size() > 2 ? text : std::string {};
}

bool isSpeechVariableCell(const std::string& cell) {
    return !cell.empty() && !std::isdigit(static_cast<unsigned char>(cell[0]));
}

std::string speechVariableName(const std::string& cell) { return cell.substr(0, cell.find(';')); }

std::string speechFormat(const std::string& cell) {
    const std::size_t semicolon = cell.find(';');
    return semicolon == std::string::npos ? std::string {} : cell.substr(semicolon + 1);
}

bool removeSpeechReport(std::vector<std::string>& lines, const std::string& name) {
    return removeHeaderBlock(lines, [&](const std::string& line) {
        return isSpeechHeader(line) && parseSpeechHeader(line).name == name;
    });
}

}  // namespace z7
