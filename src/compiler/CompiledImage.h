#pragma once
// The compiled image: the ordered text lines that describe the controller's FLASH record by record.
// Lines are appended, except the few that are completed later and inserted at a remembered index.
#include <cstdint>
#include <string>
#include <vector>

namespace z7 {

class CompiledImage {
public:
    void clear() { lines_.clear(); }
    void append(std::string line) { lines_.push_back(std::move(line)); }
    // Index of the next appended line; remember it to insert a record completed later.
    std::size_t size() const { return lines_.size(); }
    // Inserts before the line at index (at the end when index is size()); false when index is past the end.
    bool insertAt(std::size_t index, std::string line);
    const std::vector<std::string>& lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};

// Builds the data lines of one record: "ADDRESS|field|...|" closed with "\", starting a new line at
// the address of the next word once a line grows past the section's threshold.
class ImageLineBuilder {
public:
    // Lines go to image; a null image discards them (the first emission pass).
    ImageLineBuilder(CompiledImage* image, std::uint32_t address);
    // Appends one word's field followed by "|".
    void field(const std::string& text);
    // Closes the open line with "\" and starts a new one at address when the line is longer than limit.
    void breakIfLonger(std::size_t limit, std::uint32_t nextAddress);
    // Closes the open line with "\".
    void close();
    std::string& current() { return line_; }

private:
    CompiledImage* image_;
    std::string line_;
};

}  // namespace z7
