// Source lines and fields: the lexer of the BASIC compiler.
#include "basic/BasicCompiler.h"

#include "app/Text.h"

namespace z7 {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// A code line holds something besides blanks and a comment.
bool holdsCode(std::string_view line) {
    for (const char c : line) {
        if (isBlank(c)) continue;
        return c != '\'';
    }
    return false;
}

}  // namespace

char BasicCompiler::charAt(int position) const {
    return position >= 1 && position <= lineLength() ? line_[static_cast<std::size_t>(position - 1)] : '\0';
}

void BasicCompiler::startLexing(const std::vector<std::string>& lines, const std::string& section) {
    source_ = &lines;
    linesTaken_ = 0;
    line_ = {};
    position_ = 1;
    atSentinel_ = false;
    section_ = section;
    codeSection_ = section == "#CODE";
    pass_ = 2;
    parenDepth_ = 0;
    tokensOnLine_ = 0;
    previousToken_ = 0;
    tokenBefore_ = 0;
    field_ = {};
}

void BasicCompiler::GetNewSourceLine() {
    tokensOnLine_ = 0;
    if (!sourceExhausted()) {
        line_ = (*source_)[linesTaken_++];
        position_ = 1;
        atSentinel_ = false;
    } else {
        line_ = "END";
        atSentinel_ = true;
        if (parenDepth_ != 0) AddError2("Missing parenthesis above");
    }
    lineError_ = false;
}

void BasicCompiler::Eatblanks() {
    while (position_ <= lineLength() && isBlank(line_[static_cast<std::size_t>(position_ - 1)])) ++position_;
}

void BasicCompiler::EatColon() {
    while (position_ < lineLength() && line_[static_cast<std::size_t>(position_ - 1)] != ':') ++position_;
}

void BasicCompiler::shiftTokens() {
    tokenBefore_ = previousToken_;
    previousToken_ = field_.token;
}

void BasicCompiler::GetField() {
    field_.text.clear();
    field_.fieldClass = FieldNothing;
    field_.type = BasicInteger;
    field_.token = 0;
    lineEndFrom_ = -1;
    Eatblanks();

    if (codeSection_ && (position_ > lineLength() || charAt(position_) == '\'')) {
        lineEndFrom_ = linesTaken_ == 0 ? 0 : static_cast<int>(linesTaken_ - 1);
        do GetNewSourceLine();
        while (!atSentinel_ && !holdsCode(line_));
        field_.text = "EOL";
        field_.fieldClass = FieldToken;
        field_.token = findBasicToken("EOL");
        shiftTokens();
        return;
    }
    if (line_.empty()) return;

    int percents = 0, bangs = 0, dollars = 0, periods = 0;
    std::string& text = field_.text;
    int& cls = field_.fieldClass;
    while (position_ <= lineLength()) {
        char c = charAt(position_);
        if (c == '"') {
            const std::size_t start = static_cast<std::size_t>(position_);  // 0-based index after the quote
            const std::size_t close = line_.find('"', start);
            const std::size_t end = close == std::string::npos ? line_.size() : close;
            text = "'";
            text.append(line_, start, end - start);
            position_ = static_cast<int>(close == std::string::npos ? line_.size() + 1 : close + 2);
            field_.type = BasicString;
            cls = FieldLiteral;
            return;
        }
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (isBlank(c)) {
            if (!text.empty()) break;
            ++position_;
            continue;
        }
        if (c == '!' || c == '$' || c == '%' || c == '_' || (c >= 'A' && c <= 'Z')) {
            text += c;
            cls = cls == FieldLiteral || cls == FieldMixedName ? FieldMixedName : FieldName;
            percents += c == '%';
            bangs += c == '!';
            dollars += c == '$';
            ++position_;
            continue;
        }
        if (c == '.' || (c >= '0' && c <= '9')) {
            text += c;
            cls = cls == FieldName || cls == FieldMixedName ? FieldMixedName : FieldLiteral;
            if (c == '.') {
                field_.type = BasicFloat;
                ++periods;
            }
            ++position_;
            continue;
        }
        if (!text.empty()) break;
        const char next = position_ < lineLength() ? charAt(position_ + 1) : ' ';
        const char* relational = nullptr;
        if (c == '=') relational = next == '<' ? "BLE" : next == '>' ? "BGE" : "BEQ";
        else if (c == '>') relational = next == '=' ? "BGE" : next == '<' ? "BNE" : "BGT";
        else if (c == '<') relational = next == '=' ? "BLE" : next == '>' ? "BNE" : "BLT";
        if (relational) {
            text = relational;
            cls = FieldToken;
            position_ += text[2] == 'E' ? 2 : 1;
        } else {
            text = std::string(1, c);
            cls = FieldSymbol;
            ++position_;
        }
        break;
    }

    if (cls > FieldLiteral) {
        if (const int token = findBasicToken(text)) {
            ++tokensOnLine_;
            cls = FieldToken;
            field_.token = token;
            shiftTokens();
            if (text == "(" || text == "[") ++parenDepth_;
            else if (text == ")" || text == "]") --parenDepth_;
        }
    }
    if (cls == FieldName || cls == FieldMixedName) field_.type = basicTypeOfCounts(percents, bangs, dollars, periods > 0);
    Eatblanks();
}

void BasicCompiler::addError(const std::string& message) {
    if (errors_.size() >= MaxErrors) return;
    const int line = lineEndFrom_ >= 0 ? lineEndFrom_ : (linesTaken_ == 0 ? 0 : static_cast<int>(linesTaken_ - 1));
    errors_.push_back({cut(message, MaxMessageLength), line});
}

void BasicCompiler::AddError2(const std::string& message) {
    lineError_ = true;
    if (pass_ == 2) addError(message);
}

void BasicCompiler::AddError3(const std::string& message) {
    lineError_ = true;
    if (pass_ == 3) addError(message);
}

}  // namespace z7
