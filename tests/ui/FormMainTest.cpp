#include "FormMainTestSupport.h"

#include "core/ClipboardLine.h"
#include "core/DateTime.h"
#include "core/TeamMatchFile.h"
#include "core/TrainingProgressSource.h"
#include "core/Utils.h"
#include "ui/FormPreferences.h"
#include "ui/Icons.h"
#include "ui/MatchGrid.h"
#include "demo/SampleWorld.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>

#include <clocale>
#include <cstdio>

namespace {
using enum TFormMain::TCommand;

// Every tool window registered with a plain widget, so that the enabling rules alone decide.
void RegisterStandIns(TFormMain& window, std::vector<std::unique_ptr<QWidget>>& windows) {
  for (int tag : {iiTacticsAdvisor, iiRatingAnalyzer, iiDownload, iiHistory, iiPlayerInformation, iiArenaAdvisor,
                  iiMatchViewer, iiKeeperAnalyzer, iiPlayerRatings, iiInjuryAnalyzer}) {
    windows.push_back(std::make_unique<QWidget>());
    window.RegisterToolWindow(tag, windows.back().get());
  }
}

// A page of a history store: the players' forms and the round that orders it.
std::unique_ptr<THistoryPage> FormPage(int round, std::initializer_list<int> forms) {
  auto page = std::make_unique<THistoryPage>();
  page->World.Season = 30;
  page->World.MatchRound = round;
  page->World.FetchedDate = "2020-01-" + std::string(round < 10 ? "0" : "") + std::to_string(round);
  int64_t id = 1;
  for (int form : forms) {
    auto player = MakeTestPlayer("P" + std::to_string(id), id);
    player->PlayerForm = form;
    page->Players.Add(std::move(player));
    ++id;
  }
  return page;
}

// A training source that reports the same progress for everybody, installed for one test.
// One season of the sample world in the test's program folder.
void WriteOneSeason(const std::filesystem::path& home, TSampleWorldInfo& info);

class TFixedProgress : public ITrainingProgressSource {
public:
  explicit TFixedProgress(double progress) : FProgress(progress), FPrevious(GetTrainingProgressSource()) {
    SetTrainingProgressSource(this);
  }
  ~TFixedProgress() override { SetTrainingProgressSource(FPrevious); }
  double GetTrainingProgress(int32_t, int skill, bool force, int) override {
    // As the history store: nothing while the Training toggle is up.
    return (force || History().TrainingOn()) && skill >= 3 && skill <= 10 ? FProgress : 0;
  }

private:
  double FProgress;
  ITrainingProgressSource* FPrevious;
};

}  // namespace

// ---- Creation -------------------------------------------------------------------------------------------------------

TEST(FormMain, FirstStartCreatesTheDataFoldersAndSavesPreferencesAtClose) {
  TTempFolder home;
  ResetProgramState();
  TCapturedMessages messages;
  {
    TFormMain window(home.Path() / "");
    ASSERT_TRUE(window.FormCreate());
    EXPECT_EQ(window.windowTitle(), "Pitchbook");
    for (const char* folder : {"History", "Work", "History/Obsolete", "History/Matches"})
      EXPECT_TRUE(std::filesystem::is_directory(home / folder)) << folder;
    window.show();
    window.close();
  }
  EXPECT_TRUE(messages.Texts.isEmpty());
  EXPECT_TRUE(std::filesystem::exists(home / "Preferences.xml"));
  for (const char* grid : {"PlayerGridMain.mgf", "PlayerGridTemp.mgf", "MatchGridMain.mgf", "MatchGridTemp.mgf"})
    EXPECT_TRUE(std::filesystem::exists(home / "Work" / grid)) << grid;
  ResetProgramState();
}

TEST(FormMain, AFolderThatCannotBeCreatedStopsTheStartWithAMessage) {
  TTempFolder home;
  WriteWholeFile(home / "History", "a file where the history folder belongs");
  TCapturedMessages messages;
  TFormMain window(home.Path() / "");
  EXPECT_FALSE(window.FormCreate());
  ASSERT_EQ(messages.Texts.size(), 1);
  EXPECT_TRUE(messages.Texts[0].contains("History")) << messages.Texts[0].toStdString();
}

TEST(FormMain, ABrokenPreferencesFileIsReportedAndTheDefaultsUsed) {
  TTempFolder home;
  WriteWholeFile(home / "Preferences.xml", "<PitchbookPreferences><Misc><CurrencyIndex>x</CurrencyIndex>");
  TCapturedMessages messages;
  TFormMain window(home.Path() / "");
  ASSERT_TRUE(window.FormCreate());
  ASSERT_EQ(messages.Texts.size(), 1);
  EXPECT_TRUE(messages.Texts[0].startsWith("Invalid preferences file."));
  EXPECT_EQ(Preferences().CurrencyIndex, 93);
}

TEST(FormMain, NumbersKeepTheDecimalPointUnderAGermanUserLocale) {
  // The German locale must exist, or this test would prove nothing (the set-up script creates it).
  const char* previous = std::setlocale(LC_ALL, nullptr);
  std::string saved = previous ? previous : "C";
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "locale de_DE.UTF-8 is missing";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
  EXPECT_STREQ(buffer, "1,5");  // the user's locale is really German here
  ApplyProgramFormatSettings();  // what the program does right after QApplication
  std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
  EXPECT_STREQ(buffer, "1.5");
  // Only the numbers: the texts stay in the user's language.
  EXPECT_STREQ(std::setlocale(LC_MESSAGES, nullptr), "de_DE.UTF-8");
  EXPECT_EQ(FormatFloat(1234.5, 2), "1234.50");
  EXPECT_DOUBLE_EQ(StrToFloat("2.25"), 2.25);
  std::setlocale(LC_ALL, saved.c_str());
}

TEST_F(TFormMainTest, CommandsAtCreationFollowTheRulesAndTheirWindows) {
  // Before any tool window exists only the window's own commands work.
  for (auto command : {cmAssumePassableForms, cmPreferences, cmAddToMainGrid, cmWeather})
    EXPECT_TRUE(Window->IsCommandEnabled(command)) << command;
  for (auto command : {cmKeeperAnalyzer, cmMatchViewer, cmTacticsAdvisor, cmHistory, cmMyTeamDownload})
    EXPECT_FALSE(Window->IsCommandEnabled(command)) << command;

  std::vector<std::unique_ptr<QWidget>> windows;
  RegisterStandIns(*Window, windows);
  for (auto command : {cmTacticsAdvisor, cmArenaAdvisor, cmRatingAnalyzer, cmInjuryAnalyzer, cmPlayerInformation,
                       cmTraining, cmPlayerComparison, cmMyTeamDownload, cmHistory, cmMatchDownload})
    EXPECT_FALSE(Window->IsCommandEnabled(command)) << command;
  // Player Ratings is not among the commands disabled at creation: it shows a match grid's match.
  for (auto command : {cmKeeperAnalyzer, cmAssumePassableForms, cmPreferences, cmAddToMainGrid, cmWeather,
                       cmMatchViewer, cmPlayerRatings})
    EXPECT_TRUE(Window->IsCommandEnabled(command)) << command;
  // The Match Viewer has a menu entry but no visible button.
  EXPECT_FALSE(Window->ButtonAction(cmMatchViewer)->isVisible());
  EXPECT_TRUE(Window->MenuAction(cmMatchViewer)->isVisible());
  // Menu entry and button change together.
  Window->SetCommandEnabled(cmHistory, true);
  EXPECT_TRUE(Window->MenuAction(cmHistory)->isEnabled());
  EXPECT_TRUE(Window->ButtonAction(cmHistory)->isEnabled());
  // The display modes start off, the weather Disabled.
  EXPECT_FALSE(Window->IsAssumePassableForms());
  EXPECT_FALSE(Window->IsTrainingOn());
  EXPECT_FALSE(Window->IsComparisonOn());
  EXPECT_EQ(Window->GetWeatherCode(), wDisabled);
}

TEST_F(TFormMainTest, UpdateToolButtonsEnablesByTheNumberOfSnapshotsAndNeverDisables) {
  std::vector<std::unique_ptr<QWidget>> windows;
  RegisterStandIns(*Window, windows);
  Window->UpdateToolButtons();
  EXPECT_FALSE(Window->IsCommandEnabled(cmRatingAnalyzer));
  History().Add(FormPage(1, {5}));
  Window->UpdateToolButtons();
  EXPECT_TRUE(Window->IsCommandEnabled(cmRatingAnalyzer));
  EXPECT_FALSE(Window->IsCommandEnabled(cmTraining));
  EXPECT_FALSE(Window->IsCommandEnabled(cmPlayerComparison));
  History().Add(FormPage(2, {5}));
  Window->UpdateToolButtons();
  EXPECT_TRUE(Window->IsCommandEnabled(cmTraining));
  EXPECT_TRUE(Window->IsCommandEnabled(cmPlayerComparison));
  History().Clear();
  Window->UpdateToolButtons();
  EXPECT_TRUE(Window->IsCommandEnabled(cmRatingAnalyzer));
  EXPECT_TRUE(Window->IsCommandEnabled(cmTraining));
}

TEST_F(TFormMainTest, ToolButtonsOpenTheirWindowsAndStayPressedUntilReleased) {
  std::vector<std::unique_ptr<QWidget>> windows;
  RegisterStandIns(*Window, windows);
  int openedVariant = -1;
  QWidget download;
  Window->RegisterToolWindow(iiDownload, &download, [&](int variant) { openedVariant = variant; });
  Window->SetCommandEnabled(cmHistory, true);
  Window->ButtonAction(cmHistory)->trigger();
  QWidget* history = Window->ToolWindow(iiHistory);
  EXPECT_TRUE(history->isVisible());
  EXPECT_TRUE(Window->ButtonAction(cmHistory)->isChecked());
  // A second click leaves the button down and the window open.
  Window->ButtonAction(cmHistory)->trigger();
  EXPECT_TRUE(Window->ButtonAction(cmHistory)->isChecked());
  history->hide();
  Window->ReleaseToolButton(iiHistory);
  EXPECT_FALSE(Window->ButtonAction(cmHistory)->isChecked());

  // The download window opens on the page of the command.
  Window->SetCommandEnabled(cmMyTeamDownload, true);
  Window->SetCommandEnabled(cmMatchDownload, true);
  Window->MenuAction(cmMyTeamDownload)->trigger();
  EXPECT_EQ(openedVariant, 0);
  EXPECT_TRUE(Window->ButtonAction(cmMyTeamDownload)->isChecked());
  EXPECT_FALSE(Window->ButtonAction(cmMatchDownload)->isChecked());
  Window->ButtonAction(cmMatchDownload)->trigger();
  EXPECT_EQ(openedVariant, 1);
  // The Match Download menu entry first wants a snapshot.
  openedVariant = -1;
  Window->MenuAction(cmMatchDownload)->trigger();
  EXPECT_EQ(openedVariant, -1);
  ASSERT_EQ(Messages.Texts.size(), 1);
  EXPECT_EQ(Messages.Texts[0],
            "You have to download your team xml files\r\nbefore continuing with match download.");
  History().Add(FormPage(1, {5}));
  Window->MenuAction(cmMatchDownload)->trigger();
  EXPECT_EQ(openedVariant, 1);
  for (auto& w : windows) w->hide();
}

// ---- Players ---------------------------------------------------------------------------------------------------------

TEST_F(TFormMainTest, AddToMainGridReplacesTheMainGridUnlessShiftIsHeld) {
  TPlayerGrid& main = Window->MainPlayerGrid();
  TPlayerGrid& temp = Window->TempPlayerGrid();
  AddTestPlayers(main, {"Old One"});
  // An empty temporary grid changes nothing.
  Window->AddToMainGridClick();
  EXPECT_EQ(GridNames(main), QStringList({"Old One"}));

  AddTestPlayers(temp, {"Carl", "Adam"}, 2000);
  temp.SelectRow(2);
  Window->AddToMainGridClick();
  EXPECT_EQ(GridNames(main), QStringList({"Adam", "Carl"}));
  EXPECT_EQ(GridNames(temp).size(), 2);  // the temporary grid keeps its rows
  EXPECT_EQ(temp.Row(), 1);              // and its first row is selected

  Window->show();
  QTest::keyPress(Window.get(), Qt::Key_Shift);
  ASSERT_TRUE(Window->ShiftHeld());
  Window->AddToMainGridClick();
  QTest::keyRelease(Window.get(), Qt::Key_Shift);
  EXPECT_FALSE(Window->ShiftHeld());
  // Appended: the names already there get a number.
  EXPECT_EQ(GridNames(main).size(), 4);
  EXPECT_TRUE(GridNames(main).contains("Adam (1)")) << GridNames(main).join(", ").toStdString();
  Window->hide();
}

TEST_F(TFormMainTest, MoveIntoAnEmptyGridTakesTheRowAwayFromTheSource) {
  TPlayerGrid& main = Window->MainPlayerGrid();
  TPlayerGrid& temp = Window->TempPlayerGrid();
  AddTestPlayers(main, {"Adam", "Bert", "Carl"});
  main.SelectRow(2);
  Window->show();
  main.setFocus();
  QApplication::processEvents();
  ASSERT_EQ(&Window->FocusedPlayerGrid(), &main);
  Window->PopupMoveClick();
  EXPECT_EQ(GridNames(temp), QStringList({"Bert"}));
  EXPECT_EQ(GridNames(main), QStringList({"Adam", "Carl"}));
  // Into a grid with rows.
  main.SelectRow(1);
  Window->PopupMoveClick();
  EXPECT_EQ(GridNames(temp), QStringList({"Adam", "Bert"}));
  EXPECT_EQ(GridNames(main), QStringList({"Carl"}));
  // Add copies and keeps the source row.
  Window->PopupAddClick();
  EXPECT_EQ(GridNames(temp), QStringList({"Adam", "Bert", "Carl"}));
  EXPECT_EQ(GridNames(main), QStringList({"Carl"}));
  // The temporary grid has the focus now: the other way round.
  temp.setFocus();
  QApplication::processEvents();
  temp.SelectRow(1);
  Window->PopupMoveClick();
  EXPECT_EQ(GridNames(main), QStringList({"Adam", "Carl"}));
  EXPECT_EQ(GridNames(temp), QStringList({"Bert", "Carl"}));
  Window->DeletePlayerClick();
  EXPECT_EQ(GridNames(temp).size(), 1);
  Window->hide();
}

TEST_F(TFormMainTest, ListAddReplacesASameNamedEntryAndAppendsTheNewOne) {
  TPlayerGrid& temp = Window->TempPlayerGrid();
  AddTestPlayers(temp, {"Adam", "Bert", "Carl"});
  for (int row : {1, 2, 3}) {
    temp.SelectRow(row);
    Window->ListAddClick();
  }
  TPlayerList& list = Window->ClipboardList();
  ASSERT_EQ(list.Count(), 3);
  // Adam again: the last entry (Carl) takes Adam's place and Adam goes to the end.
  temp.SetCell(paTSI, 1, "54321");
  temp.SelectRow(1);
  Window->ListAddClick();
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list[1].PlayerName, "Carl");
  EXPECT_EQ(list[2].PlayerName, "Bert");
  EXPECT_EQ(list[3].PlayerName, "Adam");
  EXPECT_EQ(list[3].TSI, 54321);
  EXPECT_EQ(list[3].Weather, wDisabled);
  EXPECT_FALSE(list[3].IncludeTraining);
  // Clear empties the list.
  Window->ListClearClick();
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(TFormMainTest, CopyToClipboardPutsHeaderDashesAndOneLinePerPlayerThenEmptiesTheList) {
  const QString header = "|    ID   |St|Pm|Wn|Sc|Kp|Pa|De|Fr|Xp|Ag|   TSI|Sp| F| W|IM|WB|CD|GK|Ma|";
  const QString dashes(header.size(), '-');
  // With an empty list only the header and the dashes.
  Window->CopyToClipboardClick();
  EXPECT_EQ(QApplication::clipboard()->text(), header + "\r\n\n" + dashes);

  TPlayerGrid& temp = Window->TempPlayerGrid();
  AddTestPlayers(temp, {"Adam", "Bert"});
  for (int row : {2, 1}) {
    temp.SelectRow(row);
    Window->ListAddClick();
  }
  std::string lines;
  for (const TPlayer& player : Window->ClipboardList())
    lines += "\r\n\n" + FormatClipboardLine(player, std::nullopt);
  Window->CopyToClipboardClick();
  const QString text = QApplication::clipboard()->text();
  EXPECT_EQ(text, header + "\r\n\n" + dashes + QString::fromStdString(lines));
  EXPECT_EQ(Window->ClipboardList().Count(), 0);

  // Copy All: every row of the focused grid.
  Window->CopyAllToClipboardClick();
  EXPECT_EQ(QApplication::clipboard()->text().count("\r\n\n"), 3);
  EXPECT_EQ(Window->ClipboardList().Count(), 0);
}

TEST_F(TFormMainTest, ClearAsksFirstAndCancelKeepsTheRows) {
  TPlayerGrid& main = Window->MainPlayerGrid();
  // An empty grid is not asked about.
  Window->ClearGridClick(true);
  EXPECT_TRUE(Messages.Questions.isEmpty());
  AddTestPlayers(main, {"Adam"});
  Messages.Answers = {mbCancel, mbOK};
  Window->ClearGridClick(true);
  ASSERT_EQ(Messages.Questions.size(), 1);
  EXPECT_EQ(Messages.Questions[0], "All data on main table will be lost.\r\nDo you wish to proceed?");
  EXPECT_FALSE(main.IsEmpty());
  Window->ClearGridClick(true);
  EXPECT_TRUE(main.IsEmpty());
  AddTestPlayers(Window->TempPlayerGrid(), {"Bert"});
  Window->ClearGridClick(false);
  EXPECT_EQ(Messages.Questions.last(), "All data on temporary table will be lost.\r\nDo you wish to proceed?");
  EXPECT_TRUE(Window->TempPlayerGrid().IsEmpty());
}

TEST_F(TFormMainTest, OpenReadsPlayersFilesAndRecordFilesAndKeepsTheGridOnFailure) {
  TPlayerGrid& main = Window->MainPlayerGrid();
  AddTestPlayers(main, {"Kept"});
  WriteWholeFile(Home / "broken.xml", "<KickvaleData><Team><PlayerList><Player>");
  EXPECT_FALSE(Window->OpenTeamFile(true, Home / "broken.xml"));
  ASSERT_EQ(Messages.Texts.size(), 1);
  EXPECT_EQ(Messages.Texts[0], "Invalid team data file.");
  EXPECT_EQ(GridNames(main), QStringList({"Kept"}));

  // A record file: its player sections.
  TSampleWorldOptions options;
  options.Seasons = 1;
  options.LastRound = 2;
  TSampleWorld world(options);
  WriteWholeFile(Home / "old.krf", world.RecordFileText());
  EXPECT_TRUE(Window->OpenTeamFile(true, Home / "old.krf"));
  const int squad = static_cast<int>(GridNames(main).size());
  EXPECT_GT(squad, 10);
  EXPECT_FALSE(GridNames(main).contains("Kept"));
  // A players file on its own, without the snapshot's other files, into the temporary grid.
  WriteWholeFile(Home / "players.xml", *world.OwnTeamFileByRequest("players"));
  EXPECT_TRUE(Window->OpenTeamFile(false, Home / "players.xml"));
  EXPECT_GE(GridNames(Window->TempPlayerGrid()).size(), squad);
  EXPECT_EQ(Messages.Texts.size(), 1);
}

TEST_F(TFormMainTest, ChoosingTheWeatherAppliesItOnceToBothGrids) {
  AddTestPlayers(Window->MainPlayerGrid(), {"Adam"});
  Window->ChooseWeather(iiSunny);
  EXPECT_EQ(Window->GetWeatherCode(), 3);
  EXPECT_EQ(Window->AppliedWeatherImage(), iiSunny);
  EXPECT_EQ(Window->MainPlayerGrid().Modes().Weather, 3);
  EXPECT_EQ(Window->TempPlayerGrid().Modes().Weather, 3);
  EXPECT_EQ(Window->ButtonAction(cmWeather)->toolTip(), "Sunny weather");
  const struct {
    int Image;
    int Code;
  } cases[] = {{iiPartiallyCloudy, 2}, {iiOvercast, 1}, {iiRainy, 0}, {iiUndefinedWeather, 4}, {iiDisabledWeather, 5}};
  for (const auto& c : cases) {
    Window->ChooseWeather(c.Image);
    EXPECT_EQ(Window->GetWeatherCode(), c.Code) << c.Image;
    EXPECT_EQ(Window->MainPlayerGrid().Modes().Weather, c.Code) << c.Image;
  }
  EXPECT_EQ(Window->ButtonAction(cmWeather)->toolTip(), "Disabled (Default) weather");
}

TEST_F(TFormMainTest, DisplayModesReachBothGridsAndTheHistoryStore) {
  Window->AssumePassableFormsClick();
  EXPECT_TRUE(Window->IsAssumePassableForms());
  EXPECT_TRUE(Window->ButtonAction(cmAssumePassableForms)->isChecked());
  EXPECT_TRUE(Window->TempPlayerGrid().Modes().AssumePassableForms);
  Window->AssumePassableFormsClick();
  EXPECT_FALSE(Window->MainPlayerGrid().Modes().AssumePassableForms);
  // Training needs two snapshots to be enabled.
  Window->TrainingClick();
  EXPECT_FALSE(Window->IsTrainingOn());
  Window->SetCommandEnabled(cmTraining, true);
  Window->TrainingClick();
  EXPECT_TRUE(Window->IsTrainingOn());
  EXPECT_TRUE(History().TrainingOn());
  EXPECT_TRUE(Window->MainPlayerGrid().Modes().Training);
}

TEST(FormMainComparison, TheComparisonPageIsTheFirstOlderSnapshotWithOtherForms) {
  THistory history;
  history.Add(FormPage(1, {4, 5}));
  history.Add(FormPage(2, {5, 5}));
  history.Add(FormPage(3, {5, 6}));
  history.Add(FormPage(4, {5, 6}));
  ASSERT_EQ(history.Count(), 4);
  const struct {
    int Shown;
    int Expected;
  } cases[] = {{4, 2}, {3, 2}, {2, 1}, {1, 0}, {0, 0}, {5, 0}};
  for (const auto& c : cases) EXPECT_EQ(ComparisonPageOf(history, c.Shown), c.Expected) << c.Shown;
  THistory same;
  same.Add(FormPage(1, {5}));
  same.Add(FormPage(2, {5}));
  EXPECT_EQ(ComparisonPageOf(same, 2), 0);
}

TEST_F(TFormMainTest, ClosingWithTrainingOnSavesRatingsComputedWithoutTraining) {
  TFixedProgress progress(0.9);
  TPlayerGrid& main = Window->MainPlayerGrid();
  AddTestPlayers(main, {"Adam", "Bert"});
  const QString untrained = main.Cell(paInnerMidfieldRating, 1);
  Window->SetCommandEnabled(cmTraining, true);
  Window->TrainingClick();
  Window->AssumePassableFormsClick();
  Window->ChooseWeather(iiRainy);
  ASSERT_NE(main.Cell(paInnerMidfieldRating, 1), untrained);
  Window->show();
  Window->close();
  EXPECT_TRUE(Preferences().StateTraining);
  EXPECT_TRUE(Preferences().StateAssumePassableForms);
  EXPECT_FALSE(Window->IsTrainingOn());
  EXPECT_EQ(Window->GetWeatherCode(), wDisabled);

  TPlayerGrid saved;
  saved.LoadFromFile(Home / "Work" / "PlayerGridMain.mgf");
  saved.SortPlayers(0, sfAscending, fkText);
  ASSERT_EQ(GridNames(saved), QStringList({"Adam", "Bert"}));
  EXPECT_EQ(saved.Cell(paInnerMidfieldRating, 1), untrained);
}

// ---- Matches ---------------------------------------------------------------------------------------------------------

TEST_F(TFormMainTest, TeamBoxesListTheMatchFilesAndDeleteMatchAsksAndRemovesTheMatch) {
  TSampleWorldInfo info;
  WriteOneSeason(Home.Path(), info);
  Window->RefreshTeamTitles();
  QComboBox& team = Window->TeamBox(true);
  ASSERT_EQ(team.count(), 3);
  EXPECT_EQ(Window->TeamBox(false).count(), 3);
  const int own = team.findText(QString::fromStdString(info.OwnTeamName + " (" + std::to_string(info.OwnTeamID) + ")"));
  ASSERT_GE(own, 0);
  team.setCurrentIndex(own);
  EXPECT_EQ(TFormMain::ComboBoxIDText(team), std::to_string(info.OwnTeamID));
  Window->TeamBoxChange(true);
  TMatchGrid& grid = Window->MainMatchGrid();
  const int rows = grid.RowCount();
  ASSERT_GT(rows, 5);

  grid.SelectRow(2);
  const QString matchID = grid.Cell(2, 2).trimmed();
  Messages.Answers = {mbNo, mbYes};
  Window->DeleteMatchClick(true);
  ASSERT_EQ(Messages.Questions.size(), 1);
  EXPECT_TRUE(Messages.Questions[0].startsWith("Match: " + grid.Cell(0, 2).mid(1) + "\r\nMatch ID: " + matchID +
                                               "\r\n\r\n"))
      << Messages.Questions[0].toStdString();
  EXPECT_TRUE(Messages.Questions[0].endsWith("removed from match file.\r\nDo you wish to proceed?"));
  EXPECT_EQ(grid.RowCount(), rows);
  Window->DeleteMatchClick(true);
  EXPECT_EQ(grid.RowCount(), rows - 1);
  const auto path = Home / "History" / "Matches" / (std::to_string(info.OwnTeamID) + ".xml");
  TTeamMatchFile file;
  file.LoadFromFile(path);
  EXPECT_EQ(static_cast<int>(file.Matches().size()), rows - 2);
  EXPECT_FALSE(file.FindMatch(matchID.toStdString()));

  // A team box without an ID in parentheses: nothing happens after the question.
  team.setEditable(true);
  team.setEditText("Red Lions");
  Messages.Answers = {mbYes};
  Window->DeleteMatchClick(true);
  EXPECT_EQ(Messages.Questions.size(), 3);
  EXPECT_EQ(grid.RowCount(), rows - 1);
  file.LoadFromFile(path);
  EXPECT_EQ(static_cast<int>(file.Matches().size()), rows - 2);
  EXPECT_TRUE(Messages.Texts.isEmpty()) << Messages.Texts.join("\n").toStdString();
}

TEST_F(TFormMainTest, AFilterBoxSetToItsBlankGoesBackToItsTitle) {
  QComboBox& type = Window->TypeBox(true);
  ASSERT_EQ(type.count(), 6);
  EXPECT_EQ(type.itemText(0), "Type");
  EXPECT_EQ(Window->ResultBox(false).itemText(4), "Deuce");
  EXPECT_EQ(Window->WeatherBox(false).itemText(3), "P. Cloudy");
  type.setCurrentIndex(3);
  Window->FilterBoxChange(true, type);
  EXPECT_EQ(type.currentIndex(), 3);
  EXPECT_TRUE(type.styleSheet().contains("#a6caf0")) << type.styleSheet().toStdString();
  type.setCurrentIndex(1);
  Window->FilterBoxChange(true, type);
  EXPECT_EQ(type.currentIndex(), 0);
  EXPECT_TRUE(type.styleSheet().contains("#fffbf0")) << type.styleSheet().toStdString();
}

TEST_F(TFormMainTest, TheRememberedTeamsAndFiltersComeBackAtTheNextStart) {
  TSampleWorldInfo info;
  WriteOneSeason(Home.Path(), info);
  Window->RefreshTeamTitles();
  QComboBox& team = Window->TeamBox(false);
  team.setCurrentIndex(1);
  const QString title = team.currentText();
  const std::string teamID = TFormMain::ComboBoxIDText(team);
  Window->TeamBoxChange(false);
  const int rows = Window->TempMatchGrid().RowCount();
  ASSERT_GT(rows, 2);
  Window->ResultBox(false).setCurrentIndex(2);
  Window->FilterBoxChange(false, Window->ResultBox(false));
  const int shown = Window->TempMatchGrid().RowCount();
  EXPECT_LT(shown, rows);
  Window->show();
  Window->close();
  Window.reset();
  EXPECT_EQ(Preferences().SelectedTeamT, title.toStdString());
  EXPECT_EQ(Preferences().IndexResultT, 2);

  TFormMain again(Home.Path() / "");
  ASSERT_TRUE(again.FormCreate());
  EXPECT_EQ(again.TeamBox(false).currentText(), title);
  EXPECT_EQ(again.TeamBox(true).currentIndex(), -1);
  EXPECT_EQ(again.ResultBox(false).currentIndex(), 2);
  EXPECT_EQ(again.TempMatchGrid().TeamID(), teamID);
  EXPECT_EQ(again.TempMatchGrid().RowCount(), shown);
  EXPECT_TRUE(Messages.Texts.isEmpty()) << Messages.Texts.join("\n").toStdString();
}

// ---- Status bar -------------------------------------------------------------------------------------------------------

TEST_F(TFormMainTest, StatusPanesShareTheBarWithTheStartupPaneAndTheProgressBar) {
  Window->resize(900, 700);
  Window->show();
  QApplication::processEvents();
  auto expect = [&](bool startup, bool progress) {
    Window->StartupPane().setVisible(startup);
    Window->ProgressBar().setVisible(progress);
    Window->RzStatusBarResize();
    const int bar = Window->statusBar()->width();
    const int fixed = (startup ? 200 : 0) + (progress ? Window->ProgressBar().width() : 0);
    const int column = std::min((bar - fixed) / 2, 200);  // at most 25 status units of 8 pixels
    EXPECT_EQ(Window->ColumnPane().width(), column) << startup << progress;
    EXPECT_LE(Window->InfoPane().width(), std::min(bar - fixed - column, 200)) << startup << progress;
    EXPECT_LE(Window->ColumnPane().width() + Window->InfoPane().width() + fixed, bar);
  };
  expect(false, false);
  expect(true, false);
  expect(true, true);
  Window->resize(Window->minimumSizeHint().width(), 700);
  QApplication::processEvents();
  expect(true, true);
  Window->hide();
}

namespace {
void WriteOneSeason(const std::filesystem::path& home, TSampleWorldInfo& info) {
  TSampleWorldOptions options;
  options.Seasons = 1;
  options.LastRound = 8;
  WriteSampleWorld(home, options, &info);
}
}  // namespace

namespace {
QAction* FindAction(QMenu& menu, const QString& text) {
  for (QAction* action : menu.actions()) {
    if (action->text() == text) return action;
    if (action->menu())
      if (QAction* found = FindAction(*action->menu(), text)) return found;
  }
  return nullptr;
}
}  // namespace

TEST_F(TFormMainTest, ThePlayerPopupFollowsTheFocusedGridAndTheListShortcutsWork) {
  TPlayerGrid& main = Window->MainPlayerGrid();
  TPlayerGrid& temp = Window->TempPlayerGrid();
  AddTestPlayers(main, {"Adam", "Bert"});
  AddTestPlayers(temp, {"Carl"});
  Window->show();
  main.setFocus();
  QApplication::processEvents();
  QMenu* popup = main.PopupMenu();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(temp.PopupMenu(), popup);
  popup->popup(main.mapToGlobal(QPoint(20, 30)));
  QApplication::processEvents();
  EXPECT_NE(FindAction(*popup, "&Add to Temp Grid"), nullptr);
  EXPECT_NE(FindAction(*popup, "&Move to Temp Grid"), nullptr);
  ASSERT_NE(FindAction(*popup, "Player &Information"), nullptr);
  EXPECT_TRUE(FindAction(*popup, "Player &Information")->isVisible());
  EXPECT_FALSE(FindAction(*popup, "&Copy to Clipboard")->isEnabled());
  EXPECT_NE(FindAction(*popup, "Count: 0"), nullptr);
  popup->close();

  // Ctrl+A adds the current player of the focused grid, Ctrl+Alt+A copies the list.
  main.SelectRow(2);
  QTest::keyClick(&main, Qt::Key_A, Qt::ControlModifier);
  ASSERT_EQ(Window->ClipboardList().Count(), 1);
  EXPECT_EQ(Window->ClipboardList()[1].PlayerName, "Bert");
  temp.setFocus();
  QApplication::processEvents();
  QTest::keyClick(&temp, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Window->ClipboardList().Count(), 2);
  popup->popup(temp.mapToGlobal(QPoint(20, 30)));
  QApplication::processEvents();
  EXPECT_NE(FindAction(*popup, "&Add to Main Grid"), nullptr);
  EXPECT_FALSE(FindAction(*popup, "Player &Information")->isVisible());
  EXPECT_TRUE(FindAction(*popup, "&Copy to Clipboard")->isEnabled());
  EXPECT_NE(FindAction(*popup, "Count: 2"), nullptr);
  popup->close();
  QTest::keyClick(&temp, Qt::Key_A, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(Window->ClipboardList().Count(), 0);
  EXPECT_TRUE(QApplication::clipboard()->text().contains("\r\n\n"));
  Window->hide();
}
