#include "doc/DocIntro.h"

#include "app/Files.h"

namespace z7 {

static bool endsSection(const std::string& line) { return line.size() > 2 && line[0] == '!'; }

DocIntro DocIntro::fromLines(const std::vector<std::string>& lines) {
    DocIntro intro;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& marker = lines[i];
        if (marker.size() < 2 || marker[0] != '!') continue;
        const char letter = marker[1];
        if (intro.sections_.count(letter)) continue;
        std::vector<std::string> body;
        for (std::size_t j = i + 1; j < lines.size() && !endsSection(lines[j]); ++j) body.push_back(lines[j]);
        intro.sections_.emplace(letter, std::move(body));
    }
    return intro;
}

bool DocIntro::load(const std::string& systemDirectory, DocIntro& intro, std::string& error) {
    const std::string path = systemDirectory + FileName;
    std::vector<std::string> lines;
    if (!readTextLines(path, lines, error)) {
        if (error.empty()) error = "Cannot read " + path;
        return false;
    }
    intro = fromLines(lines);
    return true;
}

const std::vector<std::string>& DocIntro::section(char letter) const {
    static const std::vector<std::string> none;
    const auto found = sections_.find(letter);
    return found == sections_.end() ? none : found->second;
}

void DocIntro::appendSection(char letter, std::vector<std::string>& output) const {
    const std::vector<std::string>& lines = section(letter);
    output.insert(output.end(), lines.begin(), lines.end());
}

}  // namespace z7
