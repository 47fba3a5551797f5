#include "TestSupport.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/TeamMatchFile.h"
#include "core/Utils.h"
#include "demo/SampleWorld.h"
#include "ratings/MatchDataXml.h"
#include "ui/MatchGrid.h"
#include "ui/Messages.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

namespace {
// The grid with its protected handlers reachable.
class TTestMatchGrid : public TMatchGrid {
public:
  using TMatchGrid::CellClick;
  using TMatchGrid::CellInfoText;
};

// A matches folder holding the hand-made match file of team 4711 (matches 1001..1004: league home win,
// friendly away win, league home draw, league away loss).
class MatchGridFile : public ::testing::Test {
protected:
  void SetUp() override {
    WriteWholeFile(FFolder / "4711.xml", ReadWholeFile(FixturePath("core/matches/4711.xml")));
    FGrid.SetMatchesFolder(FFolder.Path());
  }
  QStringList IDs() const {
    QStringList ids;
    for (int r = 1; r < FGrid.RowCount(); ++r) ids << FGrid.Cell(mcMatchID, r);
    return ids;
  }
  TTempFolder FFolder;
  TTestMatchGrid FGrid;
};

void WriteMatches(const std::filesystem::path& path, const std::vector<TStoredMatch>& matches) {
  WriteWholeFile(path, TeamMatchFileXml(matches));
}

// The cell as the grid paints it, and as the expected text with the column's background would look.
QImage PaintedCell(TMatchGrid& grid, int col, int row) {
  const QRect rect(0, 0, grid.ColWidth(col), TAdvGrid::DefaultRowHeight);
  QImage image(rect.size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  grid.PaintCell(painter, rect, col, row);
  return image;
}

QImage ExpectedCell(const TMatchGrid& grid, int col, const QString& text, bool bold, QColor colour,
                    int percent = -1, QColor barColour = {}) {
  const QRect rect(0, 0, grid.ColWidth(col), TAdvGrid::DefaultRowHeight);
  QImage image(rect.size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.fillRect(rect, QColor::fromRgb(grid.Field(col).Background));
  TAdvGrid::DrawCellText(painter, text, rect, grid.CellFont(bold), colour, grid.Field(col).Alignment);
  if (percent >= 0) TAdvGrid::DrawPercentBar(painter, percent, rect, barColour);
  return image;
}

bool HasColour(const QImage& image, QColor colour) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) == colour) return true;
  return false;
}
}  // namespace

TEST_F(MatchGridFile, TheClubsMatchesAreRowsNewestWeekFirst) {
  FGrid.SortMatches(mcSeasonWeek, sfDescending, fkInteger);
  FGrid.LoadTeam("4711");
  EXPECT_EQ(FGrid.TeamID(), "4711");
  EXPECT_EQ(IDs(), QStringList({"1004", "1003", "1002", "1001"}));
  EXPECT_EQ(FGrid.FullRowCount(), 5);
  EXPECT_EQ(FGrid.Row(), 1);
  const TMatchRowTexts first = FGrid.RowTexts(4);
  EXPECT_EQ(first[mcMatchName], "+FC Kickvale Süd - Borussia Nord");
  EXPECT_EQ(first[mcSeasonWeek], "31051");
  EXPECT_EQ(first[mcValue], "21");
}

TEST_F(MatchGridFile, FiltersHideEveryRowAndClearingThemBringsTheRowsBackInOrder) {
  // Results from the club's side: 1001 won, 1002 won (away), 1003 lost (its home goals "2a" are no
  // number), 1004 draw (away). Weather: 1001 sunny, the others rainy.
  FGrid.LoadTeam("4711");  // never sorted: file order
  const QStringList all{"1001", "1002", "1003", "1004"};
  ASSERT_EQ(IDs(), all);

  // League only: the friendly goes out of sight behind the others.
  FGrid.ApplyFilter(3, 0, 0);
  EXPECT_EQ(IDs(), QStringList({"1001", "1003", "1004"}));
  EXPECT_EQ(FGrid.HiddenRows(), 1);
  EXPECT_EQ(FGrid.FullRowCount(), 5);
  // Without a sort the rows that come back stay behind the others, in their own order.
  FGrid.ApplyFilter(0, 0, 0);
  EXPECT_EQ(IDs(), QStringList({"1001", "1003", "1004", "1002"}));

  FGrid.SortMatches(mcSeasonWeek, sfDescending, fkInteger);
  const QStringList newestFirst{"1004", "1003", "1002", "1001"};
  ASSERT_EQ(IDs(), newestFirst);
  // No cup match: every row hidden, one row stays and shows nothing.
  FGrid.ApplyFilter(4, 0, 0);
  EXPECT_EQ(FGrid.RowCount(), 2);
  EXPECT_EQ(FGrid.HiddenRows(), 4);
  EXPECT_FALSE(FGrid.IsMatchRow(1));
  EXPECT_TRUE(FGrid.CellInfoText(mcFormation, 1).isEmpty());
  const QImage blank = PaintedCell(FGrid, mcMatchName, 1);
  EXPECT_FALSE(HasColour(blank, Qt::black)) << "the stand-in row has no text";

  FGrid.ApplyFilter(0, 0, 0);
  EXPECT_EQ(IDs(), newestFirst);
  EXPECT_EQ(FGrid.HiddenRows(), 0);
  EXPECT_TRUE(FGrid.IsMatchRow(1));

  struct TCase {
    int Type, Result, Weather;
    QStringList Shown;
  };
  for (const TCase& c : {TCase{0, 2, 2, {"1001"}}, TCase{0, 2, 0, {"1002", "1001"}}, TCase{0, 3, 0, {"1003"}},
                         TCase{0, 4, 5, {"1004"}}, TCase{2, 0, 5, {"1004", "1003"}}, TCase{1, 1, 1, newestFirst},
                         TCase{5, 3, 0, {}}}) {
    FGrid.ApplyFilter(c.Type, c.Result, c.Weather);
    const QStringList shown = FGrid.IsMatchRow(1) ? IDs() : QStringList();
    EXPECT_EQ(shown, c.Shown) << c.Type << c.Result << c.Weather;
    EXPECT_EQ(FGrid.HiddenRows(), 4 - c.Shown.size());
  }
  FGrid.ApplyFilter(0, 0, 0);
  EXPECT_EQ(IDs(), newestFirst);
}

TEST_F(MatchGridFile, AFilteredGridSavesEveryRowAndKeepsItsFilter) {
  FGrid.LoadTeam("4711");
  FGrid.ApplyFilter(5, 0, 0);  // friendlies only
  ASSERT_EQ(IDs(), QStringList({"1002"}));
  FGrid.SaveToFile(FFolder / "MatchGridMain.mgf");
  EXPECT_EQ(IDs(), QStringList({"1002"}));
  EXPECT_EQ(FGrid.HiddenRows(), 3);

  TMatchGrid restored;
  restored.LoadFromFile("4711", FFolder / "MatchGridMain.mgf");
  EXPECT_EQ(restored.TeamID(), "4711");
  ASSERT_EQ(restored.RowCount(), 5);
  QStringList ids;
  for (int r = 1; r < restored.RowCount(); ++r) ids << restored.Cell(mcMatchID, r);
  ids.sort();
  EXPECT_EQ(ids, QStringList({"1001", "1002", "1003", "1004"}));
  EXPECT_EQ(restored.FullRowCount(), 5);
  EXPECT_EQ(restored.HiddenRows(), 0);
  // The same filter on the restored grid shows the same row.
  restored.ApplyFilter(5, 0, 0);
  ASSERT_EQ(restored.RowCount(), 2);
  EXPECT_EQ(restored.RowTexts(1), FGrid.RowTexts(1));
}

TEST_F(MatchGridFile, GridFileRoundTripAndAnotherTeamGivesAnEmptyGrid) {
  FGrid.SortMatches(mcSeasonWeek, sfDescending, fkInteger);
  FGrid.LoadTeam("4711");
  FGrid.SaveToFile(FFolder / "grid.mgf");

  TMatchGrid same;
  same.LoadFromFile("4711", FFolder / "grid.mgf");
  ASSERT_EQ(same.RowCount(), FGrid.RowCount());
  for (int r = 0; r < FGrid.RowCount(); ++r)
    for (int c = 0; c < MatchColumnCount; ++c) EXPECT_EQ(same.Cell(c, r), FGrid.Cell(c, r)) << c << " " << r;

  TMatchGrid other;
  other.LoadTeam("900");  // no file: empty, team set
  other.LoadFromFile("815", FFolder / "grid.mgf");
  EXPECT_TRUE(other.IsEmpty());
  EXPECT_EQ(other.TeamID(), "900");

  // A missing grid file leaves the grid as it is.
  same.LoadFromFile("4711", FFolder / "missing.mgf");
  EXPECT_EQ(same.RowCount(), 5);
}

TEST_F(MatchGridFile, ATeamWithoutMatchFileShowsAnEmptyGrid) {
  FGrid.LoadTeam("4711");
  ASSERT_EQ(FGrid.RowCount(), 5);
  FGrid.LoadTeam("815");
  EXPECT_TRUE(FGrid.IsEmpty());
  EXPECT_EQ(FGrid.TeamID(), "815");
}

TEST_F(MatchGridFile, AwayMatchesAreMarkedAndTheirGoalsColouredFromTheClubsSide) {
  FGrid.LoadTeam("4711");
  FGrid.SelectRow(1);
  // Row 2: 1002, away win 0:2; row 3: 1003, a home loss (its home goals are no number); row 4: an away draw.
  EXPECT_EQ(FGrid.Cell(mcMatchName, 2), "-Union Hafen - FC Kickvale Süd");
  EXPECT_EQ(FGrid.GetResult(2), 1);
  EXPECT_EQ(FGrid.GetResult(3), -1);
  EXPECT_EQ(FGrid.GetResult(4), 0);
  EXPECT_EQ(PaintedCell(FGrid, mcMatchName, 2),
            ExpectedCell(FGrid, mcMatchName, "Union Hafen - FC Kickvale Süd", true, Qt::black));
  EXPECT_EQ(PaintedCell(FGrid, mcHomeScore, 2), ExpectedCell(FGrid, mcHomeScore, "0", false, Qt::blue));
  EXPECT_EQ(PaintedCell(FGrid, mcAwayScore, 3), ExpectedCell(FGrid, mcAwayScore, "1", false, Qt::red));
  EXPECT_EQ(PaintedCell(FGrid, mcHomeScore, 4), ExpectedCell(FGrid, mcHomeScore, "1", false, Qt::black));
}

TEST_F(MatchGridFile, StarsVersionAndTacticCellsShowTheirValues) {
  TStoredMatch halfStars;
  halfStars.ID = "1";
  halfStars.Stars = {"6.5"};
  halfStars.Version = "1.2";
  halfStars.Ratings = {"12", "12", "12", "12", "12", "12", "12"};
  halfStars.Tactic = "7";
  TStoredMatch wholeStars;
  wholeStars.ID = "2";
  wholeStars.Stars = {"7"};
  wholeStars.Tactic = "2";
  WriteMatches(FFolder / "4711.xml", {halfStars, wholeStars});
  FGrid.LoadTeam("4711");
  FGrid.SelectRow(2);
  ASSERT_EQ(FGrid.Cell(mcMatchID, 1), "1");

  EXPECT_EQ(PaintedCell(FGrid, mcStars, 1), ExpectedCell(FGrid, mcStars, "6", true, Qt::black));
  EXPECT_EQ(FGrid.CellInfoText(mcStars, 1), "6.5");
  EXPECT_EQ(FGrid.Cell(mcMidfield, 1), "45");
  EXPECT_EQ(PaintedCell(FGrid, mcMidfield, 1),
            ExpectedCell(FGrid, mcMidfield, "12", true, Qt::black, 12, Qt::blue));
  EXPECT_EQ(PaintedCell(FGrid, mcTactic, 1), ExpectedCell(FGrid, mcTactic, "PC", false, Qt::black));
  EXPECT_EQ(PaintedCell(FGrid, mcTacticSkill, 1), ExpectedCell(FGrid, mcTacticSkill, "-", false, Qt::black));

  FGrid.SelectRow(1);
  EXPECT_EQ(PaintedCell(FGrid, mcStars, 2), ExpectedCell(FGrid, mcStars, "7", false, Qt::black));
  EXPECT_EQ(PaintedCell(FGrid, mcTacticSkill, 2), ExpectedCell(FGrid, mcTacticSkill, "5", false, Qt::black));
}

TEST_F(MatchGridFile, TheRealDataMatchIsARowWithItsValues) {
  pugi::xml_document details, lineup;
  LoadXMLFile(FixturePath("realdata/matchdetails.xml"), details);
  LoadXMLFile(FixturePath("realdata/matchlineup.xml"), lineup);
  TTeamMatchFile file;
  file.AddMatch("52282171", 30, 10, details.document_element(), lineup.document_element());
  file.SaveToFile(TTeamMatchFile::PathOf(FFolder.Path(), "826235"));
  FGrid.LoadTeam("826235");
  ASSERT_EQ(FGrid.RowCount(), 2);
  const TMatchRowTexts expected{"+Vorwärts Billstedt - SV Heimbach AH", "30101", "52282171", "2", "2", "28.5", "1",
                                "1313303", "-10", "1", "2", "10685", "0", "0", "8", "21", "20", "16", "9", "11",
                                "11", "112", "23"};
  EXPECT_EQ(FGrid.RowTexts(1), expected);
  EXPECT_EQ(FGrid.CellInfoText(mcFormation, 1), "3-5-2");
  EXPECT_EQ(FGrid.CellInfoText(mcRightDefence, 1), "passable (Very low)");
  EXPECT_EQ(FGrid.CellInfoText(mcWeather, 1), "Overcast");
}

TEST_F(MatchGridFile, ClicksSetTheHintOfTheValue) {
  FGrid.LoadTeam("4711");
  FGrid.CellClick(mcMatchType, 2);
  EXPECT_EQ(FGrid.Hint(), "Friendly");
  FGrid.CellClick(mcCrowd, 2);  // no hint for the crowd: the last one stays
  EXPECT_EQ(FGrid.Hint(), "Friendly");
  FGrid.CellClick(mcMidfield, 1);  // 9: (9 + 1) div 2 = 5 on the old scale
  EXPECT_EQ(FGrid.Hint(), "inadequate (old)");
}

TEST_F(MatchGridFile, OpeningTheCurrentMatchHandsItsElementSeasonAndRound) {
  FGrid.LoadTeam("4711");
  QSignalSpy spy(&FGrid, &TMatchGrid::PlayerRatingsRequested);
  FGrid.SelectRow(2);
  pugi::xml_node opened;
  QString season, round;
  QObject::connect(&FGrid, &TMatchGrid::PlayerRatingsRequested,
                   [&](const pugi::xml_node& match, const QString& s, const QString& r) {
                     opened = match;
                     season = s;
                     round = r;
                   });
  FGrid.OpenCurrentMatch();
  ASSERT_EQ(spy.count(), 1);
  EXPECT_STREQ(opened.attribute("ID").value(), "1002");
  EXPECT_EQ(season, "31");
  EXPECT_EQ(round, "06");

  // The file changed on disk (a new download): the new match is found without loading the team again.
  TStoredMatch added;
  added.ID = "1001";
  added.Season = "32";
  added.Round = "01";
  std::string text = ReadWholeFile(FFolder / "4711.xml");
  text.insert(text.rfind("</PitchbookTeamData>"), MatchDataXml(added));
  WriteWholeFile(FFolder / "4711.xml", text);
  std::filesystem::last_write_time(FFolder / "4711.xml",
                                   std::filesystem::last_write_time(FFolder / "4711.xml") + std::chrono::seconds(5));
  FGrid.SelectRow(1);
  FGrid.OpenCurrentMatch();
  ASSERT_EQ(spy.count(), 2);
  EXPECT_STREQ(opened.child_value("Season"), "32") << "the last copy of a match is the one opened";

  // A double click on a row opens its match.
  FGrid.resize(600, 200);
  FGrid.show();
  QApplication::processEvents();
  const QModelIndex third = FGrid.model()->index(2, mcStars);
  QTest::mouseDClick(FGrid.viewport(), Qt::LeftButton, {}, FGrid.visualRect(third).center());
  ASSERT_EQ(spy.count(), 3);
  EXPECT_STREQ(opened.attribute("ID").value(), "1003");
  EXPECT_EQ(round, "07");

  // The stand-in row of a grid whose rows are all hidden opens nothing.
  FGrid.ApplyFilter(4, 0, 0);
  FGrid.OpenCurrentMatch();
  EXPECT_EQ(spy.count(), 3);
}

TEST_F(MatchGridFile, NextAndPreviousRowWrapAround) {
  FGrid.LoadTeam("4711");
  FGrid.SelectRow(4);
  FGrid.SelectNextRow();
  EXPECT_EQ(FGrid.Row(), 1);
  FGrid.SelectPreviousRow();
  EXPECT_EQ(FGrid.Row(), 4);
  FGrid.SelectPreviousRow();
  EXPECT_EQ(FGrid.Row(), 3);
  FGrid.ApplyFilter(3, 0, 0);  // three visible rows: wrapping stays among them
  FGrid.SelectRow(3);
  FGrid.SelectNextRow();
  EXPECT_EQ(FGrid.Row(), 1);
  FGrid.SelectPreviousRow();
  EXPECT_EQ(FGrid.Row(), 3);
}

TEST_F(MatchGridFile, DeletingARowWhileFilteredKeepsTheHiddenRows) {
  FGrid.LoadTeam("4711");
  FGrid.ApplyFilter(3, 0, 0);  // 1001, 1003, 1004 visible; 1002 hidden
  FGrid.DeleteRow(2);          // 1003
  EXPECT_EQ(IDs(), QStringList({"1001", "1004"}));
  FGrid.ApplyFilter(0, 0, 0);
  EXPECT_EQ(IDs(), QStringList({"1001", "1004", "1002"}));

  // With every row hidden the stand-in row deletes nothing.
  FGrid.ApplyFilter(4, 0, 0);
  FGrid.DeleteRow(1);
  FGrid.ApplyFilter(0, 0, 0);
  EXPECT_EQ(FGrid.RowCount(), 4);
}

TEST_F(MatchGridFile, AMatchThatCannotBeReadFailsTheLoadAndKeepsTheRowsBeforeIt) {
  TStoredMatch good;
  good.ID = "1";
  TStoredMatch bad;
  bad.ID = "2";
  bad.Ratings[0] = "much";
  TStoredMatch after;
  after.ID = "3";
  WriteMatches(FFolder / "4711.xml", {good, bad, after});
  EXPECT_THROW(FGrid.LoadTeam("4711"), EConvertError);
  EXPECT_EQ(IDs(), QStringList({"1"}));
  EXPECT_EQ(FGrid.FullRowCount(), 2);

  WriteWholeFile(FFolder / "4711.xml", "<PitchbookTeamData><MatchData ID=\"1\">");
  EXPECT_THROW(FGrid.LoadTeam("4711"), EInOutError);
  EXPECT_TRUE(FGrid.IsEmpty());
}

TEST(MatchGrid, ColumnsFollowTheTableAndThePreferences) {
  Preferences().SetDefaults();
  TMatchGrid grid;
  ASSERT_EQ(grid.ColCount(), MatchColumnCount);
  for (int c = 0; c < MatchColumnCount; ++c) {
    EXPECT_STREQ(MatchFields[static_cast<size_t>(c)].Key, MatchColumnNames[static_cast<size_t>(c)]);
    EXPECT_EQ(grid.IsColumnVisible(c), Preferences().GetMatchColumn(c)) << c;
    EXPECT_EQ(grid.Cell(c, 0), grid.ColumnTitle(c));
  }
  EXPECT_FALSE(grid.IsEditable());
  Preferences().SetMatchColumn(mcStars, false);
  grid.ApplyColumnVisibility();
  EXPECT_FALSE(grid.IsColumnVisible(mcStars));
  Preferences().SetDefaults();
}

namespace {
// Saves a picture of the grid (and its pictures up close) as <folder>/<name>.png and <name>-zoom.png.
void SaveScreenshot(TMatchGrid& grid, const std::string& folder, const std::string& name) {
  for (int c = 0; c < MatchColumnCount; ++c) grid.SetColumnVisible(c, true);
  int width = 0;
  for (int c = 0; c < MatchColumnCount; ++c) width += grid.ColWidth(c) + 1;
  grid.resize(width + 20, 18 * 14);
  grid.show();
  grid.SelectCell(mcFormation, 3);
  grid.setFocus();
  QApplication::processEvents();
  const QPixmap shot = grid.grab();
  ASSERT_TRUE(shot.save(QString::fromStdString(folder + "/" + name + ".png")));
  const int x = grid.columnViewportPosition(mcStars);
  const int w = grid.columnViewportPosition(mcTactic) - x;
  const QPixmap zoom =
      shot.copy(x, 0, w, shot.height() / 2).scaled(w * 4, shot.height() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  ASSERT_TRUE(zoom.save(QString::fromStdString(folder + "/" + name + "-zoom.png")));
}
}  // namespace

// Writes pictures of a filled grid, in English and German, when PITCHBOOK_SCREENSHOT_DIR names a folder
// (for looking at it).
TEST_F(MatchGridFile, ScreenshotOfAFilledGrid) {
  const char* folder = std::getenv("PITCHBOOK_SCREENSHOT_DIR");
  if (!folder) GTEST_SKIP() << "PITCHBOOK_SCREENSHOT_DIR not set";
  std::vector<TStoredMatch> matches;
  const char* weathers[] = {"0", "1", "2", "3", "4", "5"};
  const char* types[] = {"1", "2", "3", "4", "5", "8", "9", "7", "1", "1", "1", "1"};
  for (int i = 0; i < 12; ++i) {
    TStoredMatch m;
    m.ID = std::to_string(600000 + i * 137);
    m.Season = "37";
    m.Round = std::to_string(1 + i);
    m.MatchType = types[i];
    m.ClubAtHome = i % 3 != 1;
    m.HomeGoals = std::to_string(i % 4);
    m.AwayGoals = std::to_string((i * 7) % 3);
    m.Attitude = i == 4 ? "-1" : i == 7 ? "1" : "0";
    m.Tactic = std::to_string(i % 8);
    m.TacticSkill = std::to_string(3 + i % 5);
    m.Weather = weathers[i % 6];
    m.Sold = std::to_string(8000 + i * 4321);
    m.Experience = std::to_string(3 + i % 4);
    m.Version = i < 3 ? "1.2" : "1.3";
    for (size_t r = 0; r < m.Ratings.size(); ++r)
      m.Ratings[r] = std::to_string(i < 3 ? 5 + i : 20 + (i * 5 + static_cast<int>(r) * 3) % 30);
    m.Stars = {"3.5", "4", "2.5", "3", "3", "4.5", "2", "3", "3.5", "5", "2.5"};
    matches.push_back(m);
  }
  WriteMatches(FFolder / "4711.xml", matches);
  FGrid.SortMatches(mcSeasonWeek, sfDescending, fkInteger);
  FGrid.LoadTeam("4711");
  SaveScreenshot(FGrid, folder, "matchgrid");

  // The hand-made club file and the real-data match: names of real length, umlauts.
  TMatchGrid realGrid;
  {
    pugi::xml_document details, lineup;
    LoadXMLFile(FixturePath("realdata/matchdetails.xml"), details);
    LoadXMLFile(FixturePath("realdata/matchlineup.xml"), lineup);
    TTeamMatchFile file;
    file.LoadFromFile(FixturePath("core/matches/4711.xml"));
    file.AddMatch("52282171", 30, 10, details.document_element(), lineup.document_element());
    file.SaveToFile(FFolder / "4711.xml");
  }
  realGrid.SetMatchesFolder(FFolder.Path());
  realGrid.SortMatches(mcSeasonWeek, sfDescending, fkInteger);
  realGrid.LoadTeam("4711");
  SaveScreenshot(realGrid, folder, "matchgrid-fixtures");
  WriteMatches(FFolder / "4711.xml", matches);

  // The sample world's club: two seasons of league, cup and friendly matches.
  {
    TTempFolder world;
    TSampleWorldInfo info;
    WriteSampleWorld(world.Path(), TSampleWorldOptions{2, 1, 16}, &info);
    TMatchGrid sampleGrid;
    sampleGrid.SetMatchesFolder(world / "History" / "Matches");
    sampleGrid.SortMatches(mcSeasonWeek, sfDescending, fkInteger);
    sampleGrid.LoadTeam(std::to_string(info.OwnTeamID));
    SaveScreenshot(sampleGrid, folder, "matchgrid-sample");
  }

  TGermanTexts german;
  TMatchGrid germanGrid;
  germanGrid.SetMatchesFolder(FFolder.Path());
  germanGrid.SortMatches(mcSeasonWeek, sfDescending, fkInteger);
  germanGrid.LoadTeam("4711");
  SaveScreenshot(germanGrid, folder, "matchgrid-de");
}

TEST_F(MatchGridFile, TitlesHintsAndValueNamesComeInGerman) {
  FGrid.LoadTeam("4711");
  FGrid.SaveToFile(FFolder / "grid.mgf");
  TGermanTexts german;
  ASSERT_TRUE(german.Available) << "locale de_DE.UTF-8 missing: run localedef -i de_DE -f UTF-8 de_DE.UTF-8";
  TTestMatchGrid grid;
  EXPECT_EQ(grid.Cell(mcCentralDefence, 0), "VZ");
  EXPECT_EQ(grid.ColumnHint(mcTacticSkill), "Taktikstärke");
  grid.SetMatchesFolder(FFolder.Path());
  grid.LoadTeam("4711");
  EXPECT_EQ(grid.CellInfoText(mcAttitude, 1), "Spiel der Saison");
  EXPECT_EQ(grid.CellInfoText(mcMidfield, 1), "armselig (sehr niedrig)");
  // A grid file written under English loads under German, with the German titles.
  grid.LoadFromFile("4711", FFolder / "grid.mgf");
  EXPECT_FALSE(grid.IsEmpty());
  EXPECT_EQ(grid.Cell(mcCentralDefence, 0), "VZ");
}
