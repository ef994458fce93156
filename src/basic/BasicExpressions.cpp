// Expressions: an accumulator machine. A binary operation saves the left operand, computes the
// right one, moves it aside, restores the left one and combines the two.
#include "basic/BasicCompiler.h"

#include <algorithm>
#include <string_view>

namespace z7 {

namespace {

enum class FunctionForm { Numeric, StringToNumber, AnyToString, LeftRight, Mid };

struct FunctionInfo {
    std::string_view name;
    FunctionForm form;
    const char* code;
    BasicType result;
};

constexpr FunctionInfo functions[] = {
    {"ABS", FunctionForm::Numeric, "t23", BasicFloat},      {"COS", FunctionForm::Numeric, "t24", BasicFloat},
    {"SIN", FunctionForm::Numeric, "t25", BasicFloat},      {"TAN", FunctionForm::Numeric, "t26", BasicFloat},
    {"ACOS", FunctionForm::Numeric, "t27", BasicFloat},     {"ASIN", FunctionForm::Numeric, "t28", BasicFloat},
    {"ATAN", FunctionForm::Numeric, "t29", BasicFloat},     {"LOG10", FunctionForm::Numeric, "t30", BasicFloat},
    {"LN", FunctionForm::Numeric, "t31", BasicFloat},       {"EXP", FunctionForm::Numeric, "t32", BasicFloat},
    {"INT", FunctionForm::Numeric, "t33", BasicFloat},      {"RND", FunctionForm::Numeric, "t34", BasicFloat},
    {"SQR", FunctionForm::Numeric, "t35", BasicFloat},      {"VAL", FunctionForm::StringToNumber, "t71", BasicFloat},
    {"ASC", FunctionForm::StringToNumber, "t67", BasicInteger}, {"LEN", FunctionForm::StringToNumber, "t69", BasicInteger},
    {"CHR$", FunctionForm::AnyToString, "t68", BasicString}, {"STR$", FunctionForm::AnyToString, "t70", BasicString},
    {"LEFT$", FunctionForm::LeftRight, "t73", BasicString}, {"RIGHT$", FunctionForm::LeftRight, "t74", BasicString},
    {"MID$", FunctionForm::Mid, "t76", BasicString},
};

const FunctionInfo* findFunction(std::string_view name) {
    for (const FunctionInfo& f : functions)
        if (f.name == name) return &f;
    return nullptr;
}

bool isNumber(std::string_view text) {
    const auto periods = std::count(text.begin(), text.end(), '.');
    return periods <= 1 && text.size() > static_cast<std::size_t>(periods);
}

bool isRelational(const std::string& t) {
    return t == "BEQ" || t == "BNE" || t == "BLT" || t == "BGT" || t == "BLE" || t == "BGE";
}

const char* conditionCode(const std::string& op) {
    if (op == "BEQ") return "t3";
    if (op == "BNE") return "t4";
    if (op == "BLT") return "t5";
    if (op == "BGT") return "t6";
    if (op == "BLE") return "t7";
    return "t8";
}

}  // namespace

void BasicCompiler::saveLeft(BasicType type) {
    Emit(type == BasicFloat ? "t9" : type == BasicString ? "t77" : "t41");
}

// Codes after the right operand; the caller has ruled out a string mixed with a number.
BasicType BasicCompiler::combine(BasicType left, BasicType right) {
    if (left == BasicFloat && right == BasicFloat) {
        Emit("t10");
        Emit("t11");
        return BasicFloat;
    }
    if (left == BasicString) {
        Emit("t78");
        Emit("t79");
        return BasicString;
    }
    if (left == BasicFloat) {
        Emit("t89");
        Emit("t11");
        return BasicFloat;
    }
    if (right == BasicFloat) {
        Emit("t10");
        Emit("t43");
        Emit("t62");
        return BasicFloat;
    }
    Emit("t42");
    Emit("t43");
    return BasicInteger;
}

BasicType BasicCompiler::Expression() {
    const BasicType left = SimpleExpression();
    if (lineError_ || !isRelational(field_.text)) return left;
    const std::string op = field_.text;
    saveLeft(left);
    GetField();
    const BasicType right = SimpleExpression();
    if (lineError_) return left;
    if ((left == BasicString) != (right == BasicString)) {
        AddError2("Comparing numeric to string");
        return left;
    }
    if (left == BasicString) {
        Emit("t78");
        Emit("t79");
        Emit("t88");
    } else if (left == BasicInteger && right == BasicInteger) {
        Emit("t42");
        Emit("t43");
        Emit("t46");
    } else {
        combine(left, right);
        Emit("t90");
    }
    Emit(conditionCode(op));
    return BasicInteger;
}

BasicType BasicCompiler::SimpleExpression() {
    const bool negate = isToken(TokenMinus);
    if (negate) GetField();
    BasicType running = Term();
    if (lineError_) return running;
    if (negate) Emit(running == BasicFloat ? "t13" : "t44");
    while (isToken(TokenPlus) || isToken(TokenMinus) || isToken(TokenOr)) {
        const char op = field_.text[0];
        saveLeft(running);
        GetField();
        const BasicType right = Term();
        if (lineError_) return running;
        if ((running == BasicString) != (right == BasicString)) {
            AddError2("Type mismatch in expression: string and numeric");
            return running;
        }
        running = combine(running, right);
        if (running == BasicString && op != '+') {
            AddError2("Invalid math operation on string");
            return running;
        }
        if (op == '+') Emit(running == BasicFloat ? "t14" : running == BasicString ? "t80" : "t45");
        else if (op == '-') Emit(running == BasicFloat ? "t15" : "t46");
        else Emit(running == BasicFloat ? "t16" : "t47");
    }
    return running;
}

BasicType BasicCompiler::Term() {
    BasicType running = Factor();
    if (lineError_) return running;
    while (isToken(TokenTimes) || isToken(TokenDivide) || isToken(TokenAnd)) {
        const char op = field_.text[0];
        Emit(running == BasicFloat ? "t9" : "t41");
        GetField();
        const BasicType right = Factor();
        if (lineError_) return running;
        if (right == BasicString) {
            AddError2("Invalid operation on string");
            return running;
        }
        if (running == BasicString) {
            AddError2("Type mismatch in expression: string and numeric");
            return running;
        }
        running = combine(running, right);
        const bool isFloat = running == BasicFloat;
        if (op == '*') Emit(isFloat ? "t17" : "t48");
        else if (op == '/') Emit(isFloat ? "t18" : "t49");
        else Emit(isFloat ? "t19" : "t50");
    }
    return running;
}

BasicType BasicCompiler::Factor() {
    if (field_.fieldClass == FieldLiteral) {
        const BasicType type = field_.type;
        // "|" separates the items of an object file line, so such a text cannot be stored.
        if (type == BasicString && field_.text.find('|') != std::string::npos) {
            AddError2("String constant cannot contain the character |");
            return type;
        }
        // The lexer takes any run of digits and periods; only a real number may reach the object file.
        if (type != BasicString && !isNumber(field_.text)) {
            AddError2("Invalid number..." + field_.text);
            return type;
        }
        if (pass_ == 2) AddFieldToConstantList();
        Emit(type == BasicFloat ? "t20" : type == BasicString ? "t65" : "t51");
        Emit("c" + field_.text);
        GetField();
        return type;
    }
    if (field_.fieldClass == FieldName || field_.fieldClass == FieldMixedName) {
        const BasicType type = field_.type;
        if (type == BasicInvalid) {
            AddError2("Error in variable name..." + field_.text);
            return type;
        }
        if (pass_ == 2 || pass_ == 3) {
            GetVarLocation(true, 2);
            if (lineError_) return type;
        }
        Emit(type == BasicFloat ? "t2" : type == BasicInteger ? "t52" : "t66");
        Emit(locationText_);
        GetField();
        return type;
    }
    if (field_.fieldClass != FieldToken) return BasicInteger;
    if (isToken(TokenNot)) {
        GetField();
        const BasicType operand = Factor();
        if (lineError_) return operand;
        Emit(operand == BasicFloat ? "t21" : "t53");
        return operand;
    }
    if (isToken(TokenOpen)) {
        GetField();
        const BasicType inner = Expression();
        if (lineError_) return inner;
        if (!isToken(TokenClose)) {
            AddError2("Missing parenthesis");
            return inner;
        }
        GetField();
        return inner;
    }
    return functionCall();
}

bool BasicCompiler::requireClosing() {
    if (isToken(TokenClose)) return true;
    AddError2("Missing parenthesis");
    return false;
}

// The comma and the argument after it.
bool BasicCompiler::takeArgument(BasicType& type) {
    if (!isToken(TokenComma)) {
        AddError2("Expected comma between function arguments");
        return false;
    }
    GetField();
    type = Expression();
    return !lineError_;
}

BasicType BasicCompiler::functionCall() {
    const FunctionInfo* f = findFunction(field_.text);
    if (!f) return BasicInteger;
    const std::string name(f->name);
    GetField();
    if (!isToken(TokenOpen)) {
        AddError2("Missing parenthesis");
        return f->result;
    }
    GetField();
    const BasicType first = Expression();
    if (lineError_) return f->result;

    switch (f->form) {
    case FunctionForm::Numeric:
        if (!requireClosing()) return f->result;
        if (first == BasicString) {
            AddError2("Invalid argument type for function " + name);
            return f->result;
        }
        if (first == BasicInteger) Emit("t62");
        break;
    case FunctionForm::StringToNumber:
        if (!requireClosing()) return f->result;
        if (first != BasicString) {
            AddError2("Must have string argument for " + name);
            return f->result;
        }
        break;
    case FunctionForm::AnyToString:
        if (!requireClosing()) return f->result;
        break;
    case FunctionForm::LeftRight: {
        BasicType count = BasicInteger;
        if (!takeArgument(count) || !requireClosing()) return f->result;
        if (!convertCount(count, name)) return f->result;
        Emit("t72");
        break;
    }
    case FunctionForm::Mid: {
        BasicType start = BasicInteger;
        if (!takeArgument(start) || !convertCount(start, name)) return f->result;
        Emit("t72");
        BasicType length = BasicInteger;
        if (!takeArgument(length) || !convertCount(length, name)) return f->result;
        Emit("t75");
        if (!requireClosing()) return f->result;
        break;
    }
    }
    Emit(f->code);
    GetField();
    return f->result;
}

// A count argument of a string function is an integer: a float is converted, a string refused.
bool BasicCompiler::convertCount(BasicType type, const std::string& name) {
    if (type == BasicString) {
        AddError2("Wrong argument type for " + name);
        return false;
    }
    if (type == BasicFloat) Emit("t61");
    return true;
}

}  // namespace z7
