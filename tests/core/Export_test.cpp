// The export texts of a position grid, the Windows-1252 bytes of the text format, and the
// spreadsheet cell layout of one colour's three grids.
#include <gtest/gtest.h>

#include <set>

#include "core/ExportText.h"
#include "core/Kinematics.h"
#include "core/PositionGrid.h"
#include "core/SheetLayout.h"

namespace zebak::test {
namespace {

/// A position grid of the evaluation: row numbers in column 0, then t, x, y.
TextGrid positions(const std::vector<std::array<std::string, 3>>& rows) {
    TextGrid g{{"Bildnr.", "t /s", "x /m", "y /m"}};
    for (std::size_t k = 0; k < rows.size(); ++k)
        g.push_back({std::to_string(k + 1), rows[k][0], rows[k][1], rows[k][2]});
    return g;
}

TEST(ExportText, BothFormatsWithZeroTimeDecimalsAndARowWithoutPosition) {
    const TextGrid g = positions({{"0", "0.12345", "-2"}, {"", "", ""}, {"0.04", "1.5", "3"}});
    EXPECT_EQ(exportText(g, ExportFormat::Csv),
              "t/(s),x/(m),y/(m)\r\n0,0.12345,-2\r\n,,\r\n0.04,1.5,3\r\n");
    EXPECT_EQ(exportText(g, ExportFormat::Text),
              "t/(s)\tx/(m)\ty/(m)\r\n0\t0,12345\t-2\r\n\t\t\r\n0,04\t1,5\t3\r\n");
    // The row numbers (1, 2, 3) appear nowhere: every line has exactly three cells.
    for (const std::string& line : exportLines(g, ExportFormat::Csv))
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), 2) << line;
    EXPECT_EQ(exportLines(g, ExportFormat::Csv).size(), 4u);
}

TEST(ExportText, AGridWithTheHeaderOnlyGivesTheHeaderLine) {
    EXPECT_EQ(exportText(positions({}), ExportFormat::Text), "t/(s)\tx/(m)\ty/(m)\r\n");
}

TEST(ExportText, FilledFromAPositionTableLikeTheWindow) {
    PositionGrid table({"Zeit /s", "X1 /m", "Y1 /m"});
    table.setRowCount(3);
    table.setCell(1, 0, "0"), table.setCell(1, 1, "0.50000"), table.setCell(1, 2, "2.00000");
    table.setCell(2, 0, "0.04"), table.setCell(2, 1, "0.7"), table.setCell(2, 2, "2.1");
    const KinematicsGrids colour1 = fillKinematics(1, table, 25);
    EXPECT_EQ(exportText(colour1.positions, ExportFormat::Text),
              "t/(s)\tx/(m)\ty/(m)\r\n0\t0,5\t2\r\n0,04\t0,7\t2,1\r\n");
    // Colour 2's grid keeps the texts as the position table holds them.
    const KinematicsGrids colour2 = fillKinematics(2, table, 25);
    EXPECT_EQ(exportText(colour2.positions, ExportFormat::Csv),
              "t/(s),x/(m),y/(m)\r\n0,0.50000,2.00000\r\n0.04,0.7,2.1\r\n");
}

TEST(ExportText, FileBytesOfTheTextFormatAreWindows1252) {
    const std::string text = "t\xC3\xA4\t\xC2\xB2\t\xE2\x82\xAC\r\n";  // "tä", "²", "€"
    EXPECT_EQ(exportFileBytes(text, ExportFormat::Text), "t\xE4\t\xB2\t\x80\r\n");
    EXPECT_EQ(exportFileBytes(text, ExportFormat::Csv), text);
    // Characters the code page lacks, broken and over-long sequences become "?".
    EXPECT_EQ(toWindows1252("\xE2\x9C\x93"), "?");
    EXPECT_EQ(toWindows1252("a\xC3"), "a?");
    EXPECT_EQ(toWindows1252("\xC3(x"), "?(x");
    EXPECT_EQ(toWindows1252("\xC0\x80"), "??");
    EXPECT_EQ(toWindows1252("\xF0\x9F\x98\x80!"), "?!");
    EXPECT_EQ(toWindows1252("\xC5\x92\xC5\xB8"), "\x8C\x9F");  // "Œ", "Ÿ"
}

class SheetLayoutTest : public ::testing::Test {
  protected:
    SheetLayoutTest() {
        PositionGrid table({"Zeit /s", "X1 /m", "Y1 /m"});
        table.setRowCount(5);
        for (int k = 0; k < 4; ++k) {
            table.setCell(k + 1, 0, std::to_string(k));
            table.setCell(k + 1, 1, std::to_string(k * k));
            table.setCell(k + 1, 2, "1");
        }
        grids = fillKinematics(1, table, 1);
        rows = sheetLayout(grids);
    }
    KinematicsGrids grids;
    std::vector<SheetRow> rows;
};

TEST_F(SheetLayoutTest, HeadersAndColumnsAtTheirPlaces) {
    ASSERT_EQ(rows.size(), grids.positions.size());
    EXPECT_EQ(rows[0][0], "t /s");
    EXPECT_EQ(rows[0][1], "x /m");
    EXPECT_EQ(rows[0][2], "y /m");
    EXPECT_EQ(rows[0][4], "Zeitintervall /s");
    EXPECT_EQ(rows[0][5], "v / (m/s)");
    EXPECT_EQ(rows[0][8], "t Mitte/ s");
    EXPECT_EQ(rows[0][10], "Zeitintervall/ s");
    EXPECT_EQ(rows[0][11], "a /(m/s\xC2\xB2)");
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const int row = static_cast<int>(r);
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(rows[r][static_cast<std::size_t>(c)], gridCell(grids.positions, row, c + 1));
        for (int c = 0; c < 5; ++c) {
            EXPECT_EQ(rows[r][static_cast<std::size_t>(4 + c)], gridCell(grids.velocities, row, c));
            EXPECT_EQ(rows[r][static_cast<std::size_t>(10 + c)],
                      gridCell(grids.accelerations, row, c));
        }
    }
    for (const SheetRow& row : rows) EXPECT_EQ(row[3] + row[9], "") << "D and J stay empty";
    EXPECT_EQ(rows[3][5], "3") << "v of row 3: from x 1 to 4 in 1 s";
    EXPECT_EQ(rows[2][11], "2") << "a of the first pair";
}

TEST_F(SheetLayoutTest, TheAccelerationGridsMissingLastRowIsEmpty) {
    ASSERT_EQ(grids.accelerations.size() + 1, rows.size());
    for (int c = 10; c < kSheetColumns; ++c)
        EXPECT_EQ(rows.back()[static_cast<std::size_t>(c)], "");
    EXPECT_NE(rows.back()[0], "");
}

TEST(SheetCell, NumbersAsTheGridsWriteThemTextOtherwise) {
    using K = SheetCell::Kind;
    const std::pair<const char*, double> numbers[] = {{"0", 0.0},  {"0.04", 0.04}, {"-2", -2.0},
                                                      {".5", 0.5}, {"12.", 12.0},  {" 7 ", 7.0}};
    for (const auto& [text, value] : numbers) {
        const SheetCell cell = sheetCell(text);
        EXPECT_EQ(cell.kind, K::Number) << text;
        EXPECT_EQ(cell.number, value) << text;
    }
    for (const char* text :
         {"0.04-0.08", "t /s", "1e5", "1,5", "-", ".", " ", "1.2.3", "nan", "inf"})
        EXPECT_EQ(sheetCell(text).kind, K::Text) << text;
    EXPECT_EQ(sheetCell(std::string(400, '9')).kind, K::Text) << "beyond double: not a number";
    EXPECT_EQ(sheetCell("").kind, K::Empty);
}

TEST(WorkbookPath, FilmAndColourNameWithANumberWhenTaken) {
    std::set<std::string> used;
    const auto taken = [&](const std::filesystem::path& p) { return used.count(p.string()) > 0; };
    EXPECT_EQ(workbookPath("/tmp", "/home/a/demo.avi", 1, taken), "/tmp/demo-Farbe1.xlsx");
    used = {"/tmp/demo-Farbe2.xlsx", "/tmp/demo-Farbe2-2.xlsx"};
    EXPECT_EQ(workbookPath("/tmp", "/home/a/demo.avi", 2, taken), "/tmp/demo-Farbe2-3.xlsx");
    EXPECT_EQ(workbookPath("/tmp", "", 1, taken), "/tmp/Zebak-Farbe1.xlsx");
}

}  // namespace
}  // namespace zebak::test
