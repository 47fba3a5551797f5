// The history graphs on a generated sample world: the player and club charts, the season range, the
// navigation through the main grid, and screenshots on request.
#include "ui/FormHistoryGraphs.h"

#include "ui/FormHistory.h"

#include "TestSupport.h"
#include "core/Player.h"
#include "data/Startup.h"
#include "data/History.h"
#include "data/HistorySeries.h"
#include "data/HistorySeriesEconomy.h"
#include "demo/SampleWorld.h"
#include "ui/HistoryGraph.h"
#include "ui/PlayerGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPieSeries>
#include <QProgressBar>
#include <QScreen>
#include <QSpinBox>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {
// One sample world of three seasons, generated and loaded once for all tests.
struct TSampleArchive {
  TTempFolder Folder;
  TSampleWorldInfo Info;
  THistory History;
  TSampleArchive() {
    TSampleWorldOptions options;
    options.Seasons = 3;
    WriteSampleWorld(Folder.Path(), options, &Info);
    TStartupSettings settings;
    settings.HistoryFolder = Folder / "History";
    settings.ObsoleteFolder = settings.HistoryFolder / "Obsolete";
    settings.MatchesFolder = settings.HistoryFolder / "Matches";
    settings.LimitHistoryDataLoading = false;
    settings.SuspendAtEnd = false;
    TStartup startup(History, settings);
    startup.RunHere();
  }
  // The squad member of the newest page who is in the most pages.
  int64_t LongestServing() const {
    int64_t best = 0;
    int most = 0;
    for (const TPlayer& p : History.Latest().Players) {
      int pages = 0;
      for (int i = 1; i <= History.Count(); ++i) pages += History.Page(i).FindPlayer(p.PlayerID) ? 1 : 0;
      if (pages > most && p.TrainerSkill.empty()) {
        most = pages;
        best = p.PlayerID;
      }
    }
    return best;
  }
  // The squad member of the newest page with the most trained weeks.
  int64_t MostTrained() {
    int64_t best = 0;
    size_t most = 0;
    for (const TPlayer& p : History.Latest().Players) {
      const size_t rows = PastTraining(History, p.PlayerID).size();
      if (rows > most) {
        most = rows;
        best = p.PlayerID;
      }
    }
    return best;
  }
  int PagesHolding(int64_t id) const {
    int pages = 0;
    for (int i = 1; i <= History.Count(); ++i) pages += History.Page(i).FindPlayer(id) ? 1 : 0;
    return pages;
  }
};

TSampleArchive& Archive() {
  static TSampleArchive archive;
  return archive;
}

// The graphs window with a main grid holding the newest squad, its current row on the player.
struct TGraphsWindow {
  TPlayerGrid Grid;
  TFormHistoryGraphs Form;
  int Closed = 0;
  explicit TGraphsWindow(THistory& history) : Form(history) {
    Grid.LoadPage(history.Latest());
    TFormHistoryGraphsHost host;
    host.MainGrid = &Grid;
    host.Closed = [this] { ++Closed; };
    Form.SetHost(host);
  }
  void SelectPlayer(int64_t id) {
    for (int row = 1; row < Grid.RowCount(); ++row)
      if (Grid.Cell(paPlayerID, row).toLongLong() == id) Grid.SelectCell(0, row);
  }
};

std::vector<double> Xs(const std::vector<QPointF>& points) {
  std::vector<double> xs;
  for (const QPointF& p : points) xs.push_back(p.x());
  return xs;
}
}  // namespace

TEST(FormHistoryGraphs, ThePlayersChartsFromTheSampleWorld) {
  TSampleArchive& a = Archive();
  const int64_t id = a.LongestServing();
  ASSERT_NE(id, 0);
  TGraphsWindow w(a.History);
  w.SelectPlayer(id);
  w.Form.ShowForGridColumn(paPlaymaking);
  QApplication::processEvents();
  EXPECT_EQ(w.Form.CurrentPage(), TFormHistoryGraphs::hpSkills);
  ASSERT_NE(w.Form.Player(), nullptr);
  EXPECT_EQ(w.Form.Player()->PlayerID, id);
  THistoryGraph& skills = *w.Form.Graph(TFormHistoryGraphs::hgSkills);
  // Only playmaking is checked and selected; one visible series needs no legend.
  for (int s = 0; s < skills.SeriesCount(); ++s) {
    EXPECT_EQ(w.Form.CheckBox(TFormHistoryGraphs::hgSkills, s)->isChecked(), s == 1) << s;
    EXPECT_EQ(skills.IsSeriesSelected(s), s == 1) << s;
  }
  EXPECT_FALSE(skills.LegendShown());
  // One point per page holding him, at the page's place on the time axis.
  const std::vector<QPointF> points = skills.SeriesPoints(1);
  ASSERT_EQ(static_cast<int>(points.size()), a.PagesHolding(id));
  const THistoryPage& newest = a.History.Latest();
  EXPECT_EQ(points.back().x(), HistoryAxisX(newest));
  EXPECT_EQ(points.back().y(), newest.FindPlayer(id)->GetValue(paPlaymaking));
  w.Form.SelectAll(TFormHistoryGraphs::hgSkills, true);
  EXPECT_TRUE(skills.LegendShown());
  EXPECT_EQ(skills.VisibleCount(), 10);
  // The first show puts Start and End on the newest season.
  EXPECT_EQ(w.Form.EditStart()->value(), a.Info.LastSeason);
  EXPECT_EQ(w.Form.EditEnd()->value(), a.Info.LastSeason);
  EXPECT_EQ(skills.Title(), QString("Season %1").arg(a.Info.LastSeason));
  EXPECT_EQ(skills.AxisMin(), a.Info.LastSeason - RoundWidth / 2);
  EXPECT_EQ(skills.AxisMax(), a.Info.LastSeason + 1);
  // General page from the newest page, training lists filled.
  EXPECT_EQ(w.Form.FindLabel("LabelName")->text(),
            QString("%1 (%2)").arg(QString::fromStdString(newest.FindPlayer(id)->PlayerName)).arg(id));
  EXPECT_FALSE(w.Form.FindLabel("LabelWage")->text().isEmpty());
  EXPECT_EQ(w.Form.PastTrainingList()->topLevelItemCount(), static_cast<int>(PastTraining(a.History, id).size()));
  EXPECT_EQ(w.Form.TrainingBar(paStamina)->maximum(), 100);
  w.Form.close();
  EXPECT_EQ(w.Closed, 1);
}

TEST(FormHistoryGraphs, TheGridColumnChoosesThePageAndSeries) {
  TSampleArchive& a = Archive();
  TGraphsWindow w(a.History);
  w.SelectPlayer(a.LongestServing());
  struct TCase {
    int Column;
    TFormHistoryGraphs::TPage Page;
    TFormHistoryGraphs::TGraph Graph;
    int Checked;  // -1: every box of both charts
  };
  using F = TFormHistoryGraphs;
  for (const TCase c : {TCase{paTSI, F::hpTSI, F::hgSkills, -2}, {paForm, F::hpSkills, F::hgSkills, 8},
                        {paSetPiecesRating, F::hpPositions, F::hgPositions, 6},
                        {paBestRating, F::hpPositions, F::hgPositions, 7},
                        {paWingBackRating, F::hpPositions, F::hgPositions, 3}, {0, F::hpGeneral, F::hgSkills, -1}}) {
    w.Form.ShowForGridColumn(c.Column);
    EXPECT_EQ(w.Form.CurrentPage(), c.Page) << c.Column;
    for (F::TGraph g : {F::hgSkills, F::hgPositions})
      for (int s = 0; s < w.Form.Graph(g)->SeriesCount(); ++s) {
        const bool expected = c.Checked == -1 || (g == c.Graph && s == c.Checked);
        EXPECT_EQ(w.Form.CheckBox(g, s)->isChecked(), expected) << c.Column << " " << g << " " << s;
      }
  }
  // Presets: the positions' Defending preset leaves Maximum alone.
  w.Form.PositionPreset(F::ppDefending);
  std::vector<bool> checked;
  for (int s = 0; s < 8; ++s) checked.push_back(w.Form.CheckBox(F::hgPositions, s)->isChecked());
  EXPECT_EQ(checked, (std::vector<bool>{false, true, true, true, true, false, false, true}));
  w.Form.SkillPreset(F::spWingBack);
  checked.clear();
  for (int s = 0; s < 10; ++s) checked.push_back(w.Form.CheckBox(F::hgSkills, s)->isChecked());
  EXPECT_EQ(checked, (std::vector<bool>{false, false, true, false, false, false, true, false, false, false}));
}

TEST(FormHistoryGraphs, SeasonRangeMovesEveryChart) {
  TSampleArchive& a = Archive();
  TGraphsWindow w(a.History);
  w.Form.show();
  QApplication::processEvents();
  const int first = a.History.Page(1).World.Season, last = a.Info.LastSeason;
  ASSERT_EQ(last - first, 2);
  QSpinBox& start = *w.Form.EditStart();
  QSpinBox& end = *w.Form.EditEnd();
  EXPECT_EQ(start.minimum(), first);
  EXPECT_EQ(end.maximum(), last);
  w.Form.ButtonRightClick();  // End is at its maximum already
  EXPECT_EQ(start.value(), last);
  start.setValue(first);
  THistoryGraph& capacity = *w.Form.Graph(TFormHistoryGraphs::hgCapacity);
  EXPECT_EQ(capacity.Title(), QString("Season %1 - %2").arg(first).arg(last));
  EXPECT_EQ(capacity.AxisMin(), first - RoundWidth / 2);
  EXPECT_EQ(capacity.AxisMax(), last + 1);
  end.setValue(first);
  w.Form.ButtonRightClick();
  EXPECT_EQ(start.value(), first + 1);
  EXPECT_EQ(end.value(), first + 1);
  w.Form.ButtonLeftClick();
  w.Form.ButtonLeftClick();  // Start is at its minimum: nothing
  EXPECT_EQ(start.value(), first);
  EXPECT_EQ(end.value(), first);
  for (int g = 0; g < TFormHistoryGraphs::GraphCount; ++g) {
    THistoryGraph& graph = *w.Form.Graph(static_cast<TFormHistoryGraphs::TGraph>(g));
    EXPECT_EQ(graph.Title(), QString("Season %1").arg(first)) << g;
    // Half a round before the range, so that the first round's bar and marker show whole.
    EXPECT_EQ(graph.AxisMin(), first - RoundWidth / 2);
    EXPECT_EQ(graph.AxisMax(), first + 1);
  }
  EXPECT_EQ(capacity.AxisLabels().first(), QString("%1(1)").arg(first));
  EXPECT_EQ(capacity.AxisLabels().last(), QString("%1(1)").arg(first + 1));
  // End below Start pulls Start along, Start above End pulls End.
  start.setValue(last);
  EXPECT_EQ(end.value(), last);
  end.setValue(first + 1);
  EXPECT_EQ(start.value(), first + 1);
}

TEST(FormHistoryGraphs, ClubChartsAndTheEconomyWeek) {
  TSampleArchive& a = Archive();
  TGraphsWindow w(a.History);
  w.Form.show();
  QApplication::processEvents();
  using F = TFormHistoryGraphs;
  const int pages = a.History.Count();
  EXPECT_EQ(w.Form.Graph(F::hgCapacity)->SeriesPoints(0).size(), static_cast<size_t>(pages));
  EXPECT_EQ(w.Form.Graph(F::hgTeamSpirit)->SeriesPoints(0).size(), static_cast<size_t>(pages));
  const TStackedBars league = TeamStarsBars(a.History, true);
  ASSERT_GT(league.BarCount(), 0u);
  THistoryGraph& stars = *w.Form.Graph(F::hgTeamStars);
  EXPECT_EQ(Xs(stars.SeriesPoints(0)), league.X);
  w.Form.ShowLeagueSet(F::hgTeamStars, false);
  EXPECT_EQ(Xs(stars.SeriesPoints(0)), TeamStarsBars(a.History, false).X);
  w.Form.ShowLeagueSet(F::hgTeamStars, true);
  // The labels on the bars of the newest season add up the checked lines only.
  w.Form.SetPage(F::hpTeamStars);
  QApplication::processEvents();
  QStringList expected, withoutKeeper;
  for (size_t i = 0; i < league.BarCount(); ++i)
    if (league.X[i] >= a.Info.LastSeason) {
      expected << QString::fromStdString(TeamStarsLabel(league.Sum(i)));
      withoutKeeper << QString::fromStdString(TeamStarsLabel(league.Sum(i, {false, true, true, true, true})));
    }
  ASSERT_FALSE(expected.isEmpty());
  EXPECT_EQ(stars.ShownLabels(), expected);
  w.Form.CheckBox(F::hgTeamStars, sgKeeper)->setChecked(false);
  EXPECT_EQ(stars.ShownLabels(), withoutKeeper);
  w.Form.CheckBox(F::hgTeamStars, sgKeeper)->setChecked(true);
  // Over all seasons they stand upright to fit.
  w.Form.EditStart()->setValue(a.History.Page(1).World.Season);
  EXPECT_EQ(stars.ShownLabels().size(), static_cast<int>(league.BarCount()));

  // Week box newest first; entry 1 shows the week before from the newest page's last-week figures.
  QComboBox& weeks = *w.Form.ComboWeek();
  ASSERT_EQ(weeks.count(), pages);
  const TXMLWorld& world = a.History.Latest().World;
  EXPECT_EQ(weeks.itemText(0), QString::asprintf("Week %.2d, Season %.2d", world.MatchRound, world.Season));
  EXPECT_GT(w.Form.PieRevenue()->count(), 0);
  EXPECT_GT(w.Form.PieExpenses()->count(), 0);
  weeks.setCurrentIndex(1);
  const TEconomyGeneral g = EconomyGeneral(a.History, 1);
  EXPECT_EQ(w.Form.FindLabel("LabelCashFunds")->text(), QString::fromStdString(g.CashFunds));
  EXPECT_EQ(w.Form.FindLabel("LabelRevenue4")->text(), QString::fromStdString(g.RevenueTexts[4]));
  EXPECT_EQ(w.Form.PieRevenue()->count(), static_cast<int>(g.Revenue.size()));
}

TEST(FormHistoryGraphs, PrevAndNextWalkTheMainGridAndWrapAround) {
  TSampleArchive& a = Archive();
  TGraphsWindow w(a.History);
  const int last = w.Grid.RowCount() - 1;
  ASSERT_GT(last, 2);
  w.Grid.SelectCell(0, 1);
  w.Form.PickGridPlayer();
  w.Form.ButtonPrevClick();
  EXPECT_EQ(w.Grid.Row(), last);
  EXPECT_EQ(w.Form.Player()->PlayerID, w.Grid.Cell(paPlayerID, last).toLongLong());
  EXPECT_EQ(w.Form.Player()->Weather, wDisabled);
  w.Form.ButtonNextClick();
  EXPECT_EQ(w.Grid.Row(), 1);
  w.Form.ButtonNextClick();
  EXPECT_EQ(w.Grid.Row(), 2);
  EXPECT_EQ(w.Form.FindLabel("LabelPlayerName")->text(), w.Grid.Cell(0, 2));
}

TEST(FormHistoryGraphs, APlayerWhoLeftHasNoGeneralPageButHisCharts) {
  TSampleArchive& a = Archive();
  const TSamplePlayerHistory* gone = nullptr;
  for (const auto& p : a.Info.Players)
    if (!p.Coach && !a.History.Latest().FindPlayer(p.PlayerID) && a.PagesHolding(p.PlayerID) > 1) gone = &p;
  ASSERT_NE(gone, nullptr);
  TGraphsWindow w(a.History);
  auto player = std::make_unique<TPlayer>();
  player->PlayerID = gone->PlayerID;
  player->PlayerName = gone->Name;
  w.Form.ShowPlayer(std::move(player));
  w.Form.SetPage(TFormHistoryGraphs::hpGeneral);
  w.Form.show();
  QApplication::processEvents();
  EXPECT_FALSE(w.Form.FindLabel("LabelName")->isVisible());
  EXPECT_EQ(static_cast<int>(w.Form.Graph(TFormHistoryGraphs::hgTSI)->SeriesPoints(0).size()),
            a.PagesHolding(gone->PlayerID));
}

TEST(FormHistoryGraphs, TrainingPageOfATrainedPlayer) {
  TSampleArchive& a = Archive();
  TGraphsWindow w(a.History);
  const int64_t id = a.MostTrained();
  w.SelectPlayer(id);
  w.Form.PickGridPlayer();
  const std::vector<TPastTrainingRow> rows = PastTraining(a.History, id);
  ASSERT_GT(rows.size(), 10u);
  QTreeWidget& past = *w.Form.PastTrainingList();
  ASSERT_EQ(past.topLevelItemCount(), static_cast<int>(rows.size()));
  EXPECT_EQ(past.topLevelItem(0)->text(0), QString::fromStdString(rows[0].Week));
  EXPECT_EQ(past.topLevelItem(0)->text(7), QString::fromStdString(rows[0].TotalTrain));
  const std::array<int, 8> bars = TrainingBars(a.History, id);
  for (int s = 0; s < 8; ++s) EXPECT_EQ(w.Form.TrainingBar(paStamina + s)->value(), bars[s]) << s;
  // The future training starts with the newest page's settings.
  const THistoryPage& newest = a.History.Latest();
  EXPECT_EQ(w.Form.ComboTrainingType()->currentIndex(), newest.Training.TrainingType);
  EXPECT_EQ(w.Form.EditIntensity()->value(), newest.Training.TrainingLevel);
  EXPECT_EQ(w.Form.EditAge()->value(), newest.FindPlayer(id)->Age);

  w.Form.ComboTrainingType()->setCurrentIndex(8);  // playmaking
  w.Form.EditAge()->setValue(18);
  w.Form.EditIntensity()->setValue(100);
  ASSERT_GT(w.Form.FutureTrainingList()->topLevelItemCount(), 0);
  const QString firstWeeks = w.Form.FutureTrainingList()->topLevelItem(0)->text(1);
  w.Form.CheckHalfTraining()->setChecked(true);
  EXPECT_NE(w.Form.FutureTrainingList()->topLevelItem(0)->text(1), firstWeeks);
  w.Form.ComboTrainingType()->setCurrentIndex(0);  // general trains nothing
  EXPECT_EQ(w.Form.FutureTrainingList()->topLevelItemCount(), 0);
}

namespace {
void Save(QWidget& widget, const std::string& folder, const char* name) {
  QApplication::processEvents();
  ASSERT_TRUE(widget.grab().save(QString::fromStdString(folder + "/" + name + ".png")));
}
}  // namespace

// Pictures of the Skills, Arena capacity and Economy general pages when PITCHBOOK_SCREENSHOT_DIR names a folder.
TEST(FormHistoryGraphs, ScreenshotsOfTheSampleWorld) {
  const char* folder = std::getenv("PITCHBOOK_SCREENSHOT_DIR");
  if (!folder) GTEST_SKIP() << "PITCHBOOK_SCREENSHOT_DIR not set";
  TSampleArchive& a = Archive();
  TGraphsWindow w(a.History);
  w.SelectPlayer(a.MostTrained());
  w.Form.ShowForGridColumn(0);
  w.Form.EditStart()->setValue(a.History.Page(1).World.Season + 1);
  w.Form.SetPage(TFormHistoryGraphs::hpSkills);
  w.Form.SkillPreset(TFormHistoryGraphs::spWing);
  Save(w.Form, folder, "history-skills");
  w.Form.SetPage(TFormHistoryGraphs::hpGeneral);
  Save(w.Form, folder, "history-general");
  w.Form.SetPage(TFormHistoryGraphs::hpTraining);
  Save(w.Form, folder, "history-training");
  w.Form.SetPage(TFormHistoryGraphs::hpCapacity);
  Save(w.Form, folder, "history-capacity");
  w.Form.SetPage(TFormHistoryGraphs::hpTeamStars);
  Save(w.Form, folder, "history-teamstars");
  w.Form.SetPage(TFormHistoryGraphs::hpAttendance);
  Save(w.Form, folder, "history-attendance");
  w.Form.SetPage(TFormHistoryGraphs::hpEconomyGeneral);
  Save(w.Form, folder, "history-economy");
  w.Form.SetPage(TFormHistoryGraphs::hpRevenue);
  Save(w.Form, folder, "history-revenue");
  TFormHistory list(a.History);
  list.show();
  Save(list, folder, "history-list");
}

// What the window shows on screen after a preset or a change of player must be what a fresh paint of it
// shows: no dashes of the lines' former places, and only the new player's points in the series.
TEST(FormHistoryGraphs, PresetsAndPlayerChangesLeaveNoTraceOfTheFormerLines) {
  TSampleArchive& a = Archive();
  TGraphsWindow w(a.History);
  w.SelectPlayer(a.MostTrained());
  w.Form.ShowForGridColumn(0);
  w.Form.SetPage(TFormHistoryGraphs::hpSkills);
  THistoryGraph& skills = *w.Form.Graph(TFormHistoryGraphs::hgSkills);
  auto settle = [] {
    for (int i = 0; i < 10; ++i) QApplication::processEvents();
  };
  settle();
  const struct {
    const char* Step;
    std::function<void()> Do;
  } steps[] = {
      {"Wing preset", [&] { w.Form.SkillPreset(TFormHistoryGraphs::spWing); }},
      {"Forward preset", [&] { w.Form.SkillPreset(TFormHistoryGraphs::spForward); }},
      {"Next", [&] { w.Form.ButtonNextClick(); }},
      {"Next again", [&] { w.Form.ButtonNextClick(); }},
      {"Prev", [&] { w.Form.ButtonPrevClick(); }},
  };
  for (const auto& step : steps) {
    step.Do();
    settle();
    // The screen holds what was painted bit by bit; grab() paints the whole chart afresh.
    const QRect area(skills.mapTo(&w.Form, QPoint(0, 0)), skills.size());
    const QImage onScreen = QGuiApplication::primaryScreen()->grabWindow(w.Form.winId()).toImage().copy(area);
    const QImage fresh = skills.grab().toImage().convertToFormat(onScreen.format());
    ASSERT_EQ(onScreen.size(), fresh.size()) << step.Step;
    int differing = 0;
    for (int y = 0; y < fresh.height(); ++y)
      for (int x = 0; x < fresh.width(); ++x) differing += onScreen.pixel(x, y) != fresh.pixel(x, y);
    EXPECT_EQ(differing, 0) << step.Step;
    // Every line holds exactly the current player's points.
    const int64_t id = w.Grid.Cell(paPlayerID, w.Grid.Row()).toLongLong();
    const TPlayerHistorySeries series = PlayerHistorySeries(a.History, id);
    for (int s = 0; s < skills.SeriesCount(); ++s) {
      std::vector<double> xs;
      for (const THistoryPoint& p : series.Skills[static_cast<size_t>(s)]) xs.push_back(p.X);
      EXPECT_EQ(Xs(skills.SeriesPoints(s)), xs) << step.Step << " series " << s;
    }
  }
}
