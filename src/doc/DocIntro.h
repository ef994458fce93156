#pragma once
// The documentation boilerplate "Docintro.TXT": sections of text that the generator inserts before
// the parts of the document, each opened by a marker line "!" followed by the section letter.
#include <map>
#include <string>
#include <vector>

namespace z7 {

class DocIntro {
public:
    static constexpr const char* FileName = "Docintro.TXT";

    // Splits the file's lines into sections. A section runs from the line after its marker up to the
    // next line that begins with "!" and is longer than 2 characters; a bare two-character marker
    // stays inside the section it appears in. Only the first section of a letter counts.
    static DocIntro fromLines(const std::vector<std::string>& lines);
    // Reads directory + "Docintro.TXT"; false with a message naming the file when it cannot be read.
    static bool load(const std::string& systemDirectory, DocIntro& intro, std::string& error);

    // The lines of section letter (empty when the file has none).
    const std::vector<std::string>& section(char letter) const;
    void appendSection(char letter, std::vector<std::string>& output) const;

private:
    std::map<char, std::vector<std::string>> sections_;
};

}  // namespace z7
