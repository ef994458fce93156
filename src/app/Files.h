#pragma once
// File access for every subsystem. Files that the program replaces are written to a temporary file
// in the same folder, flushed and renamed over the old one: a crash or a full disk never leaves half
// a file. Failures come back as a message naming the file, never as an exception.
#include <string>
#include <string_view>
#include <vector>

namespace z7 {

bool fileExists(const std::string& path);
bool readFileBytes(const std::string& path, std::string& bytes, std::string& error);
// Lines split at CR LF, lone CR or lone LF.
bool readTextLines(const std::string& path, std::vector<std::string>& lines, std::string& error);
bool writeFileAtomic(const std::string& path, std::string_view bytes, std::string& error);
// Each line followed by lineEnd.
bool writeLinesAtomic(const std::string& path, const std::vector<std::string>& lines, std::string& error,
                      std::string_view lineEnd = "\r\n");

// Path pieces; "/" and "\" both count as separators.
std::string directoryOf(std::string_view path);  // up to and including the last separator
std::string fileNameOf(std::string_view path);   // after the last separator
// The path with the extension of its file-name part replaced (or added): ext includes the period.
std::string replaceExtension(std::string_view path, std::string_view ext);
// The extension of the file-name part without its period, or empty.
std::string extensionOf(std::string_view path);

// The directory of the running program, ending in "/".
std::string programDirectory();

}  // namespace z7
