#include "basic/BasicSourceHeader.h"

namespace z7 {

namespace {

bool isNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '!' || c == '$' ||
           c == '%' || c == '(' || c == ')' || c == '[' || c == ']' || c == '\\' || c == '_';
}

BasicHeaderRow headerRow(const std::string& line) {
    BasicHeaderRow row;
    const std::size_t colon = line.find(':');
    const std::size_t start = line.find_first_not_of(" \t");
    const std::size_t end = colon == std::string::npos ? line.size() : colon;
    if (start != std::string::npos && start < end) row.description = line.substr(start, end - start);
    if (colon == std::string::npos) return row;
    std::size_t i = line.find_first_not_of(" \t", colon + 1);
    while (i < line.size() && isNameChar(line[i])) row.name += line[i++];
    return row;
}

}  // namespace

char basicOutputKind(std::string_view name) {
    char kind = 'f';
    for (const char c : name) {
        if (c == '!') kind = kind == 'f' ? 'n' : 't';
        else if (c == '%') kind = kind == 'f' ? 'i' : 'm';
        else if (c == '$') kind = 's';
    }
    return kind;
}

BasicSourceHeader readBasicHeader(const std::vector<std::string>& lines) {
    BasicSourceHeader header;
    char section = 0;
    for (const std::string& line : lines) {
        if (line.empty() || line[0] == '\'') continue;
        if (line[0] == '#') {
            // Upper-cased as the compiler does, so that "#inputs" gives the rows it compiles.
            char word = line.size() > 1 ? line[1] : 0;
            if (word >= 'a' && word <= 'z') word = static_cast<char>(word - 'a' + 'A');
            if (word == 'C') break;
            if (word == 'M' || word == 'O' || word == 'I') section = word;
            continue;
        }
        if (section == 'I') {
            header.inputs.push_back(headerRow(line));
            header.kindLetters += 'I';
        } else if (section == 'O') {
            BasicHeaderRow row = headerRow(line);
            row.kind = basicOutputKind(row.name);
            header.kindLetters += row.kind;
            header.outputSuffixes.push_back("." + row.name);
            header.outputs.push_back(std::move(row));
        } else if (section == 'M') {
            header.description += line;
        }
    }
    return header;
}

}  // namespace z7
