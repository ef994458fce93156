#pragma once
// The project's speech reports as text lines: a header "~name|report trigger|report stop|line
// trigger|line select|scan trigger|board" followed by one line per spoken line: the line enable,
// then (when there is something to say) the 14 phrase cells, each followed by "|".
#include <array>
#include <string>
#include <vector>

namespace z7 {

constexpr int SpeechPhraseCells = 14;
constexpr int SpeechCells = SpeechPhraseCells + 1;  // line enable and the phrase cells
constexpr const char* DefaultSpeechPicture = "@@@.@@";

struct SpeechHeader {
    std::string name;
    std::array<std::string, 5> variables;  // report trigger, report stop, line trigger, line select, scan trigger
    int board = 0;
};

using SpeechLine = std::array<std::string, SpeechCells>;

bool isSpeechHeader(const std::string& line);
SpeechHeader parseSpeechHeader(const std::string& line);
std::string speechHeaderLine(const SpeechHeader& header);
SpeechLine parseSpeechLine(const std::string& line);
// The stored form of a line; lines of two characters or less are not stored.
std::string speechLineText(const SpeechLine& line);

// A variable cell holds "name;format"; anything else starting with a digit is a phrase number.
bool isSpeechVariableCell(const std::string& cell);
std::string speechVariableName(const std::string& cell);
std::string speechFormat(const std::string& cell);

// Removes the first report of that name and its lines; false when there is none.
bool removeSpeechReport(std::vector<std::string>& lines, const std::string& name);

}  // namespace z7
