// Paints a player grid filled with a realistic squad of the sample world. With PITCHBOOK_GRID_SHOT set to a
// file name the picture is also saved there, to be looked at.
#include "TestSupport.h"

#include "core/PlayerList.h"
#include "data/Preferences.h"
#include "demo/SampleWorld.h"
#include "ui/GridImages.h"
#include "ui/PlayerGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {
// The squad of the sample world's current round, with its injuries, cards and specialties.
void LoadSampleSquad(TPlayerList& list, int rounds) {
  TSampleWorldOptions options;
  options.Seasons = 1;
  options.Seed = 7;
  TSampleWorld world(options);
  for (int i = 0; i < rounds; ++i) world.AdvanceRound();
  TTempFolder folder;
  WriteWholeFile(folder / "Players.xml", *world.OwnTeamFileByRequest("players"));
  list.LoadFromPlayersFile(folder / "Players.xml");
}

int CountPixels(const QImage& image, const QRect& area, const QColor& colour) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixelColor(x, y) == colour) ++count;
  return count;
}

QRect CellArea(const TPlayerGrid& grid, int col, int row) {
  // Grab coordinates: the header row sits above the viewport.
  return grid.visualRect(grid.model()->index(row - 1, col)).translated(0, grid.horizontalHeader()->height());
}
}  // namespace

TEST(PlayerGridPaint, ASquadPaintsWithFlagsCardsInjuriesAndTheBestPositions) {
  TPlayerList squad;
  LoadSampleSquad(squad, 9);
  ASSERT_GT(squad.Count(), 15);

  TPlayerGrid grid;
  int width = 0;
  for (int c = 0; c < grid.ColCount(); ++c) {
    grid.SetColumnVisible(c, true);
    width += grid.ColWidth(c) + 1;
  }
  grid.LoadPlayers(squad);
  grid.SortPlayers(0, sfAscending, fkText);
  grid.SetWeather(wRainy);
  // Make sure every picture of the card and injury columns is there at least once.
  grid.SetCellInt(paCards, 1, 2);
  grid.SetCellInt(paCards, 2, 3);
  grid.SetCellInt(paInjuryLevel, 4, 0);
  grid.SetCellInt(paInjuryLevel, 5, 6);
  grid.resize(width, (grid.RowCount() + 1) * (TAdvGrid::DefaultRowHeight + 1));
  grid.show();
  grid.SelectCell(paPlaymaking, 3);
  grid.setFocus();
  QApplication::processEvents();
  const QImage image = grid.grab().toImage().convertToFormat(QImage::Format_RGB32);
  if (const char* shot = std::getenv("PITCHBOOK_GRID_SHOT")) image.save(shot);

  int cyan = 0, flags = 0, cards = 0, injuries = 0, effects = 0;
  for (int r = 1; r < grid.RowCount(); ++r) {
    for (int c = paForwardRating; c < paBestRating; ++c)
      cyan += CountPixels(image, CellArea(grid, c, r), QColor(0, 255, 255)) > 0 ? 1 : 0;
    // A flag covers most of its cell with colours other than the column's green-grey.
    const QRect flag = CellArea(grid, paCountryID, r);
    flags += CountPixels(image, flag, QColor(192, 220, 192)) < flag.width() * flag.height() / 2 ? 1 : 0;
    const int cardValue = grid.GetCellInt(paCards, r);
    if (cardValue == 1 || cardValue == 2)
      cards += CountPixels(image, CellArea(grid, paCards, r), QColor(255, 215, 0)) > 10 ? 1 : 0;
    if (grid.GetCellInt(paInjuryLevel, r) >= 1)
      injuries += CountPixels(image, CellArea(grid, paInjuryLevel, r), QColor(230, 20, 20)) > 5 ? 1 : 0;
    for (int c = paStamina; c <= paDefending; ++c)
      if (r != 3 && grid.CellLook(c, r).Effect != 0)
        effects += CountPixels(image, CellArea(grid, c, r), grid.CellLook(c, r).Colour) > 0 ? 1 : 0;
  }
  EXPECT_GE(cyan, grid.RowCount() - 2) << "each player has a best position";
  EXPECT_EQ(flags, grid.RowCount() - 1);
  int carded = 0, injured = 0, affected = 0;
  for (int r = 1; r < grid.RowCount(); ++r) {
    carded += grid.GetCellInt(paCards, r) == 1 || grid.GetCellInt(paCards, r) == 2;
    injured += grid.GetCellInt(paInjuryLevel, r) >= 1;
    for (int c = paStamina; c <= paDefending; ++c) affected += r != 3 && grid.CellLook(c, r).Effect != 0;
  }
  EXPECT_EQ(cards, carded);
  EXPECT_EQ(injuries, injured);
  EXPECT_EQ(effects, affected);
  EXPECT_GT(CountPixels(image, CellArea(grid, paCards, 2), QColor(225, 25, 25)), 10) << "red card";
  EXPECT_GT(CountPixels(image, CellArea(grid, paInjuryLevel, 4), QColor(232, 185, 135)), 10) << "bruise";
  // The focused cell: light blue with a blue border.
  const QRect focused = CellArea(grid, paPlaymaking, 3);
  EXPECT_GT(CountPixels(image, focused, QColor(191, 211, 239)), 0);
  EXPECT_GT(CountPixels(image, focused, QColor(49, 105, 198)), 0);
}

TEST(PlayerGridPaint, EveryWeatherHasItsOwnPicture) {
  QImage strip(6 * 28, 20, QImage::Format_ARGB32);
  strip.fill(Qt::white);
  std::vector<QImage> pictures;
  {
    QPainter painter(&strip);
    for (int code = 0; code < 6; ++code) {
      const QPixmap& pixmap = TGridImages::Weather(code);
      ASSERT_EQ(pixmap.deviceIndependentSize(), QSizeF(26, 18)) << code;
      painter.drawPixmap(QPointF(code * 28 + 1, 1), pixmap);
      pictures.push_back(pixmap.toImage());
    }
  }
  for (size_t a = 0; a < pictures.size(); ++a)
    for (size_t b = a + 1; b < pictures.size(); ++b) EXPECT_NE(pictures[a], pictures[b]) << a << " " << b;
  EXPECT_TRUE(TGridImages::Weather(6).isNull());
  if (const char* shot = std::getenv("PITCHBOOK_GRID_SHOT"))
    strip.scaled(strip.size() * 3).save(QString::fromUtf8(shot) + ".weather.png");
}

TEST(PlayerGridPaint, FlagsExistForEveryCountryOfTheCurrencyTable) {
  int flags = 0;
  for (int id = 1; id <= 140; ++id) {
    if (!TGridImages::HasFlag(id)) continue;
    ++flags;
    EXPECT_EQ(TGridImages::Flag(id).deviceIndependentSize(), QSizeF(20, 12)) << id;
  }
  EXPECT_EQ(flags, 113);  // every filled slot but Oceania
  EXPECT_EQ(TGridImages::Flag(13).deviceIndependentSize(), QSizeF(20, 12));  // the neutral box
  EXPECT_EQ(TGridImages::Flag(0).toImage(), TGridImages::Flag(13).toImage());
}
