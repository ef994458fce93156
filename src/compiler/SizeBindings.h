#pragma once
// Reading the numbers that size RAM blocks: array counts, string lengths and BASIC field dimensions.
#include <cstdint>
#include <string>

namespace z7 {

constexpr std::int32_t DefaultArrayCount = 10;
constexpr std::int32_t DefaultStringLength = 40;

// The value of a size binding: fallback when empty; false when it is not a whole decimal number
// from 0 to 100000 (value is then the fallback).
bool readSizeBinding(const std::string& binding, std::int32_t fallback, std::int32_t& value);

// Bytes of a string of length characters: (length div 4 + 1) times 4.
inline std::uint32_t stringElementSize(std::int32_t length) { return (static_cast<std::uint32_t>(length) / 4 + 1) * 4; }

// A BASIC parameter field without its letter ("LEVEL(3,4)", "MSG$[20]"): the product of up to ten
// dimensions in round brackets (1 without) and the length in square brackets (-1 without). False
// when a dimension or length is not a whole decimal number.
bool readBasicFieldShape(const std::string& name, std::uint64_t& elements, std::int32_t& length);

}  // namespace z7
