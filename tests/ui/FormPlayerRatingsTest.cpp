// The player ratings window on the sample world's club: opened from the match grid, it shows the match
// the engine's view computes (captions, sides, lineups, ratings), hides the Team2 lineup page when the
// opponent's lineup is missing, walks through the grid with Prev/Next and the page keys, and tells the main
// window when it opens and closes.
#include "FormMainTestSupport.h"
#include "TestSupport.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "data/Startup.h"
#include "core/TeamMatchFile.h"
#include "core/Utils.h"
#include "data/History.h"
#include "demo/SampleWorld.h"
#include "download/TeamTitles.h"
#include "ratings/LineupArrangementTestXml.h"
#include "ratings/MatchRowValues.h"
#include "ui/FormMain.h"
#include "ui/FormPlayerRatings.h"
#include "ui/Icons.h"
#include "ui/MatchGrid.h"
#include "ui/MatchLineupWidget.h"
#include "ui/MatchRatingWidget.h"
#include "ui/Messages.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <memory>
#include <optional>

namespace {
// One sample world for all tests of this file: writing and loading it takes a while.
struct TWorld {
  TTempFolder Folder;
  TSampleWorldInfo Info;
  THistory History;
  std::filesystem::path MatchesFolder;
  std::string OwnTeamID;
  std::string NoOpponentMatchID;  // the match whose opponent lineup was taken out
};

TWorld& World() {
  static std::unique_ptr<TWorld> world = [] {
    auto w = std::make_unique<TWorld>();
    TSampleWorldOptions options;
    options.Seasons = 1;
    options.Seed = 23;
    options.LastRound = 8;
    WriteSampleWorld(w->Folder.Path(), options, &w->Info);
    TStartupSettings settings;
    settings.HistoryFolder = w->Folder / "History";
    settings.ObsoleteFolder = settings.HistoryFolder / "Obsolete";
    settings.MatchesFolder = settings.HistoryFolder / "Matches";
    settings.SuspendAtEnd = false;
    TStartup startup(w->History, settings);
    startup.RunHere();
    w->MatchesFolder = settings.MatchesFolder;
    w->OwnTeamID = std::to_string(w->Info.OwnTeamID);

    // One match of the club as if the opponent's lineup had not been downloaded.
    const std::filesystem::path path = TTeamMatchFile::PathOf(w->MatchesFolder, w->OwnTeamID);
    TTeamMatchFile file;
    file.LoadFromFile(path);
    for (pugi::xml_node match : file.Matches()) {
      if (const pugi::xml_node opponent = TPlayerRatingsView::OpponentLineup(match)) {
        w->NoOpponentMatchID = match.attribute("ID").value();
        match.remove_child(opponent);
        break;
      }
    }
    file.SaveToFile(path);
    return w;
  }();
  return *world;
}

class FormPlayerRatingsTest : public ::testing::Test {
protected:
  void SetUp() override {
    TWorld& world = World();
    ASSERT_GT(world.History.Count(), 2);
    ASSERT_FALSE(world.NoOpponentMatchID.empty());
    FGrid.SetMatchesFolder(world.MatchesFolder);
    FGrid.SortMatches(mcSeasonWeek, sfDescending, fkInteger);
    FGrid.LoadTeam(world.OwnTeamID);
    ASSERT_GT(FGrid.RowCount(), 4);
    FForm.SetHistory(&world.History);
    FForm.AttachGrid(&FGrid);
    // The grid's match as the window received it.
    QObject::connect(&FGrid, &TMatchGrid::PlayerRatingsRequested,
                     [this](const pugi::xml_node& match, const QString& season, const QString& round) {
                       FOpened.reset();
                       FOpened.append_copy(match);
                       FSeason = StrToInt(season.toStdString());
                       FRound = StrToInt(round.toStdString());
                     });
    SetMessageSink([this](const QString& text) { FMessages << text; });
  }
  void TearDown() override {
    SetMessageSink({});
    FForm.hide();
  }

  int RowOf(const std::string& matchID) const {
    for (int row = 1; row < FGrid.RowCount(); ++row)
      if (FGrid.Cell(mcMatchID, row).toStdString() == matchID) return row;
    return -1;
  }
  pugi::xml_node Opened() const { return FOpened.document_element(); }
  std::string OpenedID() const { return Opened().attribute("ID").value(); }

  // The view the engine computes for the opened match: what the window must draw.
  TPlayerRatingsView Expected() const {
    TPlayerRatingsView view;
    view.Input(Opened(), FSeason, FRound, World().History);
    return view;
  }

  void ExpectShows(const TPlayerRatingsView& want) {
    EXPECT_EQ(FForm.LineupPages()->tabText(0).toStdString(), want.Team1Caption());
    EXPECT_EQ(FForm.LineupPages()->tabText(1).toStdString(), want.Team2Caption());
    EXPECT_EQ(FForm.RatingPages()->tabText(0).toStdString(), want.Team1Caption());
    EXPECT_EQ(FForm.RatingPages()->tabText(1).toStdString(), want.Team2Caption());
    EXPECT_EQ(FForm.LineupPages()->isTabVisible(1), want.OpponentLineupShown());
    EXPECT_TRUE(FForm.RatingPages()->isTabVisible(1));
    EXPECT_EQ(FForm.LabelXP()->text().toStdString(), want.LabelXP());
    EXPECT_EQ(FForm.LabelXPOpponent()->text().toStdString(), want.LabelXPOpponent());
    EXPECT_EQ(FForm.MatchLineupOwn()->LineupArrangement().Panels(), want.MatchLineupOwn().Panels());
    EXPECT_EQ(FForm.MatchLineupOwn()->LineupArrangement().Extras(), want.MatchLineupOwn().Extras());
    if (want.OpponentLineupShown()) {
      EXPECT_EQ(FForm.MatchLineupOpp()->LineupArrangement().Panels(), want.MatchLineupOpp().Panels());
    }
    EXPECT_EQ(FForm.MatchRatingOwn()->Model().Bars(), want.MatchRatingOwn().Bars());
    EXPECT_EQ(FForm.MatchRatingOpp()->Model().Bars(), want.MatchRatingOpp().Bars());
    EXPECT_EQ(FForm.MatchRatingOwn()->Model().Relative().Labels(), want.MatchRatingOwn().Relative().Labels());
    // The boxes draw the arrangement, specialties included.
    for (int i = 0; i < 11; ++i) {
      const TPlayerBox& box = want.MatchLineupOwn().Panel(i);
      const TkvPlayerPanel& panel = *FForm.MatchLineupOwn()->GetPanel(i);
      EXPECT_EQ(panel.GetPlayerName().toStdString(), box.PlayerName) << i;
      EXPECT_EQ(!panel.SpecialtyImage()->isHidden(), box.Specialty >= 1 && box.Specialty <= 6) << i;
    }
  }

  TMatchGrid FGrid;
  TFormPlayerRatings FForm;
  pugi::xml_document FOpened;
  int FSeason = 0;
  int FRound = 0;
  QStringList FMessages;
};

const TSampleMatchInfo* FindMatch(bool ownAtHome) {
  const TWorld& world = World();
  for (const TSampleMatchInfo& match : world.Info.Matches) {
    if (match.FileTeamID != world.Info.OwnTeamID) continue;
    if ((match.HomeTeamID == world.Info.OwnTeamID) == ownAtHome && std::to_string(match.MatchID) != world.NoOpponentMatchID)
      return &match;
  }
  return nullptr;
}

std::string SideName(const pugi::xml_node& matchData, bool home) {
  const pugi::xml_node match = matchData.child(TTeamMatchFile::DetailsName).child("Match");
  return home ? ChildText(match.child("HomeTeam"), "HomeTeamName") : ChildText(match.child("AwayTeam"), "AwayTeamName");
}
}  // namespace

TEST_F(FormPlayerRatingsTest, ADoubleClickedMatchOpensTheWindowWithItsTeamsAndLineups) {
  const TSampleMatchInfo* home = FindMatch(true);
  ASSERT_NE(home, nullptr);
  QSignalSpy opened(&FForm, &TFormPlayerRatings::Opened);
  FGrid.SelectRow(RowOf(std::to_string(home->MatchID)));
  FGrid.resize(900, 400);
  FGrid.show();
  QApplication::processEvents();
  const QModelIndex cell = FGrid.model()->index(FGrid.Row() - TAdvGrid::FixedRows, mcStars);
  FGrid.scrollTo(cell);
  QApplication::processEvents();
  QTest::mouseDClick(FGrid.viewport(), Qt::LeftButton, {}, FGrid.visualRect(cell).center());
  FGrid.hide();

  EXPECT_TRUE(FForm.isVisible());
  EXPECT_EQ(opened.count(), 1);
  EXPECT_EQ(FForm.windowTitle(), "Player Ratings and Team Formation");
  ASSERT_EQ(OpenedID(), std::to_string(home->MatchID));
  const TPlayerRatingsView want = Expected();
  EXPECT_TRUE(want.OwnIsHome());
  EXPECT_EQ(want.Team1Caption(), SideName(Opened(), true));
  EXPECT_EQ(want.Team2Caption(), SideName(Opened(), false));
  ExpectShows(want);
  EXPECT_TRUE(FMessages.isEmpty()) << FMessages.join('\n').toStdString();
  EXPECT_EQ(FForm.Pages()->tabText(0), "&Lineup");
  EXPECT_EQ(FForm.Pages()->tabText(1), "&Rating");
}

TEST_F(FormPlayerRatingsTest, AnAwayMatchShowsTheAwaySideAsTeam1AndItsRatings) {
  const TSampleMatchInfo* away = FindMatch(false);
  ASSERT_NE(away, nullptr);
  FGrid.SelectRow(RowOf(std::to_string(away->MatchID)));
  FGrid.OpenCurrentMatch();
  ASSERT_EQ(OpenedID(), std::to_string(away->MatchID));
  const TPlayerRatingsView want = Expected();
  EXPECT_FALSE(want.OwnIsHome());
  EXPECT_EQ(FForm.LineupPages()->tabText(0).toStdString(), SideName(Opened(), false));
  EXPECT_EQ(FForm.RatingPages()->tabText(1).toStdString(), SideName(Opened(), true));
  TMatchRatingModel awaySide;
  awaySide.ShowMatch(Opened().child(TTeamMatchFile::DetailsName).child("Match"), false);
  EXPECT_EQ(FForm.MatchRatingOwn()->Model().Bars(), awaySide.Bars());
  ExpectShows(want);
}

TEST_F(FormPlayerRatingsTest, WithoutTheOpponentsLineupOnlyItsLineupPageIsHidden) {
  FGrid.SelectRow(RowOf(World().NoOpponentMatchID));
  FForm.LineupPages()->setCurrentIndex(1);
  FGrid.OpenCurrentMatch();
  ASSERT_EQ(OpenedID(), World().NoOpponentMatchID);
  const TPlayerRatingsView want = Expected();
  EXPECT_FALSE(want.OpponentLineupShown());
  EXPECT_FALSE(FForm.LineupPages()->isTabVisible(1));
  EXPECT_EQ(FForm.LineupPages()->currentIndex(), 0);
  EXPECT_TRUE(FForm.RatingPages()->isTabVisible(1));
  TMatchRatingModel opponent;
  opponent.ShowMatch(Opened().child(TTeamMatchFile::DetailsName).child("Match"), !want.OwnIsHome());
  EXPECT_EQ(FForm.MatchRatingOpp()->Model().Bars(), opponent.Bars());
  ExpectShows(want);

  // The next match with the opponent's lineup brings the page back.
  const TSampleMatchInfo* other = FindMatch(true);
  ASSERT_NE(other, nullptr);
  FGrid.SelectRow(RowOf(std::to_string(other->MatchID)));
  FGrid.OpenCurrentMatch();
  EXPECT_EQ(FForm.LineupPages()->isTabVisible(1), Expected().OpponentLineupShown());
}

TEST_F(FormPlayerRatingsTest, PrevNextAndThePageKeysWalkThroughTheGridsRows) {
  FGrid.SelectRow(2);
  FGrid.OpenCurrentMatch();
  const std::string second = OpenedID();

  FForm.ButtonNext()->click();
  EXPECT_EQ(FGrid.Row(), 3);
  EXPECT_EQ(OpenedID(), FGrid.Cell(mcMatchID, 3).toStdString());
  ExpectShows(Expected());

  FForm.ButtonPrev()->click();
  EXPECT_EQ(FGrid.Row(), 2);
  EXPECT_EQ(OpenedID(), second);
  ExpectShows(Expected());

  FForm.activateWindow();
  QApplication::processEvents();
  QTest::keyClick(FForm.ButtonNext(), Qt::Key_PageDown);
  EXPECT_EQ(FGrid.Row(), 3);
  QTest::keyClick(FForm.ButtonNext(), Qt::Key_PageUp);
  QTest::keyClick(FForm.ButtonNext(), Qt::Key_PageUp);
  EXPECT_EQ(FGrid.Row(), 1);
  // Before the first row comes the last one.
  FForm.ButtonPrev()->click();
  EXPECT_EQ(FGrid.Row(), FGrid.RowCount() - 1);
  EXPECT_EQ(OpenedID(), FGrid.Cell(mcMatchID, FGrid.RowCount() - 1).toStdString());
  ExpectShows(Expected());
  EXPECT_TRUE(FMessages.isEmpty()) << FMessages.join('\n').toStdString();

  // The main window may name the grid instead.
  TMatchGrid other;
  FForm.SetGridChooser([&] { return &other; });
  EXPECT_EQ(FForm.CurrentGrid(), &other);
  FForm.ButtonNext()->click();  // an empty grid: nothing opens, nothing fails
  EXPECT_EQ(FGrid.Row(), FGrid.RowCount() - 1);
}

TEST_F(FormPlayerRatingsTest, AMatchThatCannotBeShownIsReportedAndTheWindowKeepsItsMatch) {
  FGrid.SelectRow(1);
  FGrid.OpenCurrentMatch();
  const TPlayerRatingsView shown = Expected();

  pugi::xml_document broken;
  broken.load_string("<MatchData ID=\"1\"><Season>1</Season><MatchRound>1</MatchRound><matchLineup.asp/></MatchData>");
  FForm.Input(broken.document_element(), 1, 1);
  ASSERT_EQ(FMessages.size(), 1);
  EXPECT_EQ(FMessages[0], "This match cannot be shown: its lineup or its match details were not downloaded.");
  ExpectShows(shown);

  // A malformed number in an otherwise complete record: reported, nothing changes.
  pugi::xml_document malformed;
  malformed.append_copy(Opened());
  malformed.document_element().child(TTeamMatchFile::DetailsName).child("Match").child("HomeTeam").child(
      "RatingMidfield").text().set("many");
  FForm.Input(malformed.document_element(), FSeason, FRound);
  ASSERT_EQ(FMessages.size(), 2);
  EXPECT_EQ(FMessages[1], "'many' is not a valid integer value");
  ExpectShows(shown);
}

TEST_F(FormPlayerRatingsTest, TheWindowTellsWhenItOpensAndClosesAndTheCommandShowsItForAGrid) {
  QSignalSpy opened(&FForm, &TFormPlayerRatings::Opened);
  QSignalSpy closed(&FForm, &TFormPlayerRatings::Closed);
  FGrid.SelectRow(1);
  FForm.ShowForGrid(&FGrid);
  EXPECT_TRUE(FForm.isVisible());
  EXPECT_EQ(opened.count(), 1);
  EXPECT_EQ(OpenedID(), FGrid.Cell(mcMatchID, 1).toStdString());
  EXPECT_EQ(FForm.CurrentGrid(), &FGrid);
  FForm.close();
  EXPECT_EQ(closed.count(), 1);
  FForm.show();
  QTest::keyClick(&FForm, Qt::Key_Escape);
  EXPECT_FALSE(FForm.isVisible());
  EXPECT_EQ(closed.count(), 2) << "Escape closes the window too";

  // A grid without matches: the window shows with what it had.
  TMatchGrid empty;
  FForm.ShowForGrid(&empty);
  EXPECT_TRUE(FForm.isVisible());
}

TEST_F(FormPlayerRatingsTest, AmpersandsInTeamNamesAreLettersNotMnemonics) {
  FGrid.SelectRow(1);
  FGrid.OpenCurrentMatch();
  pugi::xml_document renamed;
  renamed.append_copy(Opened());
  for (pugi::xml_node lineup = renamed.document_element().first_child(); lineup; lineup = lineup.next_sibling())
    for (const char* side : {"HomeTeam", "AwayTeam"})
      lineup.child(side).child(std::string(side).append("Name").c_str()).text().set("Black & White");
  FForm.Input(renamed.document_element(), FSeason, FRound);
  EXPECT_EQ(FForm.LineupPages()->tabText(0), "Black && White");
}

TEST_F(FormPlayerRatingsTest, TextsComeInGermanAndNumbersStayPlain) {
  TGermanTexts german;
  ASSERT_TRUE(german.Available) << "locale de_DE.UTF-8 missing: run localedef -i de_DE -f UTF-8 de_DE.UTF-8";
  TFormPlayerRatings form;
  form.SetHistory(&World().History);
  form.AttachGrid(&FGrid);
  EXPECT_EQ(form.windowTitle(), "Spielerbewertungen und Aufstellung");
  EXPECT_EQ(form.Pages()->tabText(0), "&Aufstellung");
  EXPECT_EQ(form.Pages()->tabText(1), "&Bewertung");
  EXPECT_EQ(form.ButtonPrev()->text(), "&Zurück");
  EXPECT_EQ(form.MatchRatingOwn()->Relative()->Heading()->text(), "Relative Stärke");
  FGrid.SelectRow(1);
  FGrid.OpenCurrentMatch();
  EXPECT_EQ(form.MatchLineupOwn()->GetSlot(6)->GetCaption(), "Mannschaftskapitän");
  // Shares and relative strengths are whole numbers without any grouping of the locale.
  for (int i = 1; i < 7; ++i) {
    bool ok = false;
    form.MatchRatingOwn()->Relative()->Label(i)->text().toInt(&ok);
    EXPECT_TRUE(ok) << form.MatchRatingOwn()->Relative()->Label(i)->text().toStdString();
  }
  if (const char* folder = std::getenv("PITCHBOOK_SCREENSHOT_DIR")) {
    form.show();
    QApplication::processEvents();
    EXPECT_TRUE(form.grab().save(QString(folder) + "/playerratings-lineup-de.png"));
    form.Pages()->setCurrentIndex(1);
    QApplication::processEvents();
    EXPECT_TRUE(form.grab().save(QString(folder) + "/playerratings-rating-de.png"));
  }
}

// The main window's wiring: the match grids' double click shows the window and presses the tool button,
// closing releases it, and the command opens the current match of the grid.
TEST(FormPlayerRatingsInMainWindow, TheGridsOpenTheWindowAndTheToolButtonFollowsIt) {
  ResetProgramState();
  TTempFolder home;
  TSampleWorldOptions options;
  options.Seasons = 1;
  options.LastRound = 4;
  TSampleWorldInfo info;
  WriteSampleWorld(home.Path(), options, &info);
  TCapturedMessages messages;
  {
    TFormMain window(home.Path() / "");
    ASSERT_TRUE(window.FormCreate());
    using enum TFormMain::TCommand;
    EXPECT_TRUE(window.IsCommandEnabled(cmPlayerRatings));
    QComboBox& teams = window.TeamBox(true);
    for (int i = 0; i < teams.count(); ++i)
      if (TeamIDOfTitle(teams.itemText(i).toStdString()) == std::to_string(info.OwnTeamID)) teams.setCurrentIndex(i);
    ASSERT_EQ(TFormMain::ComboBoxIDText(teams), std::to_string(info.OwnTeamID));
    window.TeamBoxChange(true);
    TMatchGrid& grid = window.MainMatchGrid();
    ASSERT_GT(grid.RowCount(), 2);
    TFormPlayerRatings& form = window.FormPlayerRatings();
    QAction& button = *window.ButtonAction(cmPlayerRatings);

    grid.SelectRow(2);
    grid.OpenCurrentMatch();
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(button.isChecked());
    EXPECT_EQ(form.CurrentGrid(), &grid);
    const std::string shown = form.View().Team1Caption();
    EXPECT_NE(shown, "Team1");
    form.close();
    EXPECT_FALSE(button.isChecked());

    // The command: the tool button opens the window on the grid's current match.
    window.ToolButtonClick(iiPlayerRatings);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(button.isChecked());
    EXPECT_EQ(form.View().Team1Caption(), shown);
    form.ButtonNext()->click();
    EXPECT_EQ(grid.Row(), 3);
    form.hide();
    EXPECT_FALSE(button.isChecked());
    EXPECT_TRUE(messages.Texts.isEmpty()) << messages.Texts.join('\n').toStdString();
  }
  ResetProgramState();
}

// Writes pictures of both pages when PITCHBOOK_SCREENSHOT_DIR names a folder (for looking at them): a lineup
// with stars, specialties, behaviours and a replaced player, and the ratings with bars and the column.
TEST_F(FormPlayerRatingsTest, ScreenshotsOfBothPages) {
  const char* folder = std::getenv("PITCHBOOK_SCREENSHOT_DIR");
  if (!folder) GTEST_SKIP() << "PITCHBOOK_SCREENSHOT_DIR not set";
  // The richest match: a replaced player, specialties and behaviours.
  int best = -1, bestScore = -1;
  for (int row = 1; row < FGrid.RowCount(); ++row) {
    FGrid.SelectRow(row);
    FGrid.OpenCurrentMatch();
    const TPlayerRatingsView view = Expected();
    int score = view.OpponentLineupShown() ? 5 : 0;
    for (int i = 0; i < 11; ++i)
      score += (view.MatchLineupOwn().Panel(i).Specialty > 0) + 2 * (view.MatchLineupOwn().Panel(i).Behaviour > 0);
    for (int i = 7; i < 10; ++i) score += 3 * view.MatchLineupOwn().Extra(i).Visible;
    if (score > bestScore) {
      bestScore = score;
      best = row;
    }
  }
  FGrid.SelectRow(best);
  FGrid.OpenCurrentMatch();
  FForm.show();
  QApplication::processEvents();
  const std::string base = std::string(folder) + "/playerratings";
  FForm.Pages()->setCurrentIndex(0);
  FForm.LineupPages()->setCurrentIndex(0);
  QApplication::processEvents();
  ASSERT_TRUE(FForm.grab().save(QString::fromStdString(base + "-lineup.png")));
  if (FForm.LineupPages()->isTabVisible(1)) {
    FForm.LineupPages()->setCurrentIndex(1);
    QApplication::processEvents();
    ASSERT_TRUE(FForm.grab().save(QString::fromStdString(base + "-lineup-opponent.png")));
  }
  FForm.Pages()->setCurrentIndex(1);
  FForm.RatingPages()->setCurrentIndex(0);
  QApplication::processEvents();
  ASSERT_TRUE(FForm.grab().save(QString::fromStdString(base + "-rating.png")));
  FForm.RatingPages()->setCurrentIndex(1);
  QApplication::processEvents();
  ASSERT_TRUE(FForm.grab().save(QString::fromStdString(base + "-rating-opponent.png")));
}

// Prev and Next walk the second match grid when it is the main window's active control, else the first,
// whichever grid's match the window showed last.
TEST(FormPlayerRatingsInMainWindow, PrevAndNextFollowTheActiveMatchGrid) {
  ResetProgramState();
  TTempFolder home;
  TSampleWorldOptions options;
  options.Seasons = 1;
  options.LastRound = 6;
  TSampleWorldInfo info;
  WriteSampleWorld(home.Path(), options, &info);
  TCapturedMessages messages;
  {
    TFormMain window(home.Path() / "");
    ASSERT_TRUE(window.FormCreate());
    for (bool main : {true, false}) {
      QComboBox& teams = window.TeamBox(main);
      for (int i = 0; i < teams.count(); ++i)
        if (TeamIDOfTitle(teams.itemText(i).toStdString()) == std::to_string(info.OwnTeamID)) teams.setCurrentIndex(i);
      window.TeamBoxChange(main);
    }
    TMatchGrid& gridM = window.MainMatchGrid();
    TMatchGrid& gridT = window.TempMatchGrid();
    ASSERT_GT(gridM.RowCount(), 3);
    ASSERT_GT(gridT.RowCount(), 3);
    TFormPlayerRatings& form = window.FormPlayerRatings();
    window.show();
    const struct {
      const char* Active;
      QWidget* Focus;
      TMatchGrid* Shown;  // the grid whose match the window shows first
      TMatchGrid* Walked;
    } cases[] = {
        {"second match grid", &gridT, &gridM, &gridT},
        {"first match grid", &gridM, &gridT, &gridM},
        {"a player grid", &window.MainPlayerGrid(), &gridT, &gridM},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(c.Active);
      gridM.SelectRow(1);
      gridT.SelectRow(1);
      c.Shown->OpenCurrentMatch();
      window.Pages().setCurrentIndex(c.Focus == &window.MainPlayerGrid() ? 0 : 1);
      c.Focus->setFocus();
      QApplication::processEvents();
      ASSERT_EQ(window.focusWidget(), c.Focus);
      form.ButtonNext()->click();
      form.ButtonNext()->click();
      EXPECT_EQ(c.Walked->Row(), 3);
      TMatchGrid* other = c.Walked == &gridM ? &gridT : &gridM;
      EXPECT_EQ(other->Row(), 1);
      form.ButtonPrev()->click();
      EXPECT_EQ(c.Walked->Row(), 2);
    }
    form.hide();
    window.hide();
    EXPECT_TRUE(messages.Texts.isEmpty()) << messages.Texts.join('\n').toStdString();
  }
  ResetProgramState();
}
