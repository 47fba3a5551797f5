// The download window against the local game server serving the sample world: the jobs run on their
// threads and change the window through the window thread's Synchronize hook, as in the program.
#include "FormMainTestSupport.h"

#include "core/Clock.h"
#include "core/DateTime.h"
#include "core/Snapshot.h"
#include "core/TeamMatchFile.h"
#include "demo/GameServer.h"
#include "demo/SampleWorld.h"
#include "demo/WorldSource.h"
#include "download/KVIndyHTTP.h"
#include "ui/FormDownload.h"
#include "ui/MatchGrid.h"
#include "ui/MyTeamDisplay.h"
#include "ui/SyncHook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>

#include <cstdlib>

namespace fs = std::filesystem;

namespace {

const TSampleWorldOptions WorldOptions{2, 3, 6};

QStringList ComboItems(const QComboBox& box) {
  QStringList items;
  for (int i = 0; i < box.count(); ++i) items << box.itemText(i);
  return items;
}

class FormDownloadTest : public ::testing::Test {
protected:
  static constexpr const char* User = "demo";
  static constexpr const char* Code = "s3cret";

  void SetUp() override {
    ResetProgramState();
    TClock::SetFixed(ParseDateTime("2026-03-14 12:00:00"));
    TSyncHook::Install();
    Main = std::make_unique<TFormMain>(Home.Path() / "");
    ASSERT_TRUE(Main->FormCreate());
    Server.AddAccount(User, Code);
    Server.Start();
    auto& prefs = Preferences();
    prefs.ConnectionSite = Server.Host();
    prefs.ChooseBestServer = false;
    Main->HTTP().SetLoopbackOnly(true);
    Main->HTTP().SetMainWebHost(Server.Host());
    Main->HTTP().SetReadTimeout(10000);
    Form = std::make_unique<TFormDownload>(*Main);
    Form->FormCreate();
    Form->EditUserName().setText(User);
    Form->EditSecurityCode().setText(Code);
  }

  void TearDown() override {
    Form.reset();
    // The client's kept-alive connection would hold the server's stop up.
    Main.reset();
    Server.Stop();
    TSyncHook::Uninstall();
    TClock::SetFixed(std::nullopt);
    ResetProgramState();
  }

  // Clicks Download and waits until the job has ended.
  void DownloadAndWait() {
    Form->ButtonDownload().click();
    ASSERT_TRUE(WaitUntil([&] { return !Form->JobRunning(); }));
    // The job's last window call has run: the button is back.
    EXPECT_EQ(Form->ButtonDownload().text(), "Download");
    EXPECT_TRUE(Form->ButtonClose().isEnabled());
  }
  bool ReportHas(const QString& line) const { return Form->ReportText().split('\n').contains(line); }
  // The own league's teams into the team list ("My league").
  void AddMyLeague() {
    Form->ButtonMyLeague().click();
    ASSERT_TRUE(WaitUntil([&] { return !Form->JobRunning(); }));
    ASSERT_TRUE(ReportHas("Connection completed successfully")) << Form->ReportText().toStdString();
  }
  void CheckOnly(std::initializer_list<int> rows) {
    Form->ButtonSelectNone().click();
    for (int row : rows) Form->ListViewTeams().topLevelItem(row)->setCheckState(0, Qt::Checked);
  }
  fs::path MatchStore(const std::string& teamID) const {
    return TTeamMatchFile::PathOf(Main->Folders().MatchesFolder(), teamID);
  }

  TTempFolder Home;
  TCapturedMessages Messages;
  std::shared_ptr<TSampleWorldSource> World = std::make_shared<TSampleWorldSource>(WorldOptions);
  TGameServer Server{World};
  std::unique_ptr<TFormMain> Main;
  std::unique_ptr<TFormDownload> Form;
};

TEST_F(FormDownloadTest, OwnTeamDownloadFillsTheRowsTheReportAndTheChosenGrid) {
  // Without a snapshot there is no season to offer.
  EXPECT_FALSE(Form->RadioSeason().isEnabled());
  for (const bool toTemp : {false, true}) {
    SCOPED_TRACE(toTemp ? "temporary grid" : "main grid");
    Preferences().LoadPlayersToTempGird = toTemp;
    Main->MainPlayerGrid().Clear();
    Main->TempPlayerGrid().Clear();
    Form->Open(TFormDownload::pgMyTeam);

    Form->ButtonDownload().click();
    // At once, before the job's first window call: no second start, no closing.
    EXPECT_EQ(Form->ButtonDownload().text(), "Stop");
    EXPECT_FALSE(Form->ButtonClose().isEnabled());
    EXPECT_FALSE(Form->ButtonMyLeague().isEnabled());
    ASSERT_TRUE(WaitUntil([&] { return !Form->JobRunning(); }));

    EXPECT_EQ(Form->ButtonDownload().text(), "Download");
    EXPECT_TRUE(Form->ButtonClose().isEnabled());
    EXPECT_TRUE(Form->ButtonMyLeague().isEnabled());
    for (int row = 0; row < TMyTeamDisplay::NodeCount; ++row) {
      EXPECT_EQ(Form->FileRows().GetNode(row).Status(), TMyTeamNode::Done) << row;
      EXPECT_TRUE(Form->FileRows().GetNode(row).Image()->isVisibleTo(Form.get())) << row;
      EXPECT_FALSE(Form->FileRows().GetNode(row).Busy()) << row;
    }
    EXPECT_TRUE(ReportHas("Connection completed")) << Form->ReportText().toStdString();
    // Each progress line was replaced by its result.
    EXPECT_FALSE(ReportHas("Downloading Players...")) << Form->ReportText().toStdString();
    EXPECT_TRUE(ReportHas("Downloaded Players"));
    EXPECT_TRUE(Form->RadioSeason().isEnabled());
    EXPECT_TRUE(Form->EditSeason().isEnabled());

    ASSERT_GE(History().Count(), 1);
    THistoryPage& page = History().Latest();
    TPlayerGrid& shown = toTemp ? Main->TempPlayerGrid() : Main->MainPlayerGrid();
    TPlayerGrid& other = toTemp ? Main->MainPlayerGrid() : Main->TempPlayerGrid();
    const QStringList names = GridNames(shown);
    const bool coachLeftOut = Preferences().DoNotImportCoach && page.GetTrainer();
    EXPECT_EQ(names.size(), page.Players.Count() - (coachLeftOut ? 1 : 0));
    for (const TPlayer& player : page.Players)
      if (&player != page.GetTrainer()) {
        EXPECT_TRUE(names.contains(QString::fromStdString(player.PlayerName)));
      }
    EXPECT_TRUE(other.IsEmpty());
    EXPECT_TRUE(fs::exists(Main->Folders().HistoryFolder() / SnapshotFileName("2026-03-14", TSnapshotKind::Players)));
  }
  // A snapshot makes the Rating Analyzer usable.
  EXPECT_EQ(History().Count(), 1);
}

TEST_F(FormDownloadTest, MatchPageStartsTheSeasonUpDownAtTheNewestSeasonAndItsMovesSelectSeason) {
  DownloadAndWait();
  ASSERT_EQ(History().Count(), 1);
  const int season = History().Latest().World.Season;
  ASSERT_GE(season, 1);
  Form->PageControl().setCurrentIndex(TFormDownload::pgMatch);
  EXPECT_EQ(Form->SeasonPosition(), season);
  EXPECT_EQ(Form->SeasonMax(), season);
  EXPECT_EQ(Form->SeasonMin(), std::max(1, season - 2));
  EXPECT_EQ(Form->EditSeason().text(), QString::number(season));
  EXPECT_TRUE(Form->RadioLastMatch().isChecked());

  // Up stops at the newest season; down goes two back at most (never below 1).
  Form->UpDownSeasonUp().click();
  EXPECT_EQ(Form->SeasonPosition(), season);
  EXPECT_TRUE(Form->RadioSeason().isChecked());
  for (int i = 0; i < 5; ++i) Form->UpDownSeasonDown().click();
  EXPECT_EQ(Form->SeasonPosition(), std::max(1, season - 2));

  // Typing selects "Season" too; switching pages again keeps what the user chose.
  Form->RadioLastMatch().setChecked(true);
  QTest::keyClick(&Form->EditSeason(), Qt::Key_Backspace);
  EXPECT_TRUE(Form->RadioSeason().isChecked());
  Form->PageControl().setCurrentIndex(TFormDownload::pgMyTeam);
  Form->PageControl().setCurrentIndex(TFormDownload::pgMatch);
  EXPECT_EQ(Form->SeasonPosition(), std::max(1, season - 2));
}

TEST_F(FormDownloadTest, StopDuringADownloadEndsItAndMarksTheRemainingFilesFailed) {
  TGameFaultSpec stall;
  stall.Fault = TGameFault::Stall;
  stall.StallFor = std::chrono::milliseconds(3000);
  Server.InjectFault("players", stall);
  const int playersRow = static_cast<int>(TSnapshotKind::Players);

  Form->ButtonDownload().click();
  // The label goes bold before the progress line is written.
  ASSERT_TRUE(WaitUntil([&] { return ReportHas("Downloading Players..."); }));
  EXPECT_TRUE(Form->FileRows().GetNode(playersRow).Busy());
  Form->ButtonDownload().click();
  // Stopping: no second click until the job has ended; the window keeps running meanwhile.
  EXPECT_FALSE(Form->ButtonDownload().isEnabled());
  ASSERT_TRUE(WaitUntil([&] { return !Form->JobRunning(); }));

  EXPECT_EQ(Form->ButtonDownload().text(), "Download");
  EXPECT_TRUE(Form->ButtonDownload().isEnabled());
  EXPECT_TRUE(Form->ButtonClose().isEnabled());
  EXPECT_TRUE(ReportHas("Connection terminated")) << Form->ReportText().toStdString();
  EXPECT_FALSE(ReportHas("Connection completed"));
  for (int row = 0; row < playersRow; ++row)
    EXPECT_EQ(Form->FileRows().GetNode(row).Status(), TMyTeamNode::Done) << row;
  for (int row = playersRow + 1; row < TMyTeamDisplay::NodeCount; ++row)
    EXPECT_EQ(Form->FileRows().GetNode(row).Status(), TMyTeamNode::Failed) << row;
  EXPECT_EQ(History().Count(), 0);
  EXPECT_TRUE(fs::is_empty(Main->Folders().HistoryFolder() / "Matches"));
}

TEST_F(FormDownloadTest, MatchDownloadOfTwoCheckedTeamsFillsTheTeamBoxesAndReloadsTheShownTeam) {
  Form->PageControl().setCurrentIndex(TFormDownload::pgMatch);
  AddMyLeague();
  ASSERT_GE(Form->TeamList().Count(), 3);
  for (const TTeamListEntry& entry : Form->TeamList().Entries()) EXPECT_TRUE(entry.Checked) << entry.TeamID;
  ASSERT_EQ(Form->ListViewTeams().topLevelItemCount(), Form->TeamList().Count());
  CheckOnly({0, 1});
  ASSERT_EQ(Form->TeamList().CheckedEntries().size(), 2u);
  const std::vector<TTeamListEntry> teams = Form->TeamList().CheckedEntries();

  DownloadAndWait();
  ASSERT_TRUE(ReportHas("Connection completed")) << Form->ReportText().toStdString();
  for (const TTeamListEntry& team : teams) {
    EXPECT_TRUE(ReportHas(QString::fromStdString("Team: " + team.Name)));
    EXPECT_TRUE(fs::exists(MatchStore(team.TeamID))) << team.TeamID;
  }
  QStringList expected;
  for (const TTeamListEntry& team : teams) expected << QString::fromStdString(team.Name + " (" + team.TeamID + ")");
  QStringList titles = ComboItems(Main->TeamBox(true));
  titles.sort();
  expected.sort();
  EXPECT_EQ(titles, expected);
  EXPECT_EQ(ComboItems(Main->TeamBox(false)), ComboItems(Main->TeamBox(true)));

  // The main half shows the first team; its recent matches reach the grid when they are downloaded.
  Main->TeamBox(true).setCurrentIndex(Main->TeamBox(true).findText(expected.filter(
      QString::fromStdString("(" + teams[0].TeamID + ")"))[0]));
  const int before = Main->MainMatchGrid().FullRowCount();
  CheckOnly({0});
  Form->RadioRecentMatches().setChecked(true);
  DownloadAndWait();
  ASSERT_TRUE(ReportHas("Connection completed")) << Form->ReportText().toStdString();
  EXPECT_GT(Main->MainMatchGrid().FullRowCount(), before);

  if (const char* folder = std::getenv("PITCHBOOK_SCREENSHOT_DIR")) {
    Form->Open(TFormDownload::pgMatch);
    QApplication::processEvents();
    Form->grab().save(QString::fromLocal8Bit(folder) + "/FormDownloadMatch.png");
  }
}

TEST_F(FormDownloadTest, OtherTeamAddsTheTeamOfTheIDChecked) {
  int otherID = 0;
  World->Use([&](const TSampleWorld& world) { otherID = world.Info().FollowedTeamIDs.back(); });
  Form->PageControl().setCurrentIndex(TFormDownload::pgMatch);
  Form->TeamList().Add({"42", "", "Listed", false});
  Form->ShowTeamList();

  // An ID that is not all digits is refused before anything is sent.
  Form->EditTeamID().setText("12a");
  Form->ButtonOtherTeam().click();
  ASSERT_TRUE(WaitUntil([&] { return !Form->JobRunning(); }));
  EXPECT_EQ(Messages.Texts, QStringList{"Invalid team ID"});
  EXPECT_EQ(Server.TotalRequests(), 0);
  EXPECT_EQ(Form->TeamList().Count(), 1);

  Form->EditTeamID().setText(QString::number(otherID));
  Form->ButtonOtherTeam().click();
  EXPECT_FALSE(Form->ButtonDownload().isEnabled());
  EXPECT_FALSE(Form->ButtonOtherTeam().isEnabled());
  ASSERT_TRUE(WaitUntil([&] { return !Form->JobRunning(); }));
  EXPECT_TRUE(ReportHas("Connection completed successfully")) << Form->ReportText().toStdString();
  ASSERT_EQ(Form->ListViewTeams().topLevelItemCount(), 2);
  const QTreeWidgetItem* added = Form->ListViewTeams().topLevelItem(1);
  EXPECT_EQ(added->text(0), QString::number(otherID));
  EXPECT_FALSE(added->text(1).isEmpty());
  EXPECT_FALSE(added->text(2).isEmpty());
  EXPECT_EQ(added->checkState(0), Qt::Checked);
  EXPECT_TRUE(Form->ButtonDownload().isEnabled());
  EXPECT_TRUE(Form->ButtonClose().isEnabled());
}

TEST_F(FormDownloadTest, SeasonDownloadNeedsASeasonOfDigits) {
  Form->TeamList().Add({"42", "7", "Red Lions", true});
  Form->ShowTeamList();
  Form->EnableSeasonControls();
  Form->PageControl().setCurrentIndex(TFormDownload::pgMatch);
  Form->RadioSeason().setChecked(true);
  for (const char* text : {"", "x1", "-1", " 3", "99999999999"}) {
    SCOPED_TRACE(text);
    Messages.Texts.clear();
    Form->EditSeason().setText(text);
    Form->ButtonDownload().click();
    EXPECT_EQ(Messages.Texts, QStringList{"Invalid season number"});
    EXPECT_FALSE(Form->JobRunning());
    EXPECT_EQ(Form->ButtonDownload().text(), "Download");
  }
  // Another mode does not look at the season.
  Messages.Texts.clear();
  Form->EditSeason().setText("x1");
  Form->RadioLastMatch().setChecked(true);
  Form->ButtonDownload().click();
  EXPECT_TRUE(Messages.Texts.isEmpty());
  EXPECT_TRUE(WaitUntil([&] { return !Form->JobRunning(); }));
}

TEST_F(FormDownloadTest, MatchDownloadWithAnEmptyTeamListStartsNothing) {
  Form->PageControl().setCurrentIndex(TFormDownload::pgMatch);
  Form->ButtonDownload().click();
  EXPECT_FALSE(Form->JobRunning());
  EXPECT_EQ(Form->ButtonDownload().text(), "Download");
  EXPECT_EQ(Server.RequestCount("login"), 0);
}

TEST_F(FormDownloadTest, DownloadAndTheTeamListButtonsNeedBothLoginFields) {
  struct TCase {
    const char* User;
    const char* Code;
    bool Enabled;
  };
  for (const TCase& c : {TCase{"", "", false}, TCase{"demo", "", false}, TCase{"", "code", false},
                         TCase{"demo", "code", true}}) {
    SCOPED_TRACE(std::string(c.User) + "/" + c.Code);
    Form->EditUserName().setText(c.User);
    Form->EditSecurityCode().setText(c.Code);
    EXPECT_EQ(Form->ButtonDownload().isEnabled(), c.Enabled);
    EXPECT_EQ(Form->ButtonMyLeague().isEnabled(), c.Enabled);
    EXPECT_EQ(Form->ButtonOtherTeam().isEnabled(), c.Enabled);
  }
}

TEST_F(FormDownloadTest, EnterInALoginFieldOrTheTeamIDStartsTheDownloadWhenItIsEnabled) {
  Form->Open(TFormDownload::pgMyTeam);
  // With a field empty, Download is disabled and Enter does nothing.
  Form->EditUserName().clear();
  QTest::keyClick(&Form->EditSecurityCode(), Qt::Key_Return);
  EXPECT_FALSE(Form->JobRunning());
  EXPECT_EQ(Server.TotalRequests(), 0);

  Form->EditUserName().setText(User);
  Form->EditSecurityCode().setFocus();
  QTest::keyClick(&Form->EditSecurityCode(), Qt::Key_Return);
  EXPECT_EQ(Form->ButtonDownload().text(), "Stop");
  ASSERT_TRUE(WaitUntil([&] { return !Form->JobRunning(); }));
  EXPECT_TRUE(ReportHas("Connection completed"));

  // Enter in the team ID edit starts the download of the shown page too.
  Form->PageControl().setCurrentIndex(TFormDownload::pgMatch);
  Form->TeamList().Add({"42", "7", "Red Lions", false});
  QTest::keyClick(&Form->EditTeamID(), Qt::Key_Enter);
  EXPECT_EQ(Form->ButtonDownload().text(), "Stop");
  ASSERT_TRUE(WaitUntil([&] { return !Form->JobRunning(); }));

  // Escape closes the window.
  ASSERT_TRUE(Form->isVisible());
  QTest::keyClick(Form.get(), Qt::Key_Escape);
  EXPECT_FALSE(Form->isVisible());
}

TEST_F(FormDownloadTest, LoginFieldsComeFromThePreferencesAndAFailedLoginIsReported) {
  auto& prefs = Preferences();
  prefs.UserName = "someone";
  prefs.SaveUsernamePassword = true;
  prefs.SetPassword("wrong");
  TFormDownload form(*Main);
  form.FormCreate();
  EXPECT_EQ(form.EditUserName().text(), "someone");
  EXPECT_EQ(form.EditSecurityCode().text(), "wrong");
  EXPECT_EQ(form.EditSecurityCode().echoMode(), QLineEdit::Password);
  form.ButtonDownload().click();
  ASSERT_TRUE(WaitUntil([&] { return !form.JobRunning(); }));
  EXPECT_TRUE(form.ReportText().split('\n').contains("** Login failed")) << form.ReportText().toStdString();
  for (int row = 0; row < TMyTeamDisplay::NodeCount; ++row) {
    EXPECT_EQ(form.FileRows().GetNode(row).Status(), TMyTeamNode::Pending);
    EXPECT_FALSE(form.FileRows().GetNode(row).Image()->isVisibleTo(&form));
  }
}

// ---- Removing teams -----------------------------------------------------------------------------------------------

std::string StoreWithTeam(const std::string& id, const std::string& name) {
  return "<?xml version=\"1.0\" ?>\n<PitchbookTeamData><MatchData ID=\"1\"><Season>07</Season><MatchRound>03"
         "</MatchRound><matchLineup.asp><HomeTeam><HomeTeamID>" +
         id + "</HomeTeamID><HomeTeamName>" + name +
         "</HomeTeamName></HomeTeam><AwayTeam><AwayTeamID>9</AwayTeamID><AwayTeamName>Other</AwayTeamName>"
         "</AwayTeam></matchLineup.asp></MatchData></PitchbookTeamData>\n";
}

TEST_F(FormDownloadTest, RemovingCheckedTeamsAsksWhetherTheirMatchFilesGoToo) {
  struct TCase {
    TMessageButton Answer;
    QStringList ListLeft;      // team IDs
    bool StoresOfCheckedKept;
    int Titles;
  };
  for (const TCase& c : {TCase{mbCancel, {"100", "200", "300"}, true, 3}, TCase{mbNo, {"200"}, true, 3},
                         TCase{mbYes, {"200"}, false, 1}}) {
    SCOPED_TRACE(c.Answer);
    TTeamList& list = Form->TeamList();
    list.Clear();
    list.Add({"100", "7", "Red Lions", true});
    list.Add({"200", "7", "Blue Birds", false});
    list.Add({"300", "7", "Green Men", true});
    Form->ShowTeamList();
    for (const auto& [id, name] : {std::pair{"100", "Red Lions"}, {"200", "Blue Birds"}, {"300", "Green Men"}})
      WriteWholeFile(MatchStore(id), StoreWithTeam(id, name));
    Main->RefreshTeamTitles();
    ASSERT_EQ(Main->TeamBox(true).count(), 3);
    Messages.Questions.clear();
    Messages.Answers = {c.Answer};

    Form->ButtonRemoveChecked().click();
    ASSERT_EQ(Messages.Questions.size(), 1);
    EXPECT_TRUE(Messages.Questions[0].startsWith("Following teams are about to be removed from Team List."));
    EXPECT_TRUE(Messages.Questions[0].endsWith("team information.\n\n* Red Lions\n* Green Men"))
        << Messages.Questions[0].toStdString();
    QStringList left;
    for (const TTeamListEntry& entry : list.Entries()) left << QString::fromStdString(entry.TeamID);
    EXPECT_EQ(left, c.ListLeft);
    EXPECT_EQ(Form->ListViewTeams().topLevelItemCount(), c.ListLeft.size());
    EXPECT_EQ(fs::exists(MatchStore("100")), c.StoresOfCheckedKept);
    EXPECT_EQ(fs::exists(MatchStore("300")), c.StoresOfCheckedKept);
    EXPECT_TRUE(fs::exists(MatchStore("200")));
    EXPECT_EQ(Main->TeamBox(true).count(), c.Titles);
    EXPECT_EQ(Main->TeamBox(false).count(), c.Titles);
  }
  // Nothing checked: no question.
  Messages.Questions.clear();
  Form->ButtonSelectNone().click();
  Form->ButtonRemoveChecked().click();
  EXPECT_TRUE(Messages.Questions.isEmpty());
}

TEST_F(FormDownloadTest, TheTeamListIsSavedWithItsChecksAndReadAtCreation) {
  Form->TeamList().Add({"100", "7", "Red Lions", true});
  Form->TeamList().Add({"42", "", "", true});
  Form->ShowTeamList();
  Form->ListViewTeams().topLevelItem(1)->setCheckState(0, Qt::Unchecked);
  Form.reset();
  EXPECT_EQ(ReadWholeFile(Home / TTeamList::FileName), "1|100|7|Red Lions|\n0|42|||\n");

  Form = std::make_unique<TFormDownload>(*Main);
  Form->FormCreate();
  ASSERT_EQ(Form->ListViewTeams().topLevelItemCount(), 2);
  EXPECT_EQ(Form->ListViewTeams().topLevelItem(0)->checkState(0), Qt::Checked);
  EXPECT_EQ(Form->ListViewTeams().topLevelItem(0)->text(2), "Red Lions");
  EXPECT_EQ(Form->ListViewTeams().topLevelItem(1)->checkState(0), Qt::Unchecked);
  Form->ButtonSelectAll().click();
  EXPECT_EQ(Form->TeamList().CheckedEntries().size(), 2u);
  EXPECT_EQ(Form->ListViewTeams().topLevelItem(1)->checkState(0), Qt::Checked);
}

// ---- The report ---------------------------------------------------------------------------------------------------

TEST_F(FormDownloadTest, ReportLinesHaveTheirColoursAndAReplacingLineTakesThePlaceOfThePreviousMessage) {
  const QString introduction = Form->ReportText();
  Form->AddReportMessage({TDlMessageKind::Info, "Downloading Team...", false});
  Form->AddReportMessage({TDlMessageKind::Info, "Downloaded Team", true});
  Form->AddReportMessage({TDlMessageKind::Heading, "Team: Red Lions", false});
  Form->AddReportMessage({TDlMessageKind::Notice, "ID: 5, xml node exists", false});
  Form->AddReportMessage({TDlMessageKind::Error, "Connection error\nRead timed out.", false});
  Form->AddReportMessage({TDlMessageKind::Error, "Replaced both lines", true});
  EXPECT_EQ(Form->ReportText(), introduction + "Downloaded Team\nTeam: Red Lions\nID: 5, xml node exists\n"
                                               "** Replaced both lines\n");

  struct TLook {
    QString Text;
    QColor Colour;
    bool Bold;
  };
  const TLook looks[] = {{"Downloaded Team", QColor(0, 255, 0), false},
                         {"Team: Red Lions", QColor(0, 255, 0), true},
                         {"ID: 5, xml node exists", QColor(0, 255, 255), false},
                         {"** Replaced both lines", QColor(255, 255, 0), false}};
  for (const TLook& look : looks) {
    SCOPED_TRACE(look.Text.toStdString());
    const QTextBlock block = Form->Report().document()->find(look.Text).block();
    ASSERT_TRUE(block.isValid());
    const QTextCharFormat format = block.begin().fragment().charFormat();
    EXPECT_EQ(format.foreground().color(), look.Colour);
    EXPECT_EQ(format.fontWeight() == QFont::Bold, look.Bold);
    EXPECT_EQ(format.fontUnderline(), look.Bold);
  }
}

// ---- The main window's commands ----------------------------------------------------------------------------------

TEST_F(FormDownloadTest, TheMainWindowsDownloadCommandsOpenTheWindowOnTheirPage) {
  // The start-up loader's end enables both commands, now that the window is there.
  for (auto command : {TFormMain::cmMyTeamDownload, TFormMain::cmMatchDownload})
    Main->SetCommandEnabled(command, true);
  ASSERT_TRUE(Main->IsCommandEnabled(TFormMain::cmMyTeamDownload));
  ASSERT_TRUE(Main->IsCommandEnabled(TFormMain::cmMatchDownload));

  // Without a snapshot the Match Download menu entry explains instead.
  Main->MenuAction(TFormMain::cmMatchDownload)->trigger();
  EXPECT_EQ(Messages.Texts.size(), 1);
  EXPECT_TRUE(Messages.Texts.value(0).startsWith("You have to download your team xml files"));
  EXPECT_FALSE(Form->isVisible());

  Main->MenuAction(TFormMain::cmMyTeamDownload)->trigger();
  EXPECT_TRUE(Form->isVisible());
  EXPECT_TRUE(Form->isModal());
  EXPECT_EQ(Form->PageControl().currentIndex(), TFormDownload::pgMyTeam);
  EXPECT_TRUE(Main->ButtonAction(TFormMain::cmMyTeamDownload)->isChecked());
  DownloadAndWait();
  Form->ButtonClose().click();
  EXPECT_FALSE(Form->isVisible());
  EXPECT_FALSE(Main->ButtonAction(TFormMain::cmMyTeamDownload)->isChecked());

  Main->MenuAction(TFormMain::cmMatchDownload)->trigger();
  EXPECT_TRUE(Form->isVisible());
  EXPECT_EQ(Form->PageControl().currentIndex(), TFormDownload::pgMatch);
  EXPECT_TRUE(Main->ButtonAction(TFormMain::cmMatchDownload)->isChecked());
  Form->ButtonClose().click();

  // A screenshot of the window after a completed download, on request.
  if (const char* folder = std::getenv("PITCHBOOK_SCREENSHOT_DIR")) {
    Form->Open(TFormDownload::pgMyTeam);
    Form->resize(Form->sizeHint().expandedTo(Form->size()));
    QApplication::processEvents();
    Form->grab().save(QString::fromLocal8Bit(folder) + "/FormDownload.png");
  }
}

}  // namespace

namespace {

TEST(FormDownloadStartup, TheStartUpLoaderEnablesTheSeasonChoiceAndBothDownloadCommands) {
  ResetProgramState();
  TTempFolder home;
  TCapturedMessages messages;
  WriteSampleWorld(home.Path(), TSampleWorldOptions{1, 5, 4});
  {
    TFormMain main(home.Path() / "");
    ASSERT_TRUE(main.FormCreate());
    TFormDownload form(main);
    form.FormCreate();
    // The followed teams of the archive's team list.
    EXPECT_GE(form.ListViewTeams().topLevelItemCount(), 1);
    EXPECT_FALSE(form.RadioSeason().isEnabled());
    EXPECT_FALSE(main.IsCommandEnabled(TFormMain::cmMyTeamDownload));
    main.show();
    ASSERT_TRUE(WaitUntil([&] { return main.StartupDone(); }));
    EXPECT_TRUE(form.RadioSeason().isEnabled());
    EXPECT_TRUE(form.EditSeason().isEnabled());
    EXPECT_TRUE(main.IsCommandEnabled(TFormMain::cmMyTeamDownload));
    EXPECT_TRUE(main.IsCommandEnabled(TFormMain::cmMatchDownload));
    // With snapshots the Match Download menu entry opens the window on its page.
    main.MenuAction(TFormMain::cmMatchDownload)->trigger();
    EXPECT_TRUE(messages.Texts.isEmpty());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.PageControl().currentIndex(), TFormDownload::pgMatch);
    EXPECT_EQ(form.SeasonPosition(), History().Latest().World.Season);
    form.close();
    main.close();
  }
  ResetProgramState();
}

}  // namespace
