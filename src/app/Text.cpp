#include "app/Text.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace z7 {

std::vector<std::string> splitFields(std::string_view line, char separator) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = line.find(separator, start);
        if (at == std::string_view::npos) {
            fields.emplace_back(line.substr(start));
            return fields;
        }
        fields.emplace_back(line.substr(start, at - start));
        start = at + 1;
    }
}

std::string fieldAt(std::string_view line, int n, char separator) {
    if (n < 1) return {};
    std::size_t start = 0;
    for (int i = 1; i < n; ++i) {
        const std::size_t at = line.find(separator, start);
        if (at == std::string_view::npos) return {};
        start = at + 1;
    }
    const std::size_t end = line.find(separator, start);
    return std::string(line.substr(start, end == std::string_view::npos ? line.size() - start : end - start));
}

std::string cut(std::string_view s, std::size_t n) { return std::string(s.substr(0, std::min(n, s.size()))); }

std::string hexUpper(std::uint32_t value) {
    char buffer[16];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
    (void)ec;
    std::string text(buffer, end);
    for (char& c : text) c = static_cast<char>(c >= 'a' && c <= 'f' ? c - 'a' + 'A' : c);
    return text;
}

std::uint32_t readHexField(std::string_view text) {
    std::size_t i = (!text.empty() && text[0] == '$') ? 1 : 0;
    std::uint32_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        std::uint32_t digit;
        if (c >= '0' && c <= '9') digit = static_cast<std::uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F') digit = static_cast<std::uint32_t>(c - 'A' + 10);
        else break;
        value = value * 16 + digit;
    }
    return value;
}

bool parseInt(std::string_view text, std::int32_t& value) {
    std::size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
    std::string_view t = text.substr(b, e - b);
    if (!t.empty() && t[0] == '+') t.remove_prefix(1);
    if (t.empty()) return false;
    std::int64_t v = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc() || end != t.data() + t.size()) return false;
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max()) return false;
    value = static_cast<std::int32_t>(v);
    return true;
}

std::int32_t intOr(std::string_view text, std::int32_t fallback) {
    std::int32_t v;
    return parseInt(text, v) ? v : fallback;
}

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }
bool containsChar(std::string_view s, char c) { return s.find(c) != std::string_view::npos; }

static char lowerChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = lowerChar(c);
    return out;
}

int compareNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(lowerChar(a[i]));
        const auto y = static_cast<unsigned char>(lowerChar(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

void sortNoCase(std::vector<std::string>& names) {
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return lessNoCase(a, b); });
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines, std::string_view lineEnd) {
    std::size_t size = 0;
    for (const auto& l : lines) size += l.size() + lineEnd.size();
    std::string out;
    out.reserve(size);
    for (const auto& l : lines) {
        out += l;
        out += lineEnd;
    }
    return out;
}

std::string encodeNotes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') out += '\\';
        else if (c != '\n') out += c;
        else if (i == 0 || text[i - 1] != '\r') out += '\\';  // a lone LF is a line break too
    }
    return out;
}

std::string decodeNotes(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text) {
        if (c == '\\') out += "\r\n";
        else out += c;
    }
    return out;
}

std::string padRight(std::string_view s, std::size_t width) {
    std::string out(s);
    if (out.size() < width) out.append(width - out.size(), ' ');
    return out;
}

}  // namespace z7
