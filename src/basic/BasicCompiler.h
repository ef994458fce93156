#pragma once
// The BASIC compiler: three passes over a source (header sections, then the code section) that
// produce the code items and constants of an object file. One instance serves many compiles;
// every compile starts from empty tables.
#include "basic/BasicTokens.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace z7 {

struct BasicField {
    std::string text;
    int fieldClass = FieldNothing;
    BasicType type = BasicInteger;
    int token = 0;
};

struct BasicError {
    std::string message;  // at most 60 characters
    int line = 0;         // 0-based source line
};

struct BasicVariableRow {
    std::string name;
    std::uint32_t size = 0;  // bytes
    int dimensions = 0;
    BasicType type = BasicInteger;
    bool assigned = false;  // outputs only
};

struct BasicLocalRow {
    std::string name;
    bool assigned = false;
    bool used = false;
};

struct BasicLabelRow {
    std::string name;
    std::string offset;  // hexadecimal
};

class BasicCompiler {
public:
    static constexpr std::size_t MaxErrors = 25;
    static constexpr std::size_t MaxMessageLength = 60;
    static constexpr int MaxIfNumber = 1000;  // IF numbers start at 2: 999 IF statements
    static constexpr int MaxOpenBlocks = 20;

    BasicCompiler();

    // Runs the three passes over the lines; true when no error was recorded.
    bool compile(const std::vector<std::string>& lines);

    const std::vector<BasicError>& errors() const { return errors_; }
    // The object file's lines; meaningful after a compile without errors.
    std::vector<std::string> objectLines() const;

    const std::vector<BasicVariableRow>& inputTable() const { return inputs_; }
    const std::vector<BasicVariableRow>& outputTable() const { return outputs_; }
    const std::vector<BasicLocalRow>& varTable() const { return locals_; }
    const std::vector<BasicLabelRow>& labelTable() const { return labels_; }
    const std::vector<std::string>& constantsList() const { return constants_; }
    std::uint32_t locationCounter() const { return location_; }

    // The lexer on its own: sets the source, the section and the pass without compiling, so that
    // fields can be read one by one with GetNewSourceLine and GetField.
    void startLexing(const std::vector<std::string>& lines, const std::string& section);
    const BasicField& field() const { return field_; }
    int parenthesisDepth() const { return parenDepth_; }

    // The named steps of a compile.
    void InitTokenList();
    void GetNewSourceLine();
    void Eatblanks();
    void EatColon();
    void GetField();
    void GetVariableSize(const std::string& name);
    void CompileLine();
    void CompileCode();
    void Statement();
    void AssignmentStatement();
    void IfStatement();
    void ElseStatement();
    void EndIfStatement();
    void GotoStatement();
    void GosubStatement();
    void ReturnStatement();
    void EndStatement();
    BasicType Expression();
    BasicType SimpleExpression();
    BasicType Term();
    BasicType Factor();
    void Emit(const std::string& item);
    bool GetVarLocation(bool create, int mark);
    void AddtoLabelList();
    void SearchLabelTable();
    void AddFieldToConstantList();
    void AddError2(const std::string& message);
    void AddError3(const std::string& message);

private:
    void resetTables();
    void addError(const std::string& message);
    int lineLength() const { return static_cast<int>(line_.size()); }
    char charAt(int position) const;  // 1-based; '\0' outside the line
    bool isToken(int token) const { return field_.fieldClass == FieldToken && field_.token == token; }
    void shiftTokens();
    bool sourceExhausted() const { return source_ == nullptr || linesTaken_ >= source_->size(); }
    void finishCode();
    void saveLeft(BasicType type);
    BasicType combine(BasicType left, BasicType right);
    BasicType functionCall();
    bool requireClosing();
    bool takeArgument(BasicType& type);
    bool convertCount(BasicType type, const std::string& name);

    const std::vector<std::string>* source_ = nullptr;
    std::string_view line_;  // into the source lines, or the end sentinel
    int position_ = 1;
    std::size_t linesTaken_ = 0;
    bool atSentinel_ = false;
    // The line a line-end field came from, so that an error found there is not charged to the
    // next line; -1 when the current field is not such a line end.
    int lineEndFrom_ = -1;

    BasicField field_;
    int previousToken_ = 0;  // token numbers
    int tokenBefore_ = 0;
    std::string section_;
    bool codeSection_ = false;
    int pass_ = 0;
    std::uint32_t location_ = 0;
    bool lineError_ = false;
    int tokensOnLine_ = 0;
    int parenDepth_ = 0;
    std::string locationText_;
    std::uint32_t variableSize_ = 0;
    int dimensionCount_ = 0;
    std::string labelOffset_;

    std::vector<BasicVariableRow> inputs_;
    std::vector<BasicVariableRow> outputs_;
    std::vector<BasicLocalRow> locals_;
    std::vector<BasicLabelRow> labels_;
    std::vector<std::string> constants_;
    // Rows (from 1; 0 for none) of the first entry of a name in each variable table: the tables
    // are searched from the top, so the first entry is the one a search finds.
    struct VariableRows {
        std::size_t input = 0;
        std::size_t output = 0;
        std::size_t local = 0;
    };
    std::unordered_map<std::string, VariableRows> variableRows_;
    std::unordered_map<std::string, std::size_t> labelRows_;
    std::unordered_map<std::string, std::size_t> constantRows_;

    std::vector<std::string> outBox_;
    std::string outLine_;
    std::vector<BasicError> errors_;

    std::array<std::uint32_t, MaxIfNumber + 1> elseDestination_{};
    std::array<std::uint32_t, MaxIfNumber + 1> endifDestination_{};
    std::array<int, MaxOpenBlocks + 1> blockStack_{};
    int openBlocks_ = 0;
    int ifCounter_ = 1;
    bool singleIfPending_ = false;
    bool singleElsePending_ = false;
};

}  // namespace z7
