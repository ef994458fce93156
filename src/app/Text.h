#pragma once
// Text helpers shared by every subsystem: "|" fields, cutting, hexadecimal, numbers, line splitting.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace z7 {

// Splits at every separator; the text after the last separator is the last piece (possibly empty).
std::vector<std::string> splitFields(std::string_view line, char separator = '|');

// Field n (counted from 1) of a "|" line, or empty when the line has fewer fields.
std::string fieldAt(std::string_view line, int n, char separator = '|');

// At most n characters of s.
std::string cut(std::string_view s, std::size_t n);

// Upper-case hexadecimal without prefix or leading zeros ("0" for zero).
std::string hexUpper(std::uint32_t value);

// Skips a leading "$", then takes the digits 0-9 and A-F (upper case), most significant first,
// up to the first other character.
std::uint32_t readHexField(std::string_view text);

// A whole decimal integer: optional blanks, optional sign, digits, optional blanks; fits in 32 bits.
bool parseInt(std::string_view text, std::int32_t& value);
// The integer value of text, or fallback when it is not a whole decimal number.
std::int32_t intOr(std::string_view text, std::int32_t fallback);

bool startsWith(std::string_view s, std::string_view prefix);
bool containsChar(std::string_view s, char c);

std::string lowerAscii(std::string_view s);
// Compares byte by byte after lowering the ASCII letters: <0, 0, >0.
int compareNoCase(std::string_view a, std::string_view b);
inline bool lessNoCase(std::string_view a, std::string_view b) { return compareNoCase(a, b) < 0; }
// Stable sort of names, ignoring the case of ASCII letters.
void sortNoCase(std::vector<std::string>& names);

// Splits a text into lines at CR LF, lone CR or lone LF. A final line break adds no empty line.
std::vector<std::string> splitLines(std::string_view text);
// Joins lines, each followed by the given line end.
std::string joinLines(const std::vector<std::string>& lines, std::string_view lineEnd = "\r\n");

// Notes are stored on one line: CR becomes "\", LF is dropped; reading turns "\" back into CR LF.
std::string encodeNotes(std::string_view text);
std::string decodeNotes(std::string_view text);

// Pads with blanks on the right to width characters.
std::string padRight(std::string_view s, std::size_t width);

}  // namespace z7
