// Any text, junk included, ends in error messages or an object file.
#include "basic/BasicCompileCommand.h"

#include <gtest/gtest.h>

#include <random>

using namespace z7;

namespace {

void expectSound(const BasicCompileResult& r) {
    EXPECT_LE(r.errors.size(), BasicCompiler::MaxErrors);
    for (const BasicError& e : r.errors) {
        EXPECT_LE(e.message.size(), BasicCompiler::MaxMessageLength);
        EXPECT_GE(e.line, 0);
    }
    EXPECT_EQ(r.errors.empty() && !r.noProgram, !r.objectLines.empty());
    for (const std::string& line : r.objectLines) EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
}

}  // namespace

TEST(BasicRobustness, AwkwardSources) {
    const char* const sources[] = {
        "",
        "\n",
        "#",
        "#CODE",
        "#CODE\n(((((",
        "#CODE\n)))))\nX=1",
        "#CODE\n\"",
        "#CODE\nIF",
        "#CODE\nIF (",
        "#CODE\nELSE\nELSE\nENDIF\nENDIF",
        "#CODE\nGOTO",
        "#CODE\nX=MID$(",
        "#CODE\nX=LEFT$(A$,",
        "#CODE\nX=NOT NOT NOT",
        "#CODE\nEOL EOL",
        "#CODE\nA:B:C:D",
        "#INPUTS\n:\n::\n:(\n:A(\nx:A(1,\nx:B[\nx:C$[99999999999999999999]\n#CODE\nEND",
        "#INPUTS\nx:A(4294967295,4294967295,4294967295)\n#CODE\nEND",
        "#INPUTS\nx:A$(4294967295)[4294967295]\n#CODE\nEND",
        "#OUTPUTS\nx:\"\n#CODE\n",
        "\r\r\r\n\n#CODE\r",
        "#CODE\nX=1\n\t\n   '\n",
    };
    for (const char* source : sources) {
        SCOPED_TRACE(source);
        expectSound(compileBasicBytes(source));
    }
}

TEST(BasicRobustness, RandomBytesAndTokenSoup) {
    std::mt19937 random(7);
    const char* const words[] = {"IF", "THEN", "ELSE", "ENDIF", "GOTO", "GOSUB", "RETURN", "END", "(", ")", "=",
                                 "<", ">", "+", "-", "*", "/", "AND", "OR", "NOT", "A", "B%", "C$", "1", "2.5",
                                 "\"S\"", ":", ",", "MID$", "LEFT$", "SQR", "LEN", "\n", "\n", "'", "#"};
    for (int round = 0; round < 300; ++round) {
        std::string text = round % 2 ? "#INPUTS\nx:A\n#OUTPUTS\ny:B%\n#CODE\n" : "";
        const int length = static_cast<int>(random() % 200);
        for (int i = 0; i < length; ++i) {
            if (round % 3 == 0) {
                text += static_cast<char>(random() % 256);
            } else {
                text += words[random() % std::size(words)];
                text += ' ';
            }
        }
        SCOPED_TRACE(text);
        expectSound(compileBasicBytes(text));
    }
}
