#pragma once
// The BASIC keyword and symbol table and the type rule of names.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace z7 {

// Value types of names and expressions.
using BasicType = std::int32_t;
constexpr BasicType BasicInteger = 0;
constexpr BasicType BasicFloat = 1;
constexpr BasicType BasicString = 2;
constexpr BasicType BasicInvalid = 4;

// Lexer field classes.
constexpr int FieldNothing = 0;
constexpr int FieldLiteral = 1;
constexpr int FieldName = 2;
constexpr int FieldMixedName = 3;
constexpr int FieldSymbol = 4;
constexpr int FieldToken = 5;

constexpr int TokenCount = 74;

// Table positions of the tokens the compiler acts on.
constexpr int TokenOpen = 4;
constexpr int TokenClose = 5;
constexpr int TokenTimes = 6;
constexpr int TokenPlus = 7;
constexpr int TokenComma = 8;
constexpr int TokenMinus = 9;
constexpr int TokenDivide = 10;
constexpr int TokenColon = 11;
constexpr int TokenAnd = 24;
constexpr int TokenEnd = 31;
constexpr int TokenElse = 33;
constexpr int TokenEndif = 34;
constexpr int TokenGosub = 37;
constexpr int TokenGoto = 38;
constexpr int TokenIf = 39;
constexpr int TokenNot = 46;
constexpr int TokenEol = 47;
constexpr int TokenOr = 48;
constexpr int TokenReturn = 52;
constexpr int TokenThen = 60;
constexpr int TokenBgt = 64;
constexpr int TokenBge = 65;
constexpr int TokenBeq = 66;
constexpr int TokenBlt = 67;
constexpr int TokenBle = 68;
constexpr int TokenBne = 69;

// The 74 tokens in table order; entry 0 is empty so that numbers start at 1.
const std::vector<std::string>& basicTokenList();
// Table position of an exact, case-sensitive match, or 0.
int findBasicToken(std::string_view text);

// The type of a name from its counts of "%", "!" and "$" (any "." makes it invalid).
BasicType basicTypeOfCounts(int percents, int bangs, int dollars, bool hasPeriod);
BasicType basicTypeOfName(std::string_view name);

}  // namespace z7
