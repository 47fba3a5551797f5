#include "FormMainTestSupport.h"
#include "TestSupport.h"

#include "core/Intl.h"
#include "core/PlayerList.h"
#include "core/PlayerVocabulary.h"
#include "core/PositionRatings.h"
#include "core/TrainingProgressSource.h"
#include "core/Utils.h"
#include "data/History.h"
#include "data/HistoryPage.h"
#include "data/Preferences.h"
#include "ui/PlayerGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>


namespace {
std::unique_ptr<TPlayer> MakePlayer(const std::string& name, int64_t id, int skill = 5) {
  return MakeTestPlayer(name, id, skill);
}

// A training source that reports the same progress for everybody, installed for one test.
class TFixedProgress : public ITrainingProgressSource {
public:
  explicit TFixedProgress(double progress) : FProgress(progress), FPrevious(GetTrainingProgressSource()) {
    SetTrainingProgressSource(this);
  }
  ~TFixedProgress() override { SetTrainingProgressSource(FPrevious); }
  double GetTrainingProgress(int32_t, int skill, bool, int) override {
    return skill >= 3 && skill <= 10 ? FProgress : 0;
  }

private:
  double FProgress;
  ITrainingProgressSource* FPrevious;
};

double Rating(const TPlayer& prototype, int code, int weather, bool training, bool ignoreForm) {
  auto player = prototype.Clone();
  player->Weather = weather;
  player->IncludeTraining = training;
  player->IgnoreForm = ignoreForm;
  player->ClearRatings();
  return player->GetValue(code);
}

QStringList Names(const TPlayerGrid& grid) {
  QStringList names;
  for (int r = 1; r < grid.RowCount(); ++r) names << grid.Cell(0, r);
  return names;
}
}  // namespace

TEST(PlayerGrid, ColumnKeysAreThePreferencesColumnNames) {
  for (int c = 0; c < PlayerColumnCount; ++c)
    EXPECT_STREQ(PlayerColumnTable[static_cast<size_t>(c)].Key, PlayerColumnNames[static_cast<size_t>(c)]) << c;
  TPlayerGrid grid;
  EXPECT_EQ(grid.ColCount(), 38);
  EXPECT_EQ(grid.Cell(37, 0), "Max");
}

TEST(PlayerGrid, ColumnsFollowThePreferences) {
  Preferences().SetDefaults();
  Preferences().SetPlayerColumn(16, false);
  Preferences().SetPlayerColumn(20, true);
  TPlayerGrid grid;
  Preferences().SetDefaults();
  EXPECT_FALSE(grid.IsColumnVisible(16));
  EXPECT_TRUE(grid.IsColumnVisible(20));
  EXPECT_FALSE(grid.IsColumnVisible(19));  // hidden by default
  EXPECT_TRUE(grid.IsColumnVisible(17));
}

TEST(PlayerGrid, EqualNamesGetANumber) {
  TPlayerGrid grid;
  for (int i = 0; i < 3; ++i) {
    auto p = MakePlayer("Ola Nordmann", 100 + i);
    p->Weather = wSunny;
    grid.AddPlayer(*p);
    EXPECT_EQ(p->Weather, wDisabled);  // AddPlayer resets the caller's record
  }
  auto other = MakePlayer("Ola Nordmann (1)", 200);
  grid.AddPlayer(*other);
  EXPECT_EQ(Names(grid), QStringList({"Ola Nordmann", "Ola Nordmann (1)", "Ola Nordmann (2)", "Ola Nordmann (1) (1)"}));
}

TEST(PlayerGrid, NegativeValuesShowAsZeroButTheHealthyInjuryLevelStays) {
  TPlayerGrid grid;
  auto p = MakePlayer("A", 1);
  p->StaminaSkill = -2;
  p->CareerGoals = -1;
  p->InjuryLevel = -1;
  grid.AddPlayer(*p);
  EXPECT_EQ(grid.Cell(paStamina, 1), "0");
  EXPECT_EQ(grid.Cell(paCareerGoals, 1), "0");
  EXPECT_EQ(grid.Cell(paInjuryLevel, 1), "-1");
  EXPECT_EQ(grid.CellInfoText(paInjuryLevel, 1), "healthy");
  EXPECT_EQ(grid.CellLook(paStamina, 1).Text, "0");
}

TEST(PlayerGrid, RowsReadBackIntoThePlayer) {
  TPlayerGrid grid;
  auto p = MakePlayer("Kjetil Ødegård", 212345678);
  p->TrainerType = "2";
  p->TrainerSkill = "5";
  p->Specialty = spHead;
  p->Cards = 2;
  grid.AddPlayer(*p);
  EXPECT_DOUBLE_EQ(grid.GetCellFloat(paBestRating, 1), p->GetBestRating());
  TPlayer read;
  grid.ReadRow(read, 1);
  for (int c = 1; c <= 27; ++c) EXPECT_EQ(read.GetValue(c), p->GetValue(c)) << c;
  EXPECT_EQ(read.PlayerName, "Kjetil Ødegård");
  EXPECT_EQ(read.TrainerType, "2");
  EXPECT_EQ(read.TrainerSkill, "5");
  // Ratings are not read: the player computes them.
  grid.SetCell(paForwardRating, 1, "99");
  TPlayer again;
  grid.ReadRow(again);
  EXPECT_EQ(again.GetForwardRating(), p->GetForwardRating());
  // A damaged cell reads as 0 instead of failing.
  grid.SetCell(paTSI, 1, "x");
  grid.ReadRow(again, 1);
  EXPECT_EQ(again.TSI, 0);
}

TEST(PlayerGrid, ReadAllBuildsPlayersWithTheDisplayModes) {
  TPlayerGrid grid;
  TPlayerList empty;
  grid.ReadAll(empty);
  EXPECT_EQ(empty.Count(), 0);
  for (int i = 0; i < 3; ++i) {
    auto p = MakePlayer("P" + std::to_string(i), 10 + i);
    grid.AddPlayer(*p);
  }
  grid.SetWeather(wRainy);
  grid.SetAssumePassableForms(true);
  TPlayerList list;
  grid.ReadAll(list);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list[1].Weather, wRainy);
  EXPECT_TRUE(list[1].IgnoreForm);
  EXPECT_FALSE(list[1].IncludeTraining);
}

TEST(PlayerGrid, AssumePassableFormsShowsABoldSixAndRecomputesTheRatings) {
  TPlayerGrid grid;
  auto p = MakePlayer("A", 1);
  p->PlayerForm = 2;
  grid.AddPlayer(*p);
  EXPECT_EQ(grid.CellLook(paForm, 1).Text, "2");
  EXPECT_FALSE(grid.CellLook(paForm, 1).Bold);
  EXPECT_TRUE(grid.SetAssumePassableForms(true));
  const auto look = grid.CellLook(paForm, 1);
  EXPECT_EQ(look.Text, "6");
  EXPECT_TRUE(look.Bold);
  EXPECT_EQ(grid.Cell(paForm, 1), "2");  // the stored form stays
  EXPECT_DOUBLE_EQ(grid.GetCellFloat(paInnerMidfieldRating, 1), Rating(*p, paInnerMidfieldRating, wDisabled, false, true));
  EXPECT_NE(grid.GetCellFloat(paInnerMidfieldRating, 1), Rating(*p, paInnerMidfieldRating, wDisabled, false, false));
}

TEST(PlayerGrid, ChoosingTheWeatherAlreadyAppliedRecomputesNothing) {
  TPlayerGrid grid;
  auto p = MakePlayer("A", 1);
  p->Specialty = spTechnical;
  grid.AddPlayer(*p);
  grid.SetCell(paForwardRating, 1, "99");
  EXPECT_FALSE(grid.SetWeather(wDisabled));
  EXPECT_EQ(grid.Cell(paForwardRating, 1), "99");
  EXPECT_TRUE(grid.SetWeather(wSunny));
  EXPECT_DOUBLE_EQ(grid.GetCellFloat(paForwardRating, 1), Rating(*p, paForwardRating, wSunny, false, false));
  grid.SetCell(paForwardRating, 1, "99");
  EXPECT_FALSE(grid.SetWeather(wSunny));
  EXPECT_EQ(grid.Cell(paForwardRating, 1), "99");
}

TEST(PlayerGrid, AddedAndMovedRowsAreRatedUnderTheGridsModes) {
  auto p = MakePlayer("A", 1);
  p->Specialty = spTechnical;
  p->PlayerForm = 2;
  TPlayerGrid grid, other;
  for (TPlayerGrid* g : {&grid, &other}) {
    g->SetWeather(wSunny);
    g->SetAssumePassableForms(true);
  }
  grid.AddPlayer(*p);
  const double expected = Rating(*p, paForwardRating, wSunny, false, true);
  EXPECT_DOUBLE_EQ(grid.GetCellFloat(paForwardRating, 1), expected);
  EXPECT_NE(expected, Rating(*p, paForwardRating, wDisabled, false, false));
  grid.CopyAllTo(other);
  EXPECT_DOUBLE_EQ(other.GetCellFloat(paForwardRating, 1), expected);
  grid.RecalculateAllRatings();
  EXPECT_DOUBLE_EQ(grid.GetCellFloat(paForwardRating, 1), expected);
}

TEST(PlayerGrid, SpecialtyAndWeatherEffectsColourTheSkills) {
  TPlayerGrid grid;
  auto p = MakePlayer("A", 1, 5);
  p->Specialty = spTechnical;
  grid.AddPlayer(*p);
  struct TCase {
    int Weather;
    int Column;
    const char* Text;
    QColor Colour;
    bool Bold;
  } cases[] = {
      {wDisabled, paPlaymaking, "5", Qt::black, false},
      {wRainy, paPlaymaking, "4", Qt::red, true},   // 5 - 0.8
      {wSunny, paPlaymaking, "5", Qt::blue, true},  // 5 + 0.8
      {wSunny, paStamina, "6", Qt::black, false},   // no effect on stamina
  };
  for (const auto& c : cases) {
    grid.SetWeather(c.Weather);
    const auto look = grid.CellLook(c.Column, 1);
    EXPECT_EQ(look.Text, c.Text) << c.Weather << "/" << c.Column;
    EXPECT_EQ(look.Colour, c.Colour) << c.Weather << "/" << c.Column;
    EXPECT_EQ(look.Bold, c.Bold) << c.Weather << "/" << c.Column;
  }
  grid.SetWeather(wRainy);
  EXPECT_EQ(grid.CellClickHint(paPlaymaking, 1), "-80% specialty");
  EXPECT_EQ(grid.CellClickHint(paStamina, 1), "");
}

TEST(PlayerGrid, TrainingShowsInBlueAndTheGridFileKeepsRatingsWithoutIt) {
  TTempFolder folder;
  TFixedProgress progress(0.75);
  TPlayerGrid grid;
  auto p = MakePlayer("A", 1);
  grid.AddPlayer(*p);
  const double without = Rating(*p, paInnerMidfieldRating, wDisabled, false, false);
  ASSERT_TRUE(grid.SetTrainingOn(true));
  EXPECT_DOUBLE_EQ(grid.GetCellFloat(paInnerMidfieldRating, 1), Rating(*p, paInnerMidfieldRating, wDisabled, true, false));
  EXPECT_NE(grid.GetCellFloat(paInnerMidfieldRating, 1), without);
  const auto look = grid.CellLook(paPlaymaking, 1);
  EXPECT_EQ(look.Text, "5");
  EXPECT_EQ(look.Colour, QColor(Qt::blue));
  EXPECT_DOUBLE_EQ(look.Effect, 0.75);
  EXPECT_EQ(grid.CellClickHint(paSetPieces, 1), "+75% training");

  // What the main window does when it closes: modes off, then save.
  grid.SetTrainingOn(false);
  grid.SaveToFile(folder / "PlayerGridMain.mgf");
  TPlayerGrid loaded;
  loaded.LoadFromFile(folder / "PlayerGridMain.mgf");
  ASSERT_FALSE(loaded.IsEmpty());
  EXPECT_DOUBLE_EQ(loaded.GetCellFloat(paInnerMidfieldRating, 1), without);
  EXPECT_EQ(loaded.Cell(0, 1), "A");
}

TEST(PlayerGrid, EditsFollowTheColumnRules) {
  TPlayerGrid grid;
  auto p = MakePlayer("A", 1);
  grid.AddPlayer(*p);
  struct TCase {
    int Column;
    const char* Typed;
    const char* Stored;  // nullptr: rejected
  } cases[] = {
      {paInjuryLevel, "-1", "-1"}, {paInjuryLevel, "9", "9"},  {paInjuryLevel, "10", nullptr},
      {paInjuryLevel, "-2", nullptr}, {paForm, "8", "8"},      {paForm, "9", nullptr},
      {paSpecialty, "6", "6"},     {paSpecialty, "7", nullptr}, {paStamina, "-1", nullptr},
      {paStamina, "007", "7"},     {paStamina, "7a", nullptr},  {paTSI, "", nullptr},
      {0, "Any name (x)", "Any name (x)"}, {28, "3", nullptr},  {paForwardRating, "5", nullptr},
  };
  for (const auto& c : cases) {
    const QString before = grid.Cell(c.Column, 1);
    grid.CommitEdit(c.Column, 1, c.Typed);
    EXPECT_EQ(grid.Cell(c.Column, 1), c.Stored ? QString(c.Stored) : before) << c.Column << " " << c.Typed;
  }
  EXPECT_FALSE(grid.model()->flags(grid.model()->index(0, 30)) & Qt::ItemIsEditable);
  EXPECT_TRUE(grid.model()->flags(grid.model()->index(0, 4)) & Qt::ItemIsEditable);
}

TEST(PlayerGrid, AnEditRecomputesTheRowsRatingsOnceTheEditorHasClosed) {
  TPlayerGrid grid;
  auto p = MakePlayer("A", 1, 5);
  grid.AddPlayer(*p);
  grid.CommitEdit(paPlaymaking, 1, "12");
  QApplication::processEvents();
  p->PlaymakerSkill = 12;
  EXPECT_DOUBLE_EQ(grid.GetCellFloat(paInnerMidfieldRating, 1), Rating(*p, paInnerMidfieldRating, wDisabled, false, false));
}

TEST(PlayerGrid, HeaderSortingClearsTheHint) {
  TPlayerGrid grid;
  for (int age : {20, 31, 25}) {
    auto p = MakePlayer("P" + std::to_string(age), age);
    p->Age = age;
    grid.AddPlayer(*p);
  }
  grid.SetHint("old hint");
  grid.HeaderClick(paAge);
  EXPECT_EQ(Names(grid), QStringList({"P31", "P25", "P20"}));
  EXPECT_EQ(grid.Hint(), "");
  grid.HeaderClick(paAge);
  EXPECT_EQ(Names(grid), QStringList({"P20", "P25", "P31"}));
  grid.HeaderClick(0);
  EXPECT_EQ(Names(grid), QStringList({"P31", "P25", "P20"}));
}

TEST(PlayerGrid, StatusAndHintTexts) {
  TPlayerGrid grid;
  auto p = MakePlayer("Kim", 4711);
  p->CountryID = 2;
  p->Specialty = spQuick;
  p->InjuryLevel = 3;
  grid.AddPlayer(*p);
  struct TCase {
    int Column;
    QString Info;
  } cases[] = {
      {0, "Kim (4711)"},
      {paCountryID, "England"},
      {paPlaymaking, QString::fromStdString(SkillLevelName(5))},
      {paInjuryLevel, "injured (3 weeks)"},
      {paSpecialty, "Quick"},
      {paHonesty, "upright"},
      {paForwardRating, grid.Cell(paForwardRating, 1)},
      {paTSI, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(grid.CellInfoText(c.Column, 1), c.Info) << c.Column;
  EXPECT_EQ(grid.CellClickHint(paCountryID, 1), "England");
  EXPECT_EQ(grid.CellClickHint(paSpecialty, 1), "Quick");
  EXPECT_EQ(grid.CellClickHint(paBestRating, 1), grid.Cell(paBestRating, 1));
  EXPECT_EQ(grid.CellClickHint(paAge, 1), "");
  grid.SetCellInt(paCountryID, 1, 54);  // an empty slot
  EXPECT_EQ(grid.CellInfoText(paCountryID, 1), "");
  grid.SetCellInt(paSpecialty, 1, 9);
  EXPECT_EQ(grid.CellInfoText(paSpecialty, 1), "");
  EXPECT_EQ(grid.CellLook(paSpecialty, 1).Text, "");
}

TEST(PlayerGrid, NumbersAndMoneyAreGroupedAndRatingsRounded) {
  Preferences().SetDefaults();  // US$: 10 base units make one
  TPlayerGrid grid;
  auto p = MakePlayer("A", 1);
  p->TSI = 1234567;
  p->Salary = 2345670;
  grid.AddPlayer(*p);
  EXPECT_EQ(grid.CellLook(paTSI, 1).Text, "1 234 567");
  EXPECT_EQ(grid.CellLook(paSalary, 1).Text, "234 567");
  grid.SetCell(paForwardRating, 1, "4.5");
  EXPECT_EQ(grid.CellLook(paForwardRating, 1).Text, "4");  // halves to even
  grid.SetCell(paForwardRating, 1, "5.5");
  EXPECT_EQ(grid.CellLook(paForwardRating, 1).Text, "6");
}

TEST(PlayerGrid, TheBestPositionIsCyanWithBlackText) {
  TPlayerGrid grid;
  auto p = MakePlayer("A", 1);
  grid.AddPlayer(*p);
  grid.SetCell(paForwardRating, 1, "7.9");
  grid.SetCell(paWingerRating, 1, "6.9");
  grid.SetCell(paBestRating, 1, "7.2");
  EXPECT_EQ(grid.CellBackground(paForwardRating, 1), QColor(0, 255, 255));
  EXPECT_EQ(grid.CellLook(paForwardRating, 1).Colour, QColor(Qt::black));
  EXPECT_EQ(grid.CellBackground(paWingerRating, 1), QColor(255, 251, 240));
  EXPECT_EQ(grid.CellBackground(paBestRating, 1), QColor(255, 251, 240));  // the maximum itself stays
  EXPECT_EQ(grid.CellLook(paBestRating, 1).Colour, QColor(Qt::blue));
}

TEST(PlayerGrid, ComparisonColoursShowChangesSinceTheComparedSnapshot) {
  History().Clear();
  auto page = std::make_unique<THistoryPage>();
  auto older = MakePlayer("A", 1);
  older->PlaymakerSkill = 4;  // rose to 5
  older->WingerSkill = 5;     // fell to 4
  older->Age = 21;            // got older: bad news
  older->InjuryLevel = 2;     // healed: good news
  page->Players.Add(std::move(older));
  History().Add(std::move(page));
  TPlayerGrid grid;
  auto p = MakePlayer("A", 1);
  grid.AddPlayer(*p);
  const QColor green(144, 255, 144), pink(250, 216, 230), cream(255, 251, 240), white(255, 255, 255);
  EXPECT_EQ(grid.CellBackground(paPlaymaking, 1), cream);
  grid.SetComparison(true, 1);
  EXPECT_EQ(grid.CellBackground(paPlaymaking, 1), green);
  EXPECT_EQ(grid.CellBackground(paWinger, 1), pink);
  EXPECT_EQ(grid.CellBackground(paStamina, 1), cream);
  EXPECT_EQ(grid.CellBackground(paAge, 1), pink);
  EXPECT_EQ(grid.CellBackground(paInjuryLevel, 1), green);
  grid.SetComparison(true, 5);  // no such page: no colours, no failure
  EXPECT_EQ(grid.CellBackground(paPlaymaking, 1), cream);
  grid.SetComparison(false, 0);
  EXPECT_EQ(grid.CellBackground(paAge, 1), white);
  History().Clear();
}

TEST(PlayerGrid, LoadPageLeavesTheCoachOutWhenAskedAndCopyAllToAddsEveryRow) {
  THistoryPage page;
  for (int i = 0; i < 3; ++i) page.Players.Add(MakePlayer("P" + std::to_string(i), 10 + i));
  page.Players[2].TrainerSkill = "4";  // P1 (the list counts from 1)
  page.Players[2].TrainerType = "1";
  Preferences().DoNotImportCoach = true;
  TPlayerGrid main;
  main.LoadPage(page);
  EXPECT_EQ(Names(main), QStringList({"P0", "P2"}));

  Preferences().DoNotImportCoach = false;
  TPlayerGrid temp;
  temp.LoadPage(page);
  EXPECT_EQ(Names(temp), QStringList({"P0", "P1", "P2"}));
  temp.SortBy(0, sfDescending, fkText);
  temp.SelectRow(3);
  main.SortBy(0, sfAscending, fkText);
  temp.CopyAllTo(main);
  EXPECT_EQ(Names(main), QStringList({"P0", "P0 (1)", "P1", "P2", "P2 (1)"}));
  EXPECT_EQ(temp.Row(), 1);
  EXPECT_EQ(main.Cell(28, 3), "1");  // P1, the coach, came along from the temporary grid
  Preferences().SetDefaults();
}

TEST(PlayerGrid, DoubleClickAsksForTheHistoryGraphsOfTheCurrentCell) {
  TPlayerGrid grid;
  auto p = MakePlayer("A", 1);
  grid.AddPlayer(*p);
  grid.SelectCell(paTSI, 1);
  int col = -1, row = -1;
  QObject::connect(&grid, &TPlayerGrid::HistoryGraphsRequested, [&](int c, int r) {
    col = c;
    row = r;
  });
  grid.DblClick();
  EXPECT_EQ(col, paTSI);
  EXPECT_EQ(row, 1);
}

TEST(PlayerGrid, ClipboardTextHasTheHeaderADashLineAndOneLinePerPlayer) {
  TPlayerList list;
  const QString header = "|    ID   |St|Pm|Wn|Sc|Kp|Pa|De|Fr|Xp|Ag|   TSI|Sp| F| W|IM|WB|CD|GK|Ma|";
  const QString dashes(header.size(), '-');
  EXPECT_EQ(PlayerClipboardText(list, std::nullopt), header + "\r\n\n" + dashes);
  list.Add(MakePlayer("A", 1));
  list.Add(MakePlayer("B", 2));
  const QString text = PlayerClipboardText(list, 1);
  const QStringList blocks = text.split("\r\n\n");
  ASSERT_EQ(blocks.size(), 4);
  EXPECT_EQ(blocks[2].size(), header.size());
  EXPECT_TRUE(blocks[2].startsWith("|*")) << blocks[2].toStdString();  // a player of the league's country
}

TEST(PlayerGrid, MouseMovesClicksAndHeaderClicksReachTheGrid) {
  TPlayerGrid grid;
  for (int c = 0; c < grid.ColCount(); ++c) grid.SetColumnVisible(c, true);
  auto a = MakePlayer("Anna", 7, 3);
  a->Specialty = spQuick;
  auto b = MakePlayer("Bert", 8, 9);
  grid.AddPlayer(*a);
  grid.AddPlayer(*b);
  grid.SetWeather(wRainy);
  grid.resize(1400, 200);
  grid.show();
  QApplication::processEvents();
  QStringList columnPane, infoPane;
  QObject::connect(&grid, &TAdvGrid::ColumnPaneChanged, [&](const QString& t) { columnPane << t; });
  QObject::connect(&grid, &TAdvGrid::InfoPaneChanged, [&](const QString& t) { infoPane << t; });
  auto centre = [&](int col, int row) { return grid.visualRect(grid.model()->index(row - 1, col)).center(); };

  QTest::mouseMove(grid.viewport(), centre(0, 1));
  ASSERT_FALSE(columnPane.isEmpty());
  EXPECT_EQ(columnPane.last(), "Player name");
  EXPECT_EQ(infoPane.last(), "Anna (7)");
  EXPECT_TRUE(grid.MouseInGrid());

  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centre(paDefending, 1));
  EXPECT_EQ(grid.Hint(), "-40% specialty");
  EXPECT_EQ(grid.Row(), 1);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&grid, &leave);
  EXPECT_EQ(grid.Hint(), "");
  EXPECT_FALSE(grid.MouseInGrid());

  QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, centre(paStamina, 2));
  EXPECT_EQ(grid.Row(), 2);  // the popup menu acts on the row under the mouse

  const QPoint header(grid.columnViewportPosition(paPlaymaking) + 5, 5);
  QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, header);
  EXPECT_EQ(Names(grid), QStringList({"Bert", "Anna"}));
  QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::RightButton, {}, header);
  EXPECT_EQ(grid.SortFlags(), sfDescending) << "a right click does not sort";
  QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, header);
  EXPECT_EQ(Names(grid), QStringList({"Anna", "Bert"}));
}

TEST(PlayerGrid, EscapeLeavesTheEditorWithoutStoring) {
  TPlayerGrid grid;
  auto a = MakePlayer("Anna", 7, 3);
  grid.AddPlayer(*a);
  grid.resize(800, 100);
  grid.show();
  grid.setFocus();
  grid.SelectCell(paPlaymaking, 1);
  QApplication::processEvents();
  grid.edit(grid.currentIndex());
  QApplication::processEvents();
  auto* editor = grid.viewport()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->setText("8");
  QTest::keyClick(editor, Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_EQ(grid.Cell(paPlaymaking, 1), "3");
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the closed editor goes away
  grid.edit(grid.currentIndex());
  QApplication::processEvents();
  editor = grid.viewport()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->setText("8");
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(grid.Cell(paPlaymaking, 1), "8");
}

TEST(PlayerGrid, GermanTitlesAndAGridFileOfTheEnglishTitles) {
  TTempFolder folder;
  {
    TPlayerGrid english;
    auto p = MakePlayer("A", 1);
    english.AddPlayer(*p);
    english.SaveToFile(folder / "English.mgf");
  }
  auto german = std::make_unique<TGermanTexts>();
  ASSERT_TRUE(german->Available) << PB_GERMAN_MISSING;
  {
    TPlayerGrid german;
    EXPECT_EQ(german.ColumnTitle(paStamina), "Kon");
    EXPECT_EQ(german.ColumnHint(paTSI), "Gesamtstärke-Index");
    EXPECT_EQ(german.Cell(paBestRating, 0), "Max");
    // A file written under another language loads, with this language's titles.
    TPlayerGrid fromEnglish;
    fromEnglish.LoadFromFile(folder / "English.mgf");
    EXPECT_EQ(fromEnglish.Cell(0, 1), "A");
    EXPECT_EQ(fromEnglish.Cell(paStamina, 0), "Kon");
    auto p = MakePlayer("A", 1, 5);
    p->Specialty = spTechnical;
    german.AddPlayer(*p);
    german.SetWeather(wRainy);
    EXPECT_EQ(german.CellClickHint(paPlaymaking, 1), "-80% Spezialität");
    german.SaveToFile(folder / "German.mgf");
    TPlayerGrid again;
    again.LoadFromFile(folder / "German.mgf");
    EXPECT_EQ(again.Cell(0, 1), "A");
  }
  german.reset();
  TPlayerGrid english;
  EXPECT_EQ(english.ColumnTitle(paStamina), "Stm");
  english.LoadFromFile(folder / "German.mgf");
  EXPECT_EQ(english.Cell(0, 1), "A");
  EXPECT_EQ(english.Cell(paStamina, 0), "Stm");
}
