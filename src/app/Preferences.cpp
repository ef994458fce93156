#include "app/Preferences.h"

#include "app/Files.h"
#include "app/Text.h"

#include <algorithm>

namespace z7 {

const std::vector<std::string>& portCaptions() {
    static const std::vector<std::string> c = {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"};
    return c;
}
const std::vector<std::string>& baudRateCaptions() {
    static const std::vector<std::string> c = {"300", "1200", "2400", "4800", "9600", "19,200", "38,400"};
    return c;
}
const std::vector<std::string>& protocolCaptions() {
    static const std::vector<std::string> c = {"ASCII", "XModem"};
    return c;
}
const std::vector<std::string>& parityCaptions() {
    static const std::vector<std::string> c = {"None", "Odd", "Even", "Mark"};
    return c;
}
const std::vector<std::string>& wordLengthCaptions() {
    static const std::vector<std::string> c = {"5", "6", "7", "8"};
    return c;
}

std::string Preferences::settingsString() const {
    return std::to_string(port) + std::to_string(baudRate) + std::to_string(protocol) + std::to_string(parity) +
           std::to_string(wordLength) + (alphabetizeModules ? "1" : "0") + (flagDuplicateNames ? "1" : "0");
}

void Preferences::applySettingsString(const std::string& text) {
    const std::string settings = text.size() < 7 ? std::string(DefaultSettings) : text;
    Preferences defaults;
    auto digit = [&](std::size_t at, std::size_t choices, int fallback) {
        const char c = settings[at];
        return c >= '0' && c <= '9' && static_cast<std::size_t>(c - '0') < choices ? c - '0' : fallback;
    };
    port = digit(0, portCaptions().size(), defaults.port);
    baudRate = digit(1, baudRateCaptions().size(), defaults.baudRate);
    protocol = digit(2, protocolCaptions().size(), defaults.protocol);
    parity = digit(3, parityCaptions().size(), defaults.parity);
    wordLength = digit(4, wordLengthCaptions().size(), defaults.wordLength);
    alphabetizeModules = settings[5] != '0';
    flagDuplicateNames = settings[6] != '0';
}

Preferences Preferences::defaultsFor(const std::string& programDirectory) {
    Preferences p;
    p.systemDirectory = programDirectory + "Z7System/";
    p.projectDirectory = programDirectory + "Z7Projct/";
    p.basicDirectory = programDirectory + "Z7Basic/";
    return p;
}

void Preferences::rememberProject(const std::string& path) {
    const auto found = std::find(recentProjects.begin(), recentProjects.end(), path);
    if (found == recentProjects.begin() && found != recentProjects.end()) return;
    if (found != recentProjects.end()) recentProjects.erase(found);
    recentProjects.insert(recentProjects.begin(), path);
    if (recentProjects.size() > MaxRecent) recentProjects.resize(MaxRecent);
}

std::vector<std::string> Preferences::fileLines() const {
    std::vector<std::string> lines = {systemDirectory, projectDirectory, "Spare", basicDirectory, "Spare", settingsString()};
    lines.insert(lines.end(), recentProjects.begin(), recentProjects.end());
    return lines;
}

bool readPreferences(const std::string& programDirectory, Preferences& preferences, std::string& error) {
    const std::string path = programDirectory + Preferences::FileName;
    const Preferences defaults = Preferences::defaultsFor(programDirectory);
    preferences = defaults;
    std::vector<std::string> lines;
    if (!fileExists(path)) {
        const std::vector<std::string> first = {defaults.systemDirectory, defaults.projectDirectory,
                                                programDirectory + "Z7Spares", defaults.basicDirectory,
                                                programDirectory + "Z7Spares", Preferences::DefaultSettings};
        if (!writeLinesAtomic(path, first, error)) return false;
    }
    if (!readTextLines(path, lines, error)) return false;
    auto line = [&](std::size_t n, const std::string& fallback) { return n < lines.size() ? lines[n] : fallback; };
    preferences.systemDirectory = line(0, defaults.systemDirectory);
    preferences.projectDirectory = line(1, defaults.projectDirectory);
    preferences.basicDirectory = line(3, defaults.basicDirectory);
    preferences.applySettingsString(line(5, Preferences::DefaultSettings));
    for (std::size_t n = 6; n < lines.size() && preferences.recentProjects.size() < Preferences::MaxRecent; ++n)
        if (!lines[n].empty()) preferences.recentProjects.push_back(lines[n]);
    return true;
}

bool savePreferences(const std::string& programDirectory, const Preferences& preferences, std::string& error) {
    return writeLinesAtomic(programDirectory + Preferences::FileName, preferences.fileLines(), error);
}

}  // namespace z7
