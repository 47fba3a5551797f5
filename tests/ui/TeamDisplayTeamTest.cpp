// The display of a TTeam (lineup search): slot places on the pitch and the bench, predicted stars and their
// reliability from the history, captain and set-pieces icons, the penalty takers; and the download window's
// nine-file status list.
#include "core/Errors.h"
#include "core/Team.h"
#include "data/History.h"
#include "data/HistoryPage.h"
#include "ui/MyTeamDisplay.h"
#include "ui/TeamDisplay.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace {
std::unique_ptr<TPlayer> Player(int64_t id, const std::string& name, double setPieces = 5, int experience = 4) {
  auto player = std::make_unique<TPlayer>();
  player->PlayerID = id;
  player->PlayerName = name;
  player->PlayerForm = 6;
  player->Experience = experience;
  player->Leadership = 4;
  player->StaminaSkill = 7;
  player->DefenderSkill = 11;
  player->PlaymakerSkill = 8;
  player->WingerSkill = 6;
  player->PassingSkill = 7;
  player->ScorerSkill = 6;
  player->KeeperSkill = 9;
  player->SetPiecesSkill = setPieces;
  return player;
}

// A full 4-4-2 of players 1..11 ("Player 1" ...), set-pieces skill rising with the slot.
std::unique_ptr<TTeam> FullTeam() {
  auto team = std::make_unique<TTeam>(wDisabled, false, false);
  for (int slot = 0; slot <= 10; ++slot) team->PutSlot(slot, Player(slot + 1, "Player " + std::to_string(slot + 1), 3 + slot));
  return team;
}

// A history page of round r in which the player played a league match at lineup place `place` with `stars`.
std::unique_ptr<THistoryPage> Page(int round, int64_t playerID, int place, double stars, bool inSquad = true) {
  auto page = std::make_unique<THistoryPage>();
  page->World.Season = 30;
  page->World.MatchRound = round;
  if (inSquad) page->Players.Add(Player(playerID, "P"));
  page->LeagueMatch.MatchID = 1000 + round;
  page->LeagueMatch.WeatherID = wPartiallyCloudy;
  page->LeagueMatch.Lineup[static_cast<size_t>(place)].PlayerID = static_cast<int32_t>(playerID);
  page->LeagueMatch.Lineup[static_cast<size_t>(place)].RatingStars = stars;
  return page;
}
}  // namespace

TEST(TeamDisplayModel, PitchSlotsGoToTheirLinesCentredOrAtTheWings) {
  const int D = 720, H = 480, W = 157;  // u = 30
  TTeamRoleCounts counts{{2, 2, 2, 2, 2}};
  const TPitchSlots places = PitchSlotPlaces(counts, D, H, W, {});
  const TPitchSlots want = {{{true, 281, 30},
                             {true, 195, 120},  // central defenders: j x 173 + (720 - 16 - 314) div 2
                             {true, 368, 120},
                             {true, 16, 180},  // wing backs
                             {true, 547, 180},
                             {true, 195, 270},  // inner midfielders
                             {true, 368, 270},
                             {true, 16, 330},  // wingers
                             {true, 547, 330},
                             {true, 195, 420},  // forwards
                             {true, 368, 420}}};
  EXPECT_EQ(places, want);

  // One central defender is centred; a third winger keeps where he was; unused slots are hidden.
  TPitchSlots previous{};
  previous[9].Left = 300;
  const TPitchSlots odd = PitchSlotPlaces(TTeamRoleCounts{{1, 2, 3, 3, 0}}, D, H, W, previous);
  EXPECT_EQ(odd[1], (TPitchSlot{true, (D - W) / 2, 120}));
  EXPECT_EQ(odd[4].Left, 108);  // first of three inner midfielders: (720 - 32 - 471) div 2
  EXPECT_EQ(odd[6].Left, 108 + 2 * 173);
  EXPECT_EQ(odd[7], (TPitchSlot{true, 16, 330}));
  EXPECT_EQ(odd[8], (TPitchSlot{true, 547, 330}));
  EXPECT_EQ(odd[9], (TPitchSlot{true, 300, 330}));
  EXPECT_FALSE(odd[10].Visible);

  // Counts beyond ten slots stop at the last slot.
  const TPitchSlots many = PitchSlotPlaces(TTeamRoleCounts{{5, 5, 5, 5, 5}}, D, H, W, {});
  EXPECT_TRUE(many[10].Visible);
}

TEST(TeamDisplayModel, TheBenchLiesBelowTheDisplayWithItsSlotsAndTheButton) {
  const TBenchLayout bench = BenchLayout({10, 20, 720, 480}, 157, 17);
  EXPECT_EQ(bench.Bench, (TSlotRect{10, 520, 720, 102}));  // round(720 / 7.09) = 102
  // v = 102 / 9, s = (720 - 628) / 7.
  EXPECT_EQ(bench.Slots[0], (TSlotRect{26, 68, 157, 17}));
  EXPECT_EQ(bench.Slots[1], (TSlotRect{196, 68, 157, 17}));
  EXPECT_EQ(bench.Slots[2], (TSlotRect{537, 68, 157, 17}));
  EXPECT_EQ(bench.Slots[3], (TSlotRect{367, 68, 157, 17}));
  EXPECT_EQ(bench.Slots[4], (TSlotRect{281, 23, 157, 17}));
  EXPECT_EQ(bench.PenaltyButton, (TSlotRect{26, 23, 157, 17}));
}

TEST(TeamDisplayModel, PredictedStarsRestOnThePlayersPastMatchesInTheSlotsRole) {
  auto team = std::make_unique<TTeam>(wDisabled, false, false);
  ASSERT_EQ(team->GetRoleFlags(1), rfCentralDefender);
  team->PutSlot(1, Player(77, "Central"));
  const double rating = team->RoleRatingOfPlayer(77);
  ASSERT_GT(rating, 0);

  // No past matches: the rating in tenths, rounded.
  THistory empty;
  const TPredictedStars none = PredictStars(*team, 1, empty);
  EXPECT_EQ(none.Samples, 0);
  EXPECT_DOUBLE_EQ(none.Stars, std::clamp(std::nearbyint(std::nearbyint(rating) / 10), 0.5, 10.0));
  EXPECT_EQ(PredictionColour(none.Samples), 2);

  // Place 3 of the old lineup is a central defender; place 6 a winger. Equal ratings in every page give
  // stars per rating point: the mean of the stars, in half stars.
  struct TCase {
    std::vector<std::tuple<int, double, bool>> Pages;  // place, stars, in the squad; newest last
    int Samples;
    double Stars;
    int Colour;
  } const cases[] = {
      {{{3, 3, true}, {3, 3, true}, {3, 4, true}}, 3, 3.5, 1},
      {{{3, 3, true}, {6, 5, true}, {3, 0, true}, {3, 4, true}}, 2, 3.5, 2},  // other role, no stars: no samples
      {{{3, 5, true}, {3, 5, false}, {3, 2, true}}, 1, 2, 2},  // sold in between: the walk stops there
      {{{3, 3, true}, {3, 3, true}, {3, 3, true}, {3, 3, true}, {3, 3, true}, {3, 3, true}, {3, 3.5, true}}, 7, 3, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Samples);
    THistory history;
    int round = 1;
    for (const auto& [place, stars, inSquad] : c.Pages)
      history.InsertAt(history.Count() + 1, Page(round++, 77, place, stars, inSquad));
    const TPredictedStars predicted = PredictStars(*team, 1, history);
    EXPECT_EQ(predicted.Samples, c.Samples);
    EXPECT_DOUBLE_EQ(predicted.Stars, c.Stars);
    EXPECT_EQ(PredictionColour(predicted.Samples), c.Colour);
  }
  EXPECT_EQ(PredictStars(*team, 2, empty), TPredictedStars()) << "an empty slot";

  // A played rating that cannot be computed (a weather the tables do not know) is a sample rated 0.
  THistory history;
  for (int round = 1; round <= 3; ++round) {
    auto page = Page(round, 77, 3, 3);
    if (round == 2) page->LeagueMatch.WeatherID = 17;
    history.InsertAt(history.Count() + 1, std::move(page));
  }
  const TPredictedStars failed = PredictStars(*team, 1, history);
  EXPECT_EQ(failed.Samples, 3);
  EXPECT_DOUBLE_EQ(failed.Stars, 4.5);  // 9 stars over two ratings' worth of points
}

TEST(TeamDisplayModel, PenaltyTakersAreRankedFromTheBestSetPiecesRating) {
  const auto team = FullTeam();
  const std::string text = PenaltyTakersText(*team);
  ASSERT_EQ(text.rfind("Penalty kick takers:\r\n", 0), 0u) << text;
  std::vector<std::string> lines;
  for (size_t start = text.find("\r\n") + 2, end; start <= text.size(); start = end + 2) {
    end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
  }
  ASSERT_EQ(lines.size(), 11u);
  double previous = 1e9;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string rank = (i + 1 < 10 ? "0" : "") + std::to_string(i + 1) + ". ";
    EXPECT_EQ(lines[i].rfind(rank, 0), 0u) << lines[i];
    // The player of the line, and his rating rounded at the end.
    const std::string name = lines[i].substr(4, lines[i].rfind(" (") - 4);
    const TPlayer* player = nullptr;
    for (int slot = 0; slot <= 10; ++slot)
      if (team->GetSlot(slot)->PlayerName == name) player = team->GetSlot(slot);
    ASSERT_NE(player, nullptr) << lines[i];
    const double rating = player->GetValue(paSetPiecesRating);
    EXPECT_LE(rating, previous);
    previous = rating;
    char tail[32];
    std::snprintf(tail, sizeof tail, " (%.2d)", static_cast<int>(std::nearbyint(rating)));
    EXPECT_EQ(lines[i].substr(lines[i].rfind(" (")), tail);
  }
  EXPECT_EQ(lines.front().substr(4, 9), "Player 11");

  // Empty slots are left out.
  TTeam few(wDisabled, false, false);
  few.PutSlot(4, Player(5, "Only"));
  EXPECT_EQ(PenaltyTakersText(few).substr(std::string("Penalty kick takers:\r\n").size(), 8), "01. Only");
}

TEST(TeamDisplayWidget, ShowsTheTeamWithStripsIconsBenchAndButton) {
  QWidget owner;
  owner.resize(760, 700);
  THistory history;  // no past matches: every strip red
  TTeamDisplay display(&owner, QRect(10, 20, 720, 480));
  display.SetHistory(&history);
  EXPECT_FALSE(display.PenaltyTakersButton()->isEnabled());
  EXPECT_EQ(display.BenchPanel()->parentWidget(), &owner);
  EXPECT_EQ(display.BenchPanel()->geometry(), QRect(10, 520, 720, 102));
  EXPECT_EQ(display.BenchCaption(0)->text(), "Central Defender");
  EXPECT_EQ(display.BenchCaption(4)->text(), "Keeper");
  EXPECT_EQ(display.BenchCaption(4)->geometry().bottom() + 1, display.Slot(15)->y());
  EXPECT_EQ(display.PenaltyTakersButton()->geometry(), QRect(26, 23, 157, 17));

  auto team = FullTeam();
  team->PutSlot(15, Player(16, "Reserve Keeper"));
  team->ChooseCaptainAndSetPiecesTaker();
  display.SetTeam(*team);
  EXPECT_NE(&display.Team(), team.get()) << "the display keeps its own copy";
  for (int slot = 0; slot <= 10; ++slot) {
    SCOPED_TRACE(slot);
    const QLabel& label = *display.Slot(slot);
    EXPECT_EQ(label.text().toStdString(), team->GetSlot(slot)->PlayerName);
    const TPredictedStars& p = display.Prediction(slot);
    EXPECT_EQ(p.Samples, 0);
    const int width = static_cast<int>(std::lround(p.Stars * 14));
    for (int colour = 0; colour < 3; ++colour) {
      const TStarStrip& strip = *display.Strip(slot, colour);
      EXPECT_EQ(strip.width(), width);
      EXPECT_EQ(!strip.isHidden(), colour == 2) << "only the red strip: no samples";
      EXPECT_EQ(strip.y(), label.y() + label.height());
      EXPECT_EQ(strip.x(), label.x() + (label.width() - width) / 2);
    }
  }
  EXPECT_EQ(display.Strip(0, 2)->toolTip(), "Unreliable");
  EXPECT_EQ(display.Slot(15)->text(), "Reserve Keeper");
  EXPECT_EQ(display.Slot(15)->parentWidget(), display.BenchPanel());

  // Captain and set-pieces taker: above their slots, side by side when they are one player.
  const QLabel* captainSlot = nullptr;
  const QLabel* takerSlot = nullptr;
  for (int slot = 0; slot <= 10; ++slot) {
    if (team->GetSlot(slot) == team->Captain()) captainSlot = display.Slot(slot);
    if (team->GetSlot(slot) == team->SetPiecesTaker()) takerSlot = display.Slot(slot);
  }
  ASSERT_NE(captainSlot, nullptr);
  ASSERT_NE(takerSlot, nullptr);
  const QLabel& captain = *display.CaptainIcon();
  const QLabel& taker = *display.SetPiecesIcon();
  EXPECT_FALSE(captain.isHidden());
  EXPECT_EQ(captain.y(), captainSlot->y() - captain.height());
  if (captainSlot != takerSlot) {
    EXPECT_EQ(captain.x(), captainSlot->x() + (captainSlot->width() - captain.width()) / 2);
    EXPECT_EQ(taker.x(), takerSlot->x() + (takerSlot->width() - taker.width()) / 2);
  }
  TTeam one(wDisabled, false, false);
  one.PutSlot(5, Player(6, "Alone"));
  one.ChooseCaptainAndSetPiecesTaker();
  display.SetTeam(one);
  const QLabel& slot5 = *display.Slot(5);
  EXPECT_EQ(captain.x(), slot5.x() + static_cast<int>(std::lround((157 - 2.5 * captain.width()) / 2)));
  EXPECT_EQ(taker.x(), captain.x() + static_cast<int>(std::lround(1.5 * captain.width())));
  EXPECT_EQ(display.Slot(0)->text(), "") << "the slots of the previous team are emptied";
  EXPECT_TRUE(display.Strip(0, 2)->isHidden());

  // Another formation lays the slots out again.
  TTeam threeFiveTwo(wDisabled, false, false);
  threeFiveTwo.SetFormation(352);
  display.SetTeam(threeFiveTwo);
  EXPECT_EQ(display.Slot(1)->pos(), QPoint((720 - 157) / 2, 120));
  EXPECT_TRUE(display.CaptainIcon()->isHidden());

  // The button hands its text to the owner.
  display.SetTeam(*team);
  QSignalSpy spy(&display, &TTeamDisplay::PenaltyTakersRequested);
  display.PenaltyTakersButton()->setEnabled(true);
  display.PenaltyTakersButton()->click();
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy.at(0).at(0).toString().toStdString(), PenaltyTakersText(*team));
  EXPECT_THROW(display.Slot(16), ERangeError);
  EXPECT_THROW(display.Strip(11, 0), ERangeError);
}

TEST(MyTeamDisplay, NineRowsInTableOrderWithTheirStatusIcons) {
  QWidget page;
  TMyTeamDisplay display(&page);
  const char* captions[] = {"Team", "League", "Players", "Training", "Arena", "Economy", "Club", "Region", "World"};
  for (int i = 0; i < 9; ++i) {
    SCOPED_TRACE(i);
    TMyTeamNode& node = display.GetNode(i);
    EXPECT_EQ(node.Caption()->text(), captions[i]);
    EXPECT_EQ(node.Caption()->pos(), QPoint(48, (3 * i + 4) * 8));
    EXPECT_EQ(node.Image()->pos(), QPoint(224, (3 * i + 4) * 8));
    EXPECT_EQ(node.Caption()->font().pointSize(), 10);
    EXPECT_EQ(node.Status(), TMyTeamNode::Pending);
    EXPECT_TRUE(node.Image()->isHidden());
  }
  TMyTeamNode& players = display.GetNode(2);
  players.SetStatus(TMyTeamNode::Done);
  EXPECT_FALSE(players.Image()->isHidden());
  const qint64 done = players.Image()->pixmap().cacheKey();
  players.SetStatus(TMyTeamNode::Failed);
  EXPECT_FALSE(players.Image()->isHidden());
  EXPECT_NE(players.Image()->pixmap().cacheKey(), done);
  for (int odd : {2, -7}) {
    players.SetStatus(odd);
    EXPECT_TRUE(players.Image()->isHidden()) << odd;
  }
  // The window's own icons replace the drawn ones.
  QPixmap failed(16, 16), ok(16, 16);
  failed.fill(Qt::red);
  ok.fill(Qt::green);
  display.SetStatusImages(failed, ok);
  players.SetStatus(TMyTeamNode::Done);
  EXPECT_EQ(players.Image()->pixmap().toImage(), ok.toImage());

  players.SetBusy(true);
  EXPECT_TRUE(players.Busy());
  players.Stream = "<HattrickData/>";
  display.Reset();
  EXPECT_FALSE(players.Busy());
  EXPECT_TRUE(players.Stream.isEmpty());
  EXPECT_EQ(players.Status(), TMyTeamNode::Pending);
  EXPECT_THROW(display.GetNode(9), ERangeError);
}

// Writes pictures of a team display with its bench and of the download status list when
// PITCHBOOK_SCREENSHOT_DIR names a folder (for looking at them).
TEST(TeamDisplayWidget, Screenshots) {
  const char* folder = std::getenv("PITCHBOOK_SCREENSHOT_DIR");
  if (!folder) GTEST_SKIP() << "PITCHBOOK_SCREENSHOT_DIR not set";
  QWidget owner;
  owner.resize(740, 640);
  THistory history;
  // Slots 1..4 played in their roles before: seven, four, four and one matches.
  const int places[] = {3, 4, 2, 5};
  const int matches[] = {7, 4, 4, 1};
  int round = 1;
  for (int k = 0; k < 4; ++k)
    for (int m = 0; m < matches[k]; ++m) {
      auto page = Page(round++, k + 2, places[k], 3 + (m % 3) * 0.5);
      for (int other = 1; other <= 11; ++other)
        if (other != k + 2) page->Players.Add(Player(other, "P"));
      history.InsertAt(history.Count() + 1, std::move(page));
    }
  TTeamDisplay display(&owner, QRect(10, 10, 720, 480));
  display.SetHistory(&history);
  auto team = FullTeam();
  const char* names[] = {"Benoît Chrétien", "Loïc Chrétien", "Noël Lacôte", "Frédéric Lemaître", "Adrián Muñoz",
                         "Anders Nyström", "Gaël Lefèvre", "Cédric Hébert", "Jérôme Gérard",
                         "Mikołaj Błaszczykowski", "Stéphane Fénelon"};
  for (int slot = 0; slot <= 10; ++slot) team->GetSlot(slot)->PlayerName = names[slot];
  for (int slot = 11; slot <= 15; ++slot) team->PutSlot(slot, Player(20 + slot, "Bench " + std::to_string(slot)));
  team->ChooseCaptainAndSetPiecesTaker();
  display.SetTeam(*team);
  display.PenaltyTakersButton()->setEnabled(true);
  owner.show();
  QApplication::processEvents();
  ASSERT_TRUE(owner.grab().save(QString::fromStdString(std::string(folder) + "/teamdisplay.png")));

  QWidget page;
  page.resize(260, 260);
  TMyTeamDisplay status(&page);
  for (int i = 0; i < 9; ++i) status.GetNode(i).SetStatus(i < 5 ? TMyTeamNode::Done : i == 5 ? TMyTeamNode::Failed : TMyTeamNode::Pending);
  status.GetNode(6).SetBusy(true);
  page.show();
  QApplication::processEvents();
  ASSERT_TRUE(page.grab().save(QString::fromStdString(std::string(folder) + "/myteamdisplay.png")));
}
