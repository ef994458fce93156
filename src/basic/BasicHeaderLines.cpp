// The lines before the code section: section lines and the input and output definitions.
#include "basic/BasicCompiler.h"

#include <algorithm>
#include <limits>

namespace z7 {

namespace {

constexpr std::uint64_t SizeLimit = std::numeric_limits<std::uint32_t>::max();

// The whole part of a numeric field, saturated so that absurd dimensions cannot overflow.
std::uint64_t dimensionValue(const std::string& digits) {
    std::uint64_t value = 0;
    for (const char c : digits) {
        if (c == '.') break;
        value = std::min<std::uint64_t>(value * 10 + static_cast<std::uint64_t>(c - '0'), SizeLimit);
    }
    return value;
}

std::uint64_t saturatingProduct(std::uint64_t a, std::uint64_t b) {
    return a != 0 && b > SizeLimit / a ? SizeLimit : a * b;
}

bool isSectionWord(const std::string& section) {
    return section == "#INPUTS" || section == "#OUTPUTS" || section == "#CODE" || section == "#MODULE";
}

}  // namespace

void BasicCompiler::CompileLine() {
    position_ = 1;
    int fieldCount = 0;
    lineError_ = false;
    while (position_ < lineLength() && !lineError_) {
        GetField();
        if (field_.text.empty() || field_.text[0] == '\'') break;
        if (fieldCount == 0 && field_.text[0] == '#') {
            GetField();
            section_ = "#" + field_.text;
            codeSection_ = section_ == "#CODE";
            if (!isSectionWord(section_)) AddError2("Invalid section specifier..." + section_);
            break;
        }
        const bool input = section_ == "#INPUTS" && pass_ == 2;
        const bool output = section_ == "#OUTPUTS" && (pass_ == 2 || pass_ == 3);
        if (input || output) {
            EatColon();
            ++position_;
            GetField();
            const std::string name = field_.text;
            if (name.empty()) {
                AddError2("Variable def not of form>> Description:Variable name");
                break;
            }
            if (field_.type == BasicInvalid) {
                AddError2("Error in variable name..." + name);
                break;
            }
            const BasicType type = field_.type;
            if (GetVarLocation(false, 0) && pass_ == 2) AddError2("Duplicate variable name..." + name);
            if (pass_ == 2) {
                // A faulty dimension is reported, yet the row is kept so that the code's uses of
                // the name are not reported again as unknown locals.
                GetVariableSize(name);
                auto& table = input ? inputs_ : outputs_;
                table.push_back({name, variableSize_, dimensionCount_, type, false});
                std::size_t& row = input ? variableRows_[name].input : variableRows_[name].output;
                if (row == 0) row = table.size();
            }
        }
        ++fieldCount;
    }
}

void BasicCompiler::GetVariableSize(const std::string& name) {
    std::uint64_t size = 1;
    std::uint64_t stringLength = 1;
    bool lengthSeen = false;
    variableSize_ = 0;
    dimensionCount_ = 0;
    for (char c = charAt(position_); c == '(' || c == ',' || c == '['; c = charAt(position_)) {
        if (c != '[') ++dimensionCount_;
        ++position_;
        GetField();
        if (field_.fieldClass != FieldLiteral || field_.type == BasicString) {
            AddError2("Variable dimension must be numeric");
            return;
        }
        const std::uint64_t value = dimensionValue(field_.text);
        if (c == '[') {
            stringLength = value;
            lengthSeen = true;
        } else {
            size = saturatingProduct(size, value);
        }
        const char after = charAt(position_);
        if (after == ')' || after == ']') {
            ++position_;
        } else if (after != ',') {
            AddError2("Expected end of dimension");
            return;
        }
    }
    if (name.empty() || name.back() != '$') {
        size = saturatingProduct(size, 4);
    } else if (lengthSeen) {
        size = saturatingProduct(size, saturatingProduct(stringLength / 4 + 1, 4));
    } else {
        AddError2("String variable missing dimension");
        return;
    }
    variableSize_ = static_cast<std::uint32_t>(size);
}

}  // namespace z7
