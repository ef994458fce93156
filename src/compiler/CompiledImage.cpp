#include "compiler/CompiledImage.h"

#include "app/Text.h"

namespace z7 {

bool CompiledImage::insertAt(std::size_t index, std::string line) {
    if (index > lines_.size()) return false;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
    return true;
}

ImageLineBuilder::ImageLineBuilder(CompiledImage* image, std::uint32_t address)
    : image_(image), line_(hexUpper(address) + "|") {}

void ImageLineBuilder::field(const std::string& text) {
    line_ += text;
    line_ += '|';
}

void ImageLineBuilder::breakIfLonger(std::size_t limit, std::uint32_t nextAddress) {
    if (line_.size() <= limit) return;
    close();
    line_ = hexUpper(nextAddress) + "|";
}

void ImageLineBuilder::close() {
    if (image_) image_->append(line_ + "\\");
    line_.clear();
}

}  // namespace z7
