#pragma once
// Z7Setup.ini in the program directory: the three directories, the link settings, the two compiler
// options and the recent projects.
#include <string>
#include <vector>

namespace z7 {

struct Preferences {
    std::string systemDirectory;
    std::string projectDirectory;
    std::string basicDirectory;
    // Radio indices of the settings string.
    int port = 0;        // 0 "COM1" to 7 "COM8"
    int baudRate = 4;    // 0 "300", 1 "1200", 2 "2400", 3 "4800", 4 "9600", 5 "19,200", 6 "38,400"
    int protocol = 0;    // 0 "ASCII", 1 "XModem"
    int parity = 0;      // 0 "None", 1 "Odd", 2 "Even", 3 "Mark"
    int wordLength = 3;  // 0 "5", 1 "6", 2 "7", 3 "8"
    bool alphabetizeModules = true;
    bool flagDuplicateNames = true;
    std::vector<std::string> recentProjects;  // most recent first, at most 10

    static constexpr const char* FileName = "Z7Setup.ini";
    static constexpr const char* DefaultSettings = "0400311";
    static constexpr std::size_t MaxRecent = 10;

    std::string settingsString() const;
    // A string shorter than seven characters means the defaults; a bad character keeps that default.
    void applySettingsString(const std::string& settings);
    // The defaults of a first start in this program directory.
    static Preferences defaultsFor(const std::string& programDirectory);

    // Puts path first in the recent list (unchanged when it is already first), at most ten entries.
    void rememberProject(const std::string& path);

    std::vector<std::string> fileLines() const;
};

// Reads programDirectory + Z7Setup.ini, creating it with the defaults when it is missing.
// Missing or bad lines fall back to the defaults. False (with error) only when the file can be
// neither read nor created; the defaults are used then.
bool readPreferences(const std::string& programDirectory, Preferences& preferences, std::string& error);
bool savePreferences(const std::string& programDirectory, const Preferences& preferences, std::string& error);

// Captions of the radio items, for the window and messages.
const std::vector<std::string>& portCaptions();
const std::vector<std::string>& baudRateCaptions();
const std::vector<std::string>& protocolCaptions();
const std::vector<std::string>& parityCaptions();
const std::vector<std::string>& wordLengthCaptions();

}  // namespace z7
