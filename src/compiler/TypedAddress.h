#pragma once
// The 32-bit word in which every RAM or FLASH address travels through the compiler: the byte
// address in bits 0-23, the ValueType in bits 24-26 and a status bit number in bits 27-30.
#include <cstdint>

namespace z7 {

enum class ValueType : std::uint32_t { Integer = 0, Float = 1, Status = 2, LongInteger = 3, String = 4 };

using TypedAddress = std::uint32_t;

constexpr std::uint32_t AddressMask = 0xFFFFFF;
constexpr std::uint32_t FloatTypeBits = 0x1000000;
constexpr std::uint32_t StatusTypeBits = 0x2000000;
constexpr std::uint32_t LongIntegerTypeBits = 0x3000000;
constexpr std::uint32_t StringTypeBits = 0x4000000;

constexpr std::uint32_t FlashBase = 0x40000;
constexpr std::uint32_t FlashLimit = 0x40000;  // bytes of FLASH an image may use
constexpr std::uint32_t RamBase = 0x40F000;
constexpr std::uint32_t RamLast = 0x440000;    // last RAM byte, inclusive
constexpr std::uint32_t RamLimit = 0x31000;    // bytes of RAM a project may use

constexpr TypedAddress makeTypedAddress(std::uint32_t address, ValueType type, std::uint32_t statusBit = 0) {
    return (address & AddressMask) | (static_cast<std::uint32_t>(type) << 24) | ((statusBit & 15u) << 27);
}
constexpr std::uint32_t addressOf(TypedAddress word) { return word & AddressMask; }
constexpr ValueType valueTypeOf(TypedAddress word) { return static_cast<ValueType>((word >> 24) & 7u); }
constexpr std::uint32_t statusBitOf(TypedAddress word) { return (word >> 27) & 15u; }

}  // namespace z7
