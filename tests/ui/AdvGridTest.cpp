#include "TestSupport.h"

#include "core/Errors.h"
#include "core/Utils.h"
#include "data/GridFile.h"
#include "ui/AdvGrid.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <array>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {
using namespace GridColors;

constexpr std::array<TFieldData, 4> TestFields{{
    {"Name", "Player name", "Name", "", fkText, faLeft, 80, Black, true, GreenGrey},
    {"Num", "A number", "Num", "", fkInteger, faCenter, 30, Black, false, Cream},
    {"ID", "Identity", "ID", "", fkInteger, faCenter, 40, Black, false, White},
    {"Val", "A value", "Val", "", fkFloat, faRight, 40, Blue, true, Cream},
}};

// Same column count, one title changed.
constexpr std::array<TFieldData, 4> RenamedFields{{
    {"Name", "Player name", "Name", "", fkText, faLeft, 80, Black, true, GreenGrey},
    {"Nom", "A number", "Num", "", fkInteger, faCenter, 30, Black, false, Cream},
    {"ID", "Identity", "ID", "", fkInteger, faCenter, 40, Black, false, White},
    {"Val", "A value", "Val", "", fkFloat, faRight, 40, Blue, true, Cream},
}};

// The first three columns only.
constexpr std::array<TFieldData, 3> ShortFields{{TestFields[0], TestFields[1], TestFields[2]}};

struct TRow {
  const char* Name;
  int Num;
  int ID;
  double Val;
};

void Fill(TAdvGrid& grid, std::initializer_list<TRow> rows) {
  for (const TRow& row : rows) {
    const int r = grid.AppendRow();
    grid.SetCell(0, r, row.Name);
    grid.SetCellInt(1, r, row.Num);
    grid.SetCellInt(2, r, row.ID);
    grid.SetCellFloat(3, r, row.Val);
  }
}

QStringList Column(const TAdvGrid& grid, int col) {
  QStringList result;
  for (int r = 1; r < grid.RowCount(); ++r) result << grid.Cell(col, r);
  return result;
}
}  // namespace

TEST(AdvGrid, StartsEmptyWithTheTitlesInTheHeaderRow) {
  TAdvGrid grid(TestFields);
  EXPECT_TRUE(grid.IsEmpty());
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.Cell(1, 0), "Num");
  EXPECT_EQ(grid.SortColumn(), -1);
  EXPECT_THROW(grid.Cell(4, 1), ERangeError);
  EXPECT_THROW(grid.Cell(0, 2), ERangeError);
}

TEST(AdvGrid, TypedCellsReadAndWriteTheirText) {
  TAdvGrid grid(TestFields);
  struct TCase {
    const char* Text;
    int Int;
  } intCases[] = {{"12", 12}, {"-3", -3}, {"", 0}, {"1a", 0}, {"2.5", 0}, {" 7", 7}, {"99999999999", 0}};
  for (const auto& c : intCases) {
    grid.SetCell(1, 1, c.Text);
    EXPECT_EQ(grid.GetCellInt(1, 1), c.Int) << c.Text;
  }
  struct TFloatCase {
    double Value;
    const char* Text;
  } floatCases[] = {{12.35, "12.35"}, {0.1 + 0.2, "0.3"}, {3, "3"}, {-0.25, "-0.25"}, {0, "0"}};
  for (const auto& c : floatCases) {
    grid.SetCellFloat(3, 1, c.Value);
    EXPECT_EQ(grid.Cell(3, 1), c.Text);
    EXPECT_DOUBLE_EQ(grid.GetCellFloat(3, 1), StrToFloat(c.Text));
  }
  grid.SetCell(3, 1, "x");
  EXPECT_THROW(grid.GetCellFloat(3, 1), EConvertError);
  grid.SetCell(0, 1, "two\r\nlines");
  EXPECT_EQ(grid.Cell(0, 1), "two  lines");  // a line break would break the grid file
}

TEST(AdvGrid, HiddenColumnsHaveWidthMinusOne) {
  TAdvGrid grid(TestFields);
  EXPECT_TRUE(grid.IsColumnVisible(1));
  grid.SetColumnVisible(1, false);
  EXPECT_FALSE(grid.IsColumnVisible(1));
  EXPECT_EQ(grid.ColWidth(1), -1);
  EXPECT_TRUE(grid.isColumnHidden(1));
  Fill(grid, {{"a", 1, 11, 0}, {"b", 2, 12, 0}});
  grid.SortBy(0, sfDescending, fkText);
  grid.Clear();  // the view is rebuilt: widths and hidden columns stay
  EXPECT_TRUE(grid.isColumnHidden(1));
  EXPECT_EQ(grid.columnWidth(2), 41);
  grid.SetColumnVisible(1, true);
  EXPECT_EQ(grid.ColWidth(1), 30);
  EXPECT_EQ(grid.columnWidth(1), 31);
  EXPECT_FALSE(grid.IsColumnVisible(-1));
  EXPECT_FALSE(grid.IsColumnVisible(4));
}

TEST(AdvGrid, HeaderClicksSortDescendingThenAscendingAndAnotherColumnDescending) {
  TAdvGrid grid(TestFields);
  Fill(grid, {{"b", 2, 11, 1.5}, {"a", 10, 12, 0.5}, {"c", 2, 13, 2}, {"d", 1, 14, 2}});
  grid.HeaderClick(1);  // integers: 10 before 2 (not text order)
  EXPECT_EQ(Column(grid, 0), QStringList({"a", "b", "c", "d"}));
  EXPECT_EQ(grid.SortFlags(), sfDescending);
  grid.HeaderClick(1);
  EXPECT_EQ(Column(grid, 0), QStringList({"d", "b", "c", "a"}));  // equal values keep their order
  EXPECT_EQ(grid.SortFlags(), sfAscending);
  grid.HeaderClick(1);
  EXPECT_EQ(grid.SortFlags(), sfDescending);
  grid.HeaderClick(3);
  EXPECT_EQ(Column(grid, 0), QStringList({"c", "d", "b", "a"}));
  EXPECT_EQ(grid.SortColumn(), 3);
  EXPECT_EQ(grid.SortKind(), fkFloat);
  EXPECT_EQ(grid.Row(), 1);
  grid.HeaderClick(0);  // text: ordinal, case-sensitive
  grid.SetCell(0, 1, "B");
  grid.SortBy(0, sfAscending, fkText);
  EXPECT_EQ(Column(grid, 0), QStringList({"B", "a", "b", "c"}));
}

TEST(AdvGrid, ResortKeepsTheCurrentRowByItsIdentity) {
  TAdvGrid grid(TestFields);
  Fill(grid, {{"a", 1, 11, 0}, {"b", 2, 12, 0}, {"c", 3, 13, 0}});
  grid.SortBy(1, sfAscending, fkInteger);
  grid.SelectRow(2);  // "b", ID 12
  grid.SetCellInt(1, 2, 9);
  grid.Resort();
  EXPECT_EQ(Column(grid, 0), QStringList({"a", "c", "b"}));
  EXPECT_EQ(grid.Row(), 3);
}

TEST(AdvGrid, DeletingRowsMovesTheSelectionToTheFollowingRow) {
  TAdvGrid grid(TestFields);
  Fill(grid, {{"a", 1, 11, 0}, {"b", 2, 12, 0}, {"c", 3, 13, 0}, {"d", 4, 14, 0}});
  grid.SelectRow(2);
  grid.DeleteRow(2);
  EXPECT_EQ(Column(grid, 0), QStringList({"a", "c", "d"}));
  EXPECT_EQ(grid.Row(), 2);  // "c"
  grid.SelectRow(3);
  grid.DeleteRow(3);  // the last row: its predecessor becomes current
  EXPECT_EQ(grid.Row(), 2);
  grid.DeleteRow(1);  // not the current row: the selection stays on "c"
  EXPECT_EQ(Column(grid, 0), QStringList({"c"}));
  EXPECT_EQ(grid.Row(), 1);
  grid.DeleteRow(1);
  EXPECT_TRUE(grid.IsEmpty());
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.Cell(2, 1), "");
  EXPECT_EQ(grid.Cell(0, 0), "Name");
}

TEST(AdvGrid, ClearLeavesOneBlankRowAndRowsBeyondTheCountComeBackWhenItGrows) {
  TAdvGrid grid(TestFields);
  Fill(grid, {{"a", 1, 11, 0}, {"b", 2, 12, 0}, {"c", 3, 13, 0}});
  grid.SetRowCount(2);
  EXPECT_EQ(grid.Cell(0, 1), "a");
  grid.SetRowCount(4);
  EXPECT_EQ(Column(grid, 0), QStringList({"a", "b", "c"}));
  grid.Clear();
  EXPECT_TRUE(grid.IsEmpty());
  grid.SetRowCount(4);
  EXPECT_EQ(Column(grid, 0), QStringList({"", "", ""}));
}

TEST(AdvGrid, TypedEditsAreStoredOnlyWhenValid) {
  TAdvGrid grid(TestFields);
  Fill(grid, {{"a", 1, 11, 0}});
  for (const char* rejected : {"1a", "", "2.5", "99999999999", "+3"}) {
    grid.CommitEdit(1, 1, rejected);
    EXPECT_EQ(grid.Cell(1, 1), "1") << rejected;
  }
  grid.CommitEdit(1, 1, "-5");
  EXPECT_EQ(grid.Cell(1, 1), "-5");
  grid.CommitEdit(0, 1, "anything at all");
  EXPECT_EQ(grid.Cell(0, 1), "anything at all");
  grid.SetEditable(false);
  grid.CommitEdit(0, 1, "x");
  EXPECT_EQ(grid.Cell(0, 1), "anything at all");
}

TEST(AdvGrid, GridFileRoundTrip) {
  TTempFolder folder;
  const auto path = folder / "Grid.mgf";
  {
    TAdvGrid grid(TestFields);
    Fill(grid, {{"Jürgen Sæther", 1, 11, 12.35}, {"b", -2, 12, 0}});
    grid.SetCell(1, 2, " 3 ");
    grid.SaveToFile(path);
  }
  TAdvGrid loaded(TestFields);
  loaded.LoadFromFile(path);
  EXPECT_EQ(loaded.RowCount(), 3);
  EXPECT_EQ(Column(loaded, 0), QStringList({"Jürgen Sæther", "b"}));
  EXPECT_EQ(Column(loaded, 1), QStringList({"1", "3"}));  // cells are trimmed when read
  EXPECT_EQ(Column(loaded, 3), QStringList({"12.35", "0"}));
  EXPECT_EQ(loaded.Cell(3, 0), "Val");

  // The layout: checksum, column count, row count, then per column its length and text.
  const std::string data = ReadWholeFile(path);
  int64_t checksum = 0;
  for (int c = 0; c < 4; ++c) checksum += c * TextChecksum(TestFields[static_cast<size_t>(c)].Title);
  std::string expected;
  auto put = [&](int64_t v) {
    for (int i = 0; i < 8; ++i) expected += static_cast<char>((static_cast<uint64_t>(v) >> (8 * i)) & 0xFF);
  };
  put(checksum);
  put(4);
  put(3);
  put(std::string("Name\r\nJürgen Sæther\r\nb\r\n").size());
  EXPECT_EQ(data.substr(0, expected.size()), expected);
  EXPECT_EQ(data.substr(expected.size(), 6), "Name\r\n");
}

TEST(AdvGrid, AGridFileShowsTheProgramsColumnTitlesNotTheStoredOnes) {
  TTempFolder folder;
  const auto path = folder / "Grid.mgf";
  // Written under another language: the stored header row holds that language's titles.
  WriteWholeFile(path, FormatGridFile({{"Nom", "Nombre", "Identité", "Valeur"}, {"a", "1", "11", "2.5"}},
                                      {"Name", "Num", "ID", "Val"}, false));
  TAdvGrid grid(TestFields);
  grid.LoadFromFile(path);
  ASSERT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.Cell(0, 1), "a");
  EXPECT_EQ(grid.Cell(0, 0), "Name");
  EXPECT_EQ(grid.Cell(3, 0), "Val");
}

TEST(AdvGrid, ABadGridFileGivesAnEmptyGrid) {
  TTempFolder folder;
  const auto good = folder / "Good.mgf";
  {
    TAdvGrid grid(TestFields);
    Fill(grid, {{"a", 1, 11, 1}, {"b", 2, 12, 2}});
    grid.SaveToFile(good);
  }
  const std::string data = ReadWholeFile(good);
  std::string wrongCount = data;
  wrongCount[8] = 3;
  std::string hugeRows = data;
  hugeRows[16 + 7] = 0x10;
  std::string negativeLength = data;
  negativeLength[24 + 7] = char(0x80);
  struct TCase {
    const char* Name;
    std::string Data;
  } cases[] = {
      {"empty", ""},
      {"short header", data.substr(0, 12)},
      {"truncated", data.substr(0, data.size() - 5)},
      {"column count", wrongCount},
      {"row count", hugeRows},
      {"column length", negativeLength},
  };
  for (const auto& c : cases) {
    const auto path = folder / (std::string(c.Name) + ".mgf");
    WriteWholeFile(path, c.Data);
    TAdvGrid grid(TestFields);
    Fill(grid, {{"old", 1, 1, 1}});
    grid.LoadFromFile(path);
    EXPECT_TRUE(grid.IsEmpty()) << c.Name;
    EXPECT_EQ(grid.RowCount(), 2) << c.Name;
  }
  {
    TAdvGrid renamed(RenamedFields);
    renamed.LoadFromFile(good);
    EXPECT_TRUE(renamed.IsEmpty());
  }
  {
    TAdvGrid shorter(ShortFields);
    shorter.LoadFromFile(good);
    EXPECT_TRUE(shorter.IsEmpty());
  }
  {
    TAdvGrid grid(TestFields);
    Fill(grid, {{"kept", 1, 1, 1}});
    grid.LoadFromFile(folder / "missing.mgf");
    EXPECT_EQ(grid.Cell(0, 1), "kept");
    EXPECT_THROW(grid.SaveToFile(folder / "no such folder" / "Grid.mgf"), EInOutError);
    grid.SaveToFile(good);  // replaced whole
    TAdvGrid reloaded(TestFields);
    reloaded.LoadFromFile(good);
    EXPECT_EQ(Column(reloaded, 0), QStringList({"kept"}));
  }
}

TEST(AdvGrid, SingleByteGridFilesOfOlderVersionsAreRead) {
  TTempFolder folder;
  TAdvGrid grid(ShortFields);
  std::string file;
  auto put = [&](int64_t v) {
    for (int i = 0; i < 8; ++i) file += static_cast<char>((static_cast<uint64_t>(v) >> (8 * i)) & 0xFF);
  };
  put(grid.LayoutChecksum());
  put(3);
  put(2);
  for (std::string column : {std::string("Name\r\nJ\xFCrgen\r\n"), std::string("Num\r\n4\r\n"), std::string("ID\r\n7\r\n")}) {
    put(static_cast<int64_t>(column.size()));
    file += column;
  }
  WriteWholeFile(folder / "old.mgf", file);
  grid.LoadFromFile(folder / "old.mgf");
  EXPECT_EQ(grid.Cell(0, 1), "Jürgen");
  EXPECT_EQ(grid.GetCellInt(2, 1), 7);
}

TEST(AdvGrid, FractionBarShowsTheFractionAtTheRightEdge) {
  struct TCase {
    double Value;
    int Height;
  } cases[] = {{3.0, 0}, {3.5, 8}, {0.25, 4}, {-1.5, 0}, {7.99, 17}};
  for (const auto& c : cases) {
    QImage image(20, 17, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      TAdvGrid::DrawFractionBar(painter, QRect(0, 0, 20, 17), Qt::blue, c.Value);
    }
    int height = 0;
    for (int y = 0; y < 17; ++y) height += image.pixelColor(19, y) == QColor(Qt::blue) ? 1 : 0;
    EXPECT_EQ(height, c.Height) << c.Value;
    EXPECT_EQ(image.pixelColor(17, 16), QColor(Qt::white)) << "the bar is 2 pixels wide";
    if (c.Height > 0) {
      EXPECT_EQ(image.pixelColor(18, 16), QColor(Qt::blue));
    }
  }
  QImage image(20, 17, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    TAdvGrid::DrawPercentBar(painter, 100, QRect(0, 0, 20, 17), Qt::red);
    TAdvGrid::DrawPercentBar(painter, 150, QRect(0, 0, 20, 17), Qt::red);
  }
  EXPECT_EQ(image.pixelColor(19, 16), QColor(Qt::white)) << "100 % and more draw nothing";
}

TEST(AdvGrid, VerticalGradientRunsFromTopToBottomColour) {
  QImage image(4, 10, QImage::Format_RGB32);
  {
    QPainter painter(&image);
    TAdvGrid::DrawVerticalGradient(painter, QRect(0, 0, 4, 10), QColor(160, 160, 164), QColor(255, 251, 240));
  }
  EXPECT_EQ(image.pixelColor(2, 0), QColor(160, 160, 164));
  // i = 9: 160 + ceil(95 / 10 * 9) = 246, 160 + ceil(91 / 10 * 9) = 242, 164 + ceil(76 / 10 * 9) = 233
  EXPECT_EQ(image.pixelColor(2, 9), QColor(246, 242, 233));
}
