#include "basic/BasicTokens.h"

#include <unordered_map>

namespace z7 {

namespace {

const char* const tokenTexts[TokenCount] = {
    "\"",    "#",     "&",     "(",     ")",    "*",      "+",     ",",     "-",     "/",    ":",
    ";",     "<",     "=",     ">",     "?",    "@",      "[",     "]",     "^",     "{",    "}",
    "ABS",   "AND",   "ASC",   "ATN",   "CHR$", "COS",    "DATA",  "DIM",   "END",   "EXP",  "ELSE",
    "ENDIF", "FOR",   "GET",   "GOSUB", "GOTO", "IF",     "INT",   "LEFT$", "LEN",   "LOG10", "MID$",
    "NEXT",  "NOT",   "EOL",   "OR",    "PRINT", "READ",  "RESTORE", "RETURN", "RIGHT$", "RND", "SGN",
    "SQR",   "STEP",  "STR$",  "TAN",   "THEN", "TO",     "VAL",   "XOR",   "BGT",   "BGE",  "BEQ",
    "BLT",   "BLE",   "BNE",   "SIN",   "ATAN", "ACOS",   "ASIN",  "LN"};

const std::unordered_map<std::string_view, int>& tokenIndex() {
    static const std::unordered_map<std::string_view, int> index = [] {
        std::unordered_map<std::string_view, int> m;
        for (int i = 0; i < TokenCount; ++i) m.emplace(tokenTexts[i], i + 1);
        return m;
    }();
    return index;
}

}  // namespace

const std::vector<std::string>& basicTokenList() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> v(1);
        v.insert(v.end(), std::begin(tokenTexts), std::end(tokenTexts));
        return v;
    }();
    return list;
}

int findBasicToken(std::string_view text) {
    const auto& index = tokenIndex();
    const auto it = index.find(text);
    return it == index.end() ? 0 : it->second;
}

BasicType basicTypeOfCounts(int percents, int bangs, int dollars, bool hasPeriod) {
    if (hasPeriod) return BasicInvalid;
    if (percents == 0 && bangs == 0 && dollars == 0) return BasicFloat;
    if (dollars > 0) return percents == 0 && bangs == 0 ? BasicString : BasicInvalid;
    if (percents > 0 && bangs > 0) return BasicInvalid;
    return percents <= 2 && bangs <= 2 ? BasicInteger : BasicInvalid;
}

BasicType basicTypeOfName(std::string_view name) {
    int percents = 0, bangs = 0, dollars = 0;
    bool period = false;
    for (const char c : name) {
        percents += c == '%';
        bangs += c == '!';
        dollars += c == '$';
        period = period || c == '.';
    }
    return basicTypeOfCounts(percents, bangs, dollars, period);
}

}  // namespace z7
