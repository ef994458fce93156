#pragma once
// Turns the bytes received in CRC mode into CRC-valid reply frames.
#include <string>
#include <string_view>
#include <vector>

namespace z7 {

class FrameReceiver {
public:
    // Appends the chunk and returns the frame it completes, if any. Once a whole frame is in the
    // buffer the buffer is emptied, valid or not: bytes after the frame are lost.
    std::vector<std::string> feed(std::string_view chunk);
    void clear() { buffer_.clear(); }
    const std::string& buffer() const { return buffer_; }

private:
    std::string buffer_;
};

}  // namespace z7
