#include "link/FrameReceiver.h"

#include "link/Frames.h"

namespace z7 {

std::vector<std::string> FrameReceiver::feed(std::string_view chunk) {
    std::vector<std::string> frames;
    buffer_ += chunk;
    if (buffer_.size() <= 7) return frames;
    const auto start = buffer_.find_first_of(std::string{static_cast<char>(FrameStart), static_cast<char>(ReplyStart)});
    buffer_.erase(0, start == std::string::npos ? buffer_.size() : start);
    if (buffer_.size() <= 5) return frames;
    const std::size_t length = static_cast<unsigned char>(buffer_[1]);
    if (buffer_.size() < length) return frames;
    // A length below 3 cannot hold a CRC: such a frame is dropped like one with a wrong CRC.
    if (length >= 3 && frameCrcValid(std::string_view(buffer_).substr(0, length))) frames.push_back(buffer_.substr(0, length));
    buffer_.clear();
    return frames;
}

}  // namespace z7
