#include "basic/BasicTokens.h"


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

constexpr std::size_t LongestToken = 7;

// Tokens grouped by length and first character: a lookup compares at most a few entries.
struct TokenBuckets {
    std::vector<int> byKey[LongestToken + 1][256];
    TokenBuckets() {
        for (int i = 0; i < TokenCount; ++i) {
            const std::string_view t = tokenTexts[i];
            byKey[t.size()][static_cast<unsigned char>(t[0])].push_back(i + 1);
        }
    }
};

const TokenBuckets& tokenBuckets() {
    static const TokenBuckets buckets;
    return buckets;
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
    if (text.empty() || text.size() > LongestToken) return 0;
    for (const int n : tokenBuckets().byKey[text.size()][static_cast<unsigned char>(text[0])])
        if (text == tokenTexts[n - 1]) return n;
    return 0;
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
