// The code section: statements, IF blocks, labels, variables and the emitted code items.
#include "basic/BasicCompiler.h"

#include "app/Text.h"

namespace z7 {

void BasicCompiler::Emit(const std::string& item) {
    location_ += 4;
    if (pass_ != 3) return;
    if (outLine_.size() > 80) {
        outBox_.push_back(std::move(outLine_));
        outLine_.clear();
    }
    outLine_ += item;
    outLine_ += '|';
}

void BasicCompiler::CompileCode() {
    parenDepth_ = 0;
    tokensOnLine_ = 0;
    singleIfPending_ = false;
    singleElsePending_ = false;
    openBlocks_ = 0;
    ifCounter_ = 1;
    outLine_.clear();

    // After an error found at a line end the next line is already current and still untouched:
    // it is compiled rather than skipped.
    bool resumeCurrentLine = false;
    while (resumeCurrentLine || !sourceExhausted()) {
        if (resumeCurrentLine) {
            resumeCurrentLine = false;
            lineError_ = false;
        } else {
            GetNewSourceLine();
        }
        while (position_ <= lineLength() && !lineError_) {
            GetField();
            if (field_.text.empty()) break;
            for (;;) {
                Statement();
                // An ELSE after a statement would be read over as its terminator, and the
                // statement after it compiled as if unconditional.
                if (!lineError_ && isToken(TokenElse)) AddError2("ELSE must be first token on line");
                if (lineError_) break;
                if (sourceExhausted() && (atSentinel_ || position_ > lineLength())) {
                    finishCode();
                    return;
                }
                GetField();
            }
        }
        resumeCurrentLine = lineError_ && lineEndFrom_ >= 0 && !atSentinel_;
    }
    finishCode();
}

void BasicCompiler::finishCode() {
    if (pass_ == 2 && openBlocks_ > 0) {
        const int n = blockStack_[static_cast<std::size_t>(openBlocks_)];
        if (elseDestination_[static_cast<std::size_t>(n)] == 0) elseDestination_[static_cast<std::size_t>(n)] = location_;
        if (endifDestination_[static_cast<std::size_t>(n)] == 0) EndIfStatement();
    }
    Emit("t22");
}

void BasicCompiler::Statement() {
    const int before = field_.fieldClass == FieldToken ? tokenBefore_ : previousToken_;
    if (before == TokenEol) {
        if (singleIfPending_) {
            if (pass_ == 2) elseDestination_[static_cast<std::size_t>(ifCounter_)] = location_;
            singleIfPending_ = false;
            if (!isToken(TokenElse)) EndIfStatement();
        }
        if (singleElsePending_) {
            singleElsePending_ = false;
            EndIfStatement();
        }
        if (lineError_) return;
    }

    if (field_.fieldClass == FieldName || field_.fieldClass == FieldMixedName) {
        Eatblanks();
        const char next = charAt(position_);
        if (next == '=' || next == '(') AssignmentStatement();
        else if (pass_ == 2) AddtoLabelList();
        return;
    }
    if (field_.fieldClass == FieldToken) {
        if (isToken(TokenEol) || isToken(TokenColon)) return;
        if (isToken(TokenIf)) return IfStatement();
        if (isToken(TokenElse)) {
            if (tokensOnLine_ <= 1) ElseStatement();
            else AddError2("ELSE must be first token on line");
            return;
        }
        if (isToken(TokenEndif)) return EndIfStatement();
        if (isToken(TokenGoto)) return GotoStatement();
        if (isToken(TokenReturn)) return ReturnStatement();
        if (isToken(TokenGosub)) return GosubStatement();
        if (isToken(TokenEnd)) return EndStatement();
    }
    AddError2("Unrecognizable statement initiator");
}

void BasicCompiler::AssignmentStatement() {
    const BasicType target = field_.type;
    if (target == BasicInvalid) {
        AddError2("Error in variable name..." + field_.text);
        return;
    }
    if (pass_ == 2) GetVarLocation(true, 1);
    else if (pass_ == 3) GetVarLocation(false, 1);
    if (lineError_) return;
    const std::string targetLocation = locationText_;

    GetField();
    if (!isToken(TokenBeq)) {
        AddError2("Expected = in assignment statement");
        return;
    }
    if (parenDepth_ != 0) {
        parenDepth_ = 0;
        AddError2("Missing parenthesis before assignment statement");
        return;
    }
    GetField();
    const BasicType value = Expression();
    if (lineError_) return;
    if ((value == BasicString) != (target == BasicString)) {
        AddError2("Type conversion error in assignment statement");
        return;
    }
    if (target == BasicString) {
        Emit("t64");
    } else if (target == BasicFloat) {
        if (value != BasicFloat) Emit("t62");
        Emit("t1");
    } else {
        if (value == BasicFloat) Emit("t61");
        Emit("t40");
    }
    Emit(targetLocation);
}

void BasicCompiler::IfStatement() {
    if (ifCounter_ >= MaxIfNumber) {
        AddError2("Too many IF statements (at most 999 in a module)");
        return;
    }
    if (openBlocks_ >= MaxOpenBlocks) {
        AddError2("Too many nested IF blocks (at most 20 open)");
        return;
    }
    const int n = ++ifCounter_;
    blockStack_[static_cast<std::size_t>(++openBlocks_)] = n;

    GetField();
    Expression();
    if (lineError_) return;
    if (!isToken(TokenThen)) {
        AddError2("Expect THEN token after test expression");
        return;
    }
    const std::uint32_t elseTarget = elseDestination_[static_cast<std::size_t>(n)];
    Emit("t63");
    Emit("f" + hexUpper(elseTarget));
    if (pass_ == 3 && elseTarget == 0) {
        AddError3("Missing ELSE destination");
        return;
    }
    GetField();
    if (!isToken(TokenEol)) singleIfPending_ = true;
    Statement();
}

void BasicCompiler::ElseStatement() {
    const int n = openBlocks_ > 0 ? blockStack_[static_cast<std::size_t>(openBlocks_)] : 0;
    const std::uint32_t endifTarget = n > 0 ? endifDestination_[static_cast<std::size_t>(n)] : 0;
    Emit("t37");
    Emit("f" + hexUpper(endifTarget));
    GetField();
    if (pass_ == 3 && endifTarget == 0) {
        AddError3("Cannot find ENDIF destination");
        return;
    }
    if (!isToken(TokenEol)) singleElsePending_ = true;
    if (pass_ == 2) {
        if (n == 0) {
            AddError2("ELSE without preceding IF");
            return;
        }
        elseDestination_[static_cast<std::size_t>(n)] = location_;
    }
    Statement();
}

void BasicCompiler::EndIfStatement() {
    if (openBlocks_ == 0) {
        AddError2("End of IF block without IF statement");
        return;
    }
    const auto n = static_cast<std::size_t>(blockStack_[static_cast<std::size_t>(openBlocks_--)]);
    if (pass_ == 2) {
        endifDestination_[n] = location_;
        if (elseDestination_[n] == 0) elseDestination_[n] = location_;
    }
}

void BasicCompiler::GotoStatement() {
    GetField();
    if (field_.fieldClass != FieldName && field_.fieldClass != FieldMixedName) {
        AddError2("Invalid label for GOTO..." + field_.text);
        return;
    }
    SearchLabelTable();
    if (lineError_) return;
    Emit("t37");
    Emit("f" + labelOffset_);
    GetField();
}

void BasicCompiler::GosubStatement() {
    GetField();
    if (field_.fieldClass != FieldName && field_.fieldClass != FieldMixedName) {
        AddError2("Invalid label for GOSUB..." + field_.text);
        return;
    }
    SearchLabelTable();
    if (lineError_) return;
    Emit("t38");
    Emit("t37");
    Emit("f" + labelOffset_);
    GetField();
}

void BasicCompiler::ReturnStatement() {
    Emit("t39");
    GetField();
}

void BasicCompiler::EndStatement() { Emit("t22"); }

void BasicCompiler::AddtoLabelList() {
    if (labelRows_.count(field_.text)) {
        AddError2("Duplicate label..." + field_.text);
        return;
    }
    labels_.push_back({field_.text, hexUpper(location_)});
    labelRows_.emplace(field_.text, labels_.size());
}

void BasicCompiler::SearchLabelTable() {
    const auto it = labelRows_.find(field_.text);
    if (it != labelRows_.end()) {
        labelOffset_ = labels_[it->second - 1].offset;
        return;
    }
    labelOffset_.clear();
    if (pass_ == 3) AddError3("Cannot find label " + field_.text);
}

bool BasicCompiler::GetVarLocation(bool create, int mark) {
    const std::string& name = field_.text;
    locationText_.clear();
    const auto it = variableRows_.find(name);
    const VariableRows rows = it == variableRows_.end() ? VariableRows{} : it->second;
    if (rows.input) {
        locationText_ = "i" + hexUpper(static_cast<std::uint32_t>(rows.input - 1));
        return true;
    }
    if (rows.output) {
        BasicVariableRow& row = outputs_[rows.output - 1];
        locationText_ = "i" + hexUpper(static_cast<std::uint32_t>(inputs_.size() + rows.output - 1));
        if (mark == 1) row.assigned = true;
        if (pass_ == 3 && !row.assigned) AddError3("Output variable.." + name + "..never assigned value");
        return true;
    }
    if (rows.local) {
        BasicLocalRow& row = locals_[rows.local - 1];
        locationText_ = "r" + hexUpper(static_cast<std::uint32_t>(4 * rows.local));
        if (mark == 1) row.assigned = true;
        if (mark == 2) row.used = true;
        if (pass_ == 3) {
            if (!row.assigned) AddError3("Local variable.." + name + "..never assigned value");
            if (!row.used) AddError3("Local variable.." + name + "..not used in expression");
        }
        return true;
    }
    if (create) {
        locals_.push_back({name, mark == 1, mark == 2});
        variableRows_[name].local = locals_.size();
    }
    return false;
}

void BasicCompiler::AddFieldToConstantList() {
    if (constantRows_.emplace(field_.text, constants_.size() + 1).second) constants_.push_back(field_.text);
}

}  // namespace z7
