// Arbitrary bytes from the serial line, in arbitrary chunks: frames come out whole or not at all.
#include "link/FrameReceiver.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    z7::FrameReceiver receiver;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    while (!bytes.empty()) {
        const std::size_t chunk = 1 + static_cast<unsigned char>(bytes[0]) % 17;
        const std::string_view piece = bytes.substr(0, chunk);
        bytes.remove_prefix(piece.size());
        for (const std::string& frame : receiver.feed(piece))
            if (frame.empty()) std::abort();
    }
    return 0;
}
