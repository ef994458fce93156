#include "editors/TelemetryWorkbox.h"

#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace z7 {
namespace {

TelemetryRow tlm(std::string port, std::string src, std::string dst, std::string word, std::string name,
                 std::string type, std::string address = {}) {
    return {port, src, dst, word, "-", name, "", type, "", address};
}

class TelemetryWorkboxTest : public ::testing::Test {
protected:
    Project project;
    test::ScriptedDialogs dialogs;
    ModuleLibrary library;
    ProjectLists lists;
    ListsRefresh refresh {library, lists};
    TelemetryWorkbox box {project, dialogs, refresh};

    std::vector<std::string> column(int c) const {
        std::vector<std::string> values;
        for (const WorkboxRow& row : box.rows()) values.push_back(row[static_cast<std::size_t>(c)]);
        return values;
    }
};

TEST_F(TelemetryWorkboxTest, StatusWordThenIntegerNumbering) {
    box.open(TelemetryMode::Tx);
    box.addRow(TelemetryRowType::Status16);
    box.addRow(TelemetryRowType::Integer16);
    ASSERT_EQ(box.rows().size(), 18u);
    for (int r = 1; r <= 16; ++r) {
        EXPECT_EQ(box.row(r)[WbWd], "1");
        EXPECT_EQ(box.row(r)[WbBit], std::to_string(r));
        EXPECT_EQ(box.row(r)[WbType], "Status");
    }
    EXPECT_EQ(box.row(17)[WbWd], "2");
    EXPECT_EQ(box.row(17)[WbBit], "-");
    EXPECT_EQ(box.row(18), WorkboxRow {});
    EXPECT_TRUE(box.changed());
}

TEST_F(TelemetryWorkboxTest, WordNumbersAndModbusBits) {
    box.open(TelemetryMode::Tx);
    box.addRow(TelemetryRowType::Float32);
    box.addRow(TelemetryRowType::Integer16);
    box.addRow(TelemetryRowType::Status16);
    EXPECT_EQ(box.row(1)[WbWd], "1");
    EXPECT_EQ(box.row(2)[WbWd], "3");
    EXPECT_EQ(box.row(3)[WbWd], "4");
    EXPECT_EQ(box.row(3)[WbBit], "1");
    box.setNumbering(CellNumbering::Modbus);
    EXPECT_EQ(box.row(3)[WbBit], "49");
    EXPECT_EQ(box.row(18)[WbBit], "64");

    box.open(TelemetryMode::Tx);
    box.setNumbering(CellNumbering::Modbus);
    box.addRow(TelemetryRowType::Integer32);
    box.addRow(TelemetryRowType::Status16);
    EXPECT_EQ(box.row(2)[WbWd], "3");
    EXPECT_EQ(box.row(2)[WbBit], "33");
    EXPECT_EQ(box.row(17)[WbBit], "48");
}

TEST_F(TelemetryWorkboxTest, AddRowOpensRowsBeforeTheSelectedGroup) {
    box.open(TelemetryMode::Tx);
    box.addRow(TelemetryRowType::Integer16);
    box.addRow(TelemetryRowType::Status16);
    box.clickCell(WbName, 5);  // inside the status word
    box.addRow(TelemetryRowType::Float32);
    EXPECT_EQ(box.row(1)[WbType], "Integer");
    EXPECT_EQ(box.row(2)[WbType], "Float");
    EXPECT_EQ(box.row(3)[WbType], "Status");
    EXPECT_EQ(box.row(3)[WbWd], "4");
    EXPECT_EQ(box.selectedRow(), 3);
    EXPECT_EQ(box.rows().size(), 19u);
}

TEST_F(TelemetryWorkboxTest, DeleteRowRemovesAWholeStatusWordOrOneRow) {
    box.open(TelemetryMode::Tx);
    box.addRow(TelemetryRowType::Integer16);
    box.addRow(TelemetryRowType::Status16);
    box.addRow(TelemetryRowType::Float32);
    box.clickCell(WbType, 9);
    box.deleteRow();
    EXPECT_EQ(column(WbType), (std::vector<std::string> {"Integer", "Float", ""}));
    EXPECT_EQ(box.row(2)[WbWd], "2");
    box.clickCell(WbType, 1);
    box.deleteRow();
    box.deleteRow();
    EXPECT_EQ(column(WbType), (std::vector<std::string> {""}));
    box.clickCell(WbType, 0);  // header
    box.deleteRow();
    EXPECT_EQ(box.selectedRow(), 1);
    box.deleteRow();  // the empty last row stays
    EXPECT_EQ(box.rows().size(), 1u);
}

TEST_F(TelemetryWorkboxTest, RxNamesCarryTheSourceUnlessSpecialOrDotted) {
    box.changeSpin(TelemetrySpin::Source, 7);
    box.open(TelemetryMode::Rx);
    box.addRow(TelemetryRowType::Integer16);
    box.addRow(TelemetryRowType::Integer16);
    box.addRow(TelemetryRowType::Integer16);
    box.clickCell(WbName, 1);
    box.typeRcvName("Temp");
    box.clickCell(WbName, 2);
    EXPECT_EQ(box.row(1)[WbName], "Temp.7");
    box.typeRcvName("Temp.x");
    box.clickCell(WbName, 3);
    EXPECT_EQ(box.row(2)[WbName], "Temp.x");
    box.showSpecialFields();
    box.chooseSpecialField("GlobalRTC");
    box.save();
    EXPECT_EQ(box.row(3)[WbName], "GlobalRTC");
    ASSERT_EQ(project.rxRows.size(), 3u);
    EXPECT_EQ(project.rxRows[0], tlm("0", "7", "Us", "1", "Temp.7", "Integer", "$0"));
    EXPECT_EQ(project.rxRows[2][TlmName], "GlobalRTC");
}

TEST_F(TelemetryWorkboxTest, SaveMovesTheArrayToTheEndAndKeepsAddressesWhenUnchanged) {
    project.rxRows = {tlm("2", "Us", "Us", "1", "A.3", "Integer", "40F000"), tlm("5", "Us", "Us", "1", "B", "Float", "1040F004"),
                      tlm("2", "Us", "Us", "2", "C", "Integer", "40F008")};
    box.open(TelemetryMode::Rx);  // channel 0
    EXPECT_EQ(box.rows().size(), 1u);
    box.changeSpin(TelemetrySpin::Port, 3);
    ASSERT_EQ(box.rows().size(), 2u);  // the first run of channel 2 only
    EXPECT_EQ(box.row(1)[WbAddress], "40F000");
    box.save();
    ASSERT_EQ(project.rxRows.size(), 3u);
    EXPECT_EQ(project.rxRows[0][TlmName], "B");
    EXPECT_EQ(project.rxRows[1][TlmName], "C");
    EXPECT_EQ(project.rxRows[2][TlmName], "A.3");
    EXPECT_EQ(project.rxRows[2][TlmAddress], "40F000");
    EXPECT_TRUE(project.needToSave);

    // C has joined the saved run of channel 2: the grid shows it, so a second save keeps it.
    ASSERT_EQ(box.rows().size(), 3u);
    EXPECT_EQ(box.row(1)[WbName], "C");
    box.clickCell(WbMult, 2);
    EXPECT_TRUE(box.multiplierVisible());
    box.chooseMultiplier(0);
    EXPECT_EQ(box.row(2)[WbMult], ".0001");
    box.save();
    ASSERT_EQ(project.rxRows.size(), 3u);
    EXPECT_EQ(project.rxRows[1][TlmName], "C");
    EXPECT_EQ(project.rxRows[2][TlmMult], ".0001");
    EXPECT_EQ(project.rxRows[2][TlmAddress], "$0");
}

TEST_F(TelemetryWorkboxTest, TxDropsNamesAndSingleRowTableStillOpens) {
    box.open(TelemetryMode::Tx);
    box.addRow(TelemetryRowType::Integer16);
    box.dropName(1, "Flow.Out");
    box.save();
    ASSERT_EQ(project.txRows.size(), 1u);
    EXPECT_EQ(project.txRows[0], tlm("0", "Us", "Us", "1", "Flow.Out", "Integer"));
    box.open(TelemetryMode::Tx);
    ASSERT_EQ(box.rows().size(), 2u);
    box.save();
    EXPECT_EQ(project.txRows.size(), 1u) << "saving again must not duplicate the entry";

    box.open(TelemetryMode::Rx);
    box.addRow(TelemetryRowType::Integer16);
    box.dropName(1, "Ignored");
    EXPECT_EQ(box.row(1)[WbName], "");
}

TEST_F(TelemetryWorkboxTest, KeyChangeAsksWhenEditedAndNoRestoresTheSpin) {
    box.open(TelemetryMode::Tx);
    box.addRow(TelemetryRowType::Integer16);
    dialogs.confirmAnswers = {false};
    EXPECT_FALSE(box.changeSpin(TelemetrySpin::Board, 4));
    EXPECT_EQ(box.spin(TelemetrySpin::Board), 0);
    EXPECT_EQ(box.rows().size(), 2u);
    EXPECT_EQ(dialogs.shown.back(), "confirm: One or more entries has changed, OK to abandon?");
    dialogs.confirmAnswers = {true};
    EXPECT_TRUE(box.changeSpin(TelemetrySpin::Board, 4));
    EXPECT_EQ(box.rows().size(), 1u);
    EXPECT_FALSE(box.changed());
    dialogs.shown.clear();
    EXPECT_TRUE(box.changeSpin(TelemetrySpin::Board, 5));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TelemetryWorkboxTest, ArrayListLinesAndOpeningFromThem) {
    project.txRows = {tlm("7", "Us", "255", "1", "A", "Integer"), tlm("7", "Us", "255", "2", "B", "Integer"),
                      tlm("0", "Us", "Us", "1", "C", "Integer"), tlm("7", "Us", "255", "3", "D", "Integer")};
    EXPECT_EQ(telemetryArrayList(project.txRows),
              (std::vector<std::string> {"Brd 0, Prt 1, Src Us, Dst Us", "Brd 2, Prt 2, Src Us, Dst 255"}));
    ASSERT_TRUE(box.openFromListLine(TelemetryMode::Tx, "Brd 2, Prt 2, Src Us, Dst 255"));
    EXPECT_EQ(box.spin(TelemetrySpin::Board), 2);
    EXPECT_EQ(box.spin(TelemetrySpin::Port), 2);
    EXPECT_EQ(box.spin(TelemetrySpin::Dest), 255);
    EXPECT_EQ(box.rows().size(), 3u);
    EXPECT_EQ(box.caption(), "TX Array Setup...");
    EXPECT_FALSE(box.openFromListLine(TelemetryMode::Tx, "Brd x, Prt 2"));
    project.txRows.push_back(tlm("1", "Us", "4", "1", "E", "Integer"));
    EXPECT_TRUE(box.cancel());
    EXPECT_EQ(box.txArrayList().size(), 3u);
}

TEST_F(TelemetryWorkboxTest, ClearCellAndScaleCodes) {
    box.open(TelemetryMode::Rx);
    box.addRow(TelemetryRowType::Integer16);
    box.clickCell(WbName, 1);
    box.typeRcvName("Level");
    box.clearCell();
    EXPECT_EQ(box.row(1)[WbName], "");
    EXPECT_EQ(box.rcvName(), "");
    const std::pair<const char*, int> codes[] = {{".0001", 12}, {".001", 11}, {".01", 10}, {".1", 9}, {"1.0", 0},
                                                 {"10.0", 7},   {"100.0", 6}, {"1000.0", 5}, {"10000.0", 4},
                                                 {".00001", 13}, {"", 0},     {"2.5", 0}};
    for (const auto& [text, code] : codes) EXPECT_EQ(scaleCodeOf(text), code) << text;
}

}  // namespace
}  // namespace z7
