#pragma once
// Transmit and receive buffer sizes of the 28 communication port slots (0 to 27), cleared by every
// compile, raised by the module records of modules 31 and 125, the TX/RX arrays and the displays,
// and read when the communication buffer records are written.
#include <array>
#include <cstdint>
#include <optional>

namespace z7 {

struct ComBufferSizes {
    static constexpr int Slots = 28;
    std::array<std::uint32_t, Slots> transmit {};
    std::array<std::uint32_t, Slots> receive {};
    // Start of each buffer's RAM block (-1 when none was found), allocated once per compile in the
    // first emission pass and written again by the second.
    std::array<std::optional<std::int64_t>, Slots> transmitBlock {};
    std::array<std::optional<std::int64_t>, Slots> receiveBlock {};

    void clear() {
        transmit.fill(0);
        receive.fill(0);
        transmitBlock.fill(std::nullopt);
        receiveBlock.fill(std::nullopt);
    }
    static bool validSlot(int slot) { return slot >= 0 && slot < Slots; }
    // Never lowers a size; slots outside 0 to 27 are ignored.
    void raiseTransmit(int slot, std::uint32_t size) {
        if (validSlot(slot) && transmit[static_cast<std::size_t>(slot)] < size) transmit[static_cast<std::size_t>(slot)] = size;
    }
    void raiseReceive(int slot, std::uint32_t size) {
        if (validSlot(slot) && receive[static_cast<std::size_t>(slot)] < size) receive[static_cast<std::size_t>(slot)] = size;
    }
    void setTransmit(int slot, std::uint32_t size) {
        if (validSlot(slot)) transmit[static_cast<std::size_t>(slot)] = size;
    }
};

}  // namespace z7
