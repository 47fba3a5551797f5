#include "ratings/LineupArrangement.h"

#include "core/Errors.h"

#include "ratings/LineupArrangementTestXml.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace lineuptest;

namespace {
struct TBoxPlace {
  const char* Caption;
  int Left, Top, Style;
};

void ExpectPlaces(const TPitchArrangement& pitch, const std::vector<TBoxPlace>& places) {
  for (int i = 0; i < TPitchArrangement::BoxCount; ++i) {
    SCOPED_TRACE(i);
    const TPlayerBox& box = pitch.Panel(i);
    if (i >= static_cast<int>(places.size())) {
      EXPECT_FALSE(box.Visible);
      continue;
    }
    const TBoxPlace& p = places[static_cast<size_t>(i)];
    EXPECT_TRUE(box.Visible);
    EXPECT_EQ(box.Caption, p.Caption);
    EXPECT_EQ(box.Left, p.Left);
    EXPECT_EQ(box.Top, p.Top);
    EXPECT_EQ(box.HeaderStyle, p.Style);
  }
}

std::vector<int> Styles(const TPitchArrangement& pitch) {
  std::vector<int> styles;
  for (const TPlayerBox& box : pitch.Panels())
    if (box.Visible) styles.push_back(box.HeaderStyle);
  return styles;
}

class LineupDocument {
public:
  explicit LineupDocument(const TLineupSpec& spec) { EXPECT_TRUE(FDocument.load_string(LineupXml(spec).c_str())); }
  explicit LineupDocument(const std::vector<TPlace>& places) : LineupDocument(TLineupSpec{.Places = places}) {}
  pugi::xml_node Node() const { return FDocument.document_element(); }

private:
  pugi::xml_document FDocument;
};
}  // namespace

TEST(LineupArrangement, FourFourTwoLaysOutFourLinesWithoutStars) {
  TPitchArrangement pitch;  // formation 0, stars hidden: box height 48
  EXPECT_EQ(pitch.Formation(), 0);
  ExpectPlaces(pitch, {{"GK", 216, 8, 0},
                       {"RB", 8, 64, 0},
                       {"CD", 152, 64, 0},
                       {"CD", 280, 64, 0},
                       {"LB", 424, 64, 0},
                       {"RW", 8, 128, 0},
                       {"IM", 152, 128, 0},
                       {"IM", 280, 128, 0},
                       {"LW", 424, 128, 0},
                       {"F", 152, 192, 0},
                       {"F", 280, 192, 0}});
  EXPECT_EQ(pitch.Height(), 4 * 48 + 56);
  EXPECT_EQ(TPitchArrangement::Width, 528);

  // Stars make every box 24 pixels taller: the lines move down.
  pitch.SetStarsVisible(true);
  EXPECT_EQ(pitch.TotalHeight(), 72);
  EXPECT_EQ(pitch.Panel(1).Top, 88);
  EXPECT_EQ(pitch.Panel(5).Top, 176);
  EXPECT_EQ(pitch.Panel(9).Top, 264);
  EXPECT_EQ(pitch.Height(), 4 * 72 + 56);
  // ... unless there are no star pictures to show.
  pitch.SetStarImagesEmpty(true);
  EXPECT_EQ(pitch.TotalHeight(), 48);
  EXPECT_EQ(pitch.Panel(9).Top, 192);
}

TEST(LineupArrangement, FormationsMarkTheirExtraPlayersPlaces) {
  struct {
    int Formation;
    std::vector<const char*> Captions;
    std::vector<int> Styles;
  } const cases[] = {
      {3, {"GK", "RB", "CD", "LB", "RW", "IM", "IM", "IM", "LW", "F", "F"}, {0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
      {4, {"GK", "RB", "CD", "CD", "CD", "LB", "RW", "IM", "LW", "F", "F"}, {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}},
      {7, {"GK", "CD", "CD", "RW", "IM", "IM", "IM", "LW", "F", "F", "F"}, {0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0}},
      {8, {"GK", "RB", "CD", "CD", "CD", "LB", "RW", "IM", "IM", "IM", "LW"}, {0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Formation);
    TPitchArrangement pitch;
    pitch.SetFormation(c.Formation);
    EXPECT_EQ(pitch.VisibleCount(), 11);
    for (size_t i = 0; i < c.Captions.size(); ++i) EXPECT_EQ(pitch.Panel(static_cast<int>(i)).Caption, c.Captions[i]) << i;
    EXPECT_EQ(Styles(pitch), c.Styles);
  }
  // A line of three spreads over the pitch: 120, 216, 312.
  TPitchArrangement pitch;
  pitch.SetFormation(3);
  EXPECT_EQ(pitch.Panel(5).Left, 120);
  EXPECT_EQ(pitch.Panel(6).Left, 216);
  EXPECT_EQ(pitch.Panel(7).Left, 312);
  EXPECT_EQ(pitch.Panel(2).Left, 216);  // a single central defender is centred
  // Other codes change nothing.
  pitch.SetFormation(9);
  pitch.SetFormation(-1);
  EXPECT_EQ(pitch.Formation(), 3);
  EXPECT_FALSE(FormationCounts(9));
}

TEST(LineupArrangement, ExtrasTakeTheirLinesPlacesByCount) {
  // Inner midfield line only: n regular players plus E extras.
  struct {
    int Regular, Extras;
    std::vector<int> Styles;
  } const cases[] = {
      {1, 2, {1, 0, 1}}, {0, 3, {1, 1, 1}}, {1, 1, {1, 0}}, {0, 2, {1, 1}}, {0, 1, {1}}, {3, 0, {0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Regular << "+" << c.Extras);
    TPitchArrangement pitch;
    TLineCounts counts{};
    counts[lcInnerMidfielders] = c.Regular;
    counts[lcExtraInnerMidfielders] = c.Extras;
    EXPECT_TRUE(pitch.ArrangePanels(counts));
    EXPECT_EQ(Styles(pitch), c.Styles);
  }
}

TEST(LineupArrangement, FourInALineIsNotLaidOut) {
  TPitchArrangement pitch;
  pitch.SetFormation(3);
  const auto before = pitch.Panels();
  for (int line : {lcCentralDefenders, lcInnerMidfielders, lcForwards}) {
    TLineCounts counts = *FormationCounts(0);
    counts[static_cast<size_t>(line)] = 3;
    counts[static_cast<size_t>(line + (line == lcCentralDefenders ? 6 : line == lcInnerMidfielders ? 4 : 3))] = 1;
    EXPECT_FALSE(pitch.ArrangePanels(counts)) << line;
    EXPECT_EQ(pitch.Panels(), before);
  }
  // More than eleven players: the eleven boxes are all there is; negative counts count as none.
  TLineCounts many{1, 1, 3, 1, 1, 3, 1, 3, 0, 0, 0};
  EXPECT_TRUE(pitch.ArrangePanels(many));
  EXPECT_EQ(pitch.VisibleCount(), 11);
  TLineCounts negative{1, -5, 2, 1, 1, 2, 1, 2, 0, -1, 0};
  EXPECT_TRUE(pitch.ArrangePanels(negative));
  EXPECT_EQ(pitch.VisibleCount(), 10);
}

TEST(LineupArrangement, ShowLineupPlacesExtrasFirstThenTheOthersInOrder) {
  // A 3-5-2 whose RoleID 4 plays as an extra inner midfielder.
  std::vector<TPlace> places = StartingEleven();
  places[3].Behaviour = "6";
  places[3].Stars = "4.5";
  places[1].Behaviour = "1";
  LineupDocument lineup(places);
  TPitchArrangement pitch;
  pitch.ShowLineup(lineup.Node());

  EXPECT_EQ(Styles(pitch), (std::vector<int>{0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0}));
  const TPlayerBox& extra = pitch.Panel(6);
  EXPECT_EQ(extra.Caption, "IM");
  EXPECT_EQ(extra.PlayerID, 104);
  EXPECT_EQ(extra.PlayerName, "P104");
  EXPECT_EQ(extra.Stars, 4.5);
  EXPECT_EQ(extra.Behaviour, 0);
  const int64_t expected[11] = {101, 102, 103, 105, 106, 107, 104, 108, 109, 110, 111};
  for (int i = 0; i < 11; ++i) EXPECT_EQ(pitch.Panel(i).PlayerID, expected[i]) << i;
  EXPECT_EQ(pitch.Panel(3).PositionCode, 5);
  EXPECT_EQ(pitch.Panel(3).Caption, "LB");
  // The offensive right back stands 8 pixels lower.
  EXPECT_EQ(pitch.Panel(1).Behaviour, 1);
  EXPECT_EQ(pitch.Panel(1).ShownTop(), pitch.Panel(1).Top + 8);
}

TEST(LineupArrangement, EmptyPlacesStayEmptyAndTwoExtrasOfALineGetTheirOwnBoxes) {
  // A 5-5-0: both forwards play as extras, one in defence, one in midfield; inner midfielder 108 is missing.
  std::vector<TPlace> places = StartingEleven();
  places[9].Behaviour = "7";
  places[10].Behaviour = "6";
  places[7].ID = "0";
  LineupDocument lineup(places);
  TPitchArrangement pitch;
  pitch.ShowLineup(lineup.Node());
  const int64_t expected[11] = {101, 102, 103, 110, 104, 105, 106, 107, 111, 0, 109};
  for (int i = 0; i < 11; ++i) EXPECT_EQ(pitch.Panel(i).PlayerID, expected[i]) << i;
  EXPECT_FALSE(pitch.Panel(9).Filled);
  EXPECT_EQ(pitch.Panel(9).Caption, "IM");

  // Both central defenders as extra forwards (the outer places of the line of three), the left forward as an
  // extra inner midfielder; an extra with PlayerID 0 leaves his place empty.
  places = StartingEleven();
  places[2].Behaviour = "5";
  places[3].Behaviour = "5";
  places[3].ID = "0";
  places[10].Behaviour = "6";
  LineupDocument twoExtras(places);
  pitch.ShowLineup(twoExtras.Node());
  EXPECT_EQ(Styles(pitch), (std::vector<int>{0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 1}));
  EXPECT_EQ(pitch.Panel(5).PlayerID, 111);
  EXPECT_EQ(pitch.Panel(8).PlayerID, 103);
  EXPECT_EQ(pitch.Panel(9).PlayerID, 110);
  EXPECT_EQ(pitch.Panel(10).PlayerID, 0);
  EXPECT_EQ(pitch.Panel(1).Caption, "RB");
}

TEST(LineupArrangement, ShowLineupFailsOnMalformedNumbersAndChangesNothing) {
  TPitchArrangement pitch;
  LineupDocument good(StartingEleven());
  pitch.ShowLineup(good.Node());
  const auto before = pitch.Panels();
  for (auto field : {&TPlace::Stars, &TPlace::ID, &TPlace::Role, &TPlace::Behaviour, &TPlace::Position}) {
    std::vector<TPlace> places = StartingEleven();
    places[6].*field = "2,5";
    LineupDocument bad(places);
    EXPECT_THROW(pitch.ShowLineup(bad.Node()), EConvertError);
    EXPECT_EQ(pitch.Panels(), before);
  }
  // Empty values are left-out values, not errors.
  std::vector<TPlace> places = StartingEleven();
  places[6].Stars = "";
  places[6].Behaviour = "";
  places[6].Position = "";
  LineupDocument sparse(places);
  pitch.ShowLineup(sparse.Node());
  EXPECT_EQ(pitch.Panel(6).PlayerID, 107);
  EXPECT_EQ(pitch.Panel(6).Stars, 0);
  EXPECT_EQ(pitch.Panel(6).Behaviour, -1);
  EXPECT_EQ(pitch.Panel(6).ShownLeft(), pitch.Panel(6).Left);
}

TEST(LineupArrangement, BehaviourMovesTheBoxWithoutDrifting) {
  struct {
    int Behaviour, PositionCode;
    TOffset Offset;
    TBehaviourIcon Icon;
  } const cases[] = {
      {0, 2, {0, 0}, TBehaviourIcon::None},   {1, 2, {0, 8}, TBehaviourIcon::Down},
      {2, 2, {0, -8}, TBehaviourIcon::Up},    {3, 2, {8, 0}, TBehaviourIcon::Right},
      {4, 2, {-8, 0}, TBehaviourIcon::Left},  {3, 5, {-8, 0}, TBehaviourIcon::Left},
      {4, 9, {8, 0}, TBehaviourIcon::Right},  {3, 11, {-8, 0}, TBehaviourIcon::Left},
      {1, 8, {0, 8}, TBehaviourIcon::Down},   {6, 7, {0, 0}, TBehaviourIcon::None},
      {-1, 4, {0, 0}, TBehaviourIcon::None},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BehaviourOffset(c.Behaviour, c.PositionCode), c.Offset) << c.Behaviour << "/" << c.PositionCode;
    EXPECT_EQ(BehaviourIcon(c.Behaviour, c.PositionCode), c.Icon) << c.Behaviour << "/" << c.PositionCode;
  }
  TPlayerBox box;
  box.Top = 100;
  box.PositionCode = 3;
  box.Behaviour = 1;
  const int offensive = box.ShownTop();
  box.Behaviour = 2;
  EXPECT_EQ(box.ShownTop(), offensive - 16);
  box.Behaviour = 2;
  EXPECT_EQ(box.ShownTop(), offensive - 16);
  box.Behaviour = 0;
  EXPECT_EQ(box.ShownTop(), 100);
}

TEST(LineupArrangement, StarImageWidths) {
  struct {
    double Stars;
    TStarWidths Widths;
  } const cases[] = {
      {7.5, {24, 40}}, {5.0, {24, 0}}, {0, {0, 0}}, {0.5, {0, 8}}, {10, {48, 0}}, {9.5, {24, 72}},
      {-1, {0, 0}},    {std::numeric_limits<double>::quiet_NaN(), {0, 0}}, {1e300, {480, 0}},
  };
  for (const auto& c : cases) EXPECT_EQ(StarWidths(c.Stars), c.Widths) << c.Stars;
}

TEST(LineupArrangement, HeaderStylesOffTheTableDrawAsTheNormalOne) {
  EXPECT_EQ(HeaderColours(1), (THeaderColours{0xA6CAF0, 0x000080, 0xFFFFFF}));
  EXPECT_EQ(HeaderColours(4), HeaderColours(0));
  EXPECT_EQ(HeaderColours(-1), HeaderColours(0));
}

TEST(MatchLineupArrangement, SlotsLieInTwoRowsWithTheirCaptions) {
  TMatchLineupArrangement lineup;
  const char* captions[10] = {"Sub (GK)", "Sub (CD)", "Sub (IM)",     "Sub (F)",  "Sub (W)",
                              "Set pieces", "Team Captain", "Replaced", "Replaced", "Replaced"};
  const int lefts[5] = {8, 112, 216, 320, 424};
  for (int slot = 0; slot < 10; ++slot) {
    SCOPED_TRACE(slot);
    const TPlayerBox& box = lineup.Extra(slot);
    EXPECT_EQ(box.Caption, captions[slot]);
    EXPECT_EQ(box.HeaderStyle, slot < 7 ? 1 : 2);
    EXPECT_EQ(box.Visible, slot < 7);
    EXPECT_EQ(box.Left, lefts[slot % 5]);
    EXPECT_EQ(box.Top, slot < 5 ? 8 : 64);
    // The second row keeps off the panel's bottom edge by the first row's margin at the top.
    EXPECT_EQ(box.Top + TPlayerBox::Height, slot < 5 ? 56 : TMatchLineupArrangement::ExtraPanelHeight - 8);
  }
  EXPECT_EQ(lineup.ExtraPanelTop(), lineup.Height() + 8);
  EXPECT_THROW(lineup.Extra(10), ERangeError);
}

TEST(MatchLineupArrangement, LoadLineupFillsSlotsByRoleID) {
  std::vector<TPlace> places = StartingEleven();
  for (const TPlace& p : BenchAndRoles()) places.push_back(p);
  places.push_back({"301", "19", "1", "2", "6", "Replaced One"});
  places.push_back({"0", "20", "", "", "", ""});     // no second replaced player
  places.push_back({"302", "25", "", "", "", ""});   // no such role
  places.push_back({"303", "21", "", "", "", ""});   // the eleventh after the pitch: not read
  LineupDocument document(places);
  TMatchLineupArrangement lineup;
  lineup.LoadLineup(document.Node());

  for (int i = 0; i < 11; ++i) EXPECT_EQ(lineup.Panel(i).PlayerID, 101 + i) << i;
  const int64_t ids[10] = {212, 213, 214, 216, 215, 105, 110, 301, 0, 0};
  for (int slot = 0; slot < 10; ++slot) {
    SCOPED_TRACE(slot);
    EXPECT_EQ(lineup.Extra(slot).PlayerID, ids[slot]);
    EXPECT_EQ(lineup.Extra(slot).Visible, slot <= 7);
  }
  EXPECT_EQ(lineup.Extra(3).PlayerName, "P216");
  EXPECT_EQ(lineup.Extra(7).PlayerName, "Replaced One");
  EXPECT_EQ(lineup.Extra(7).Caption, "Replaced");

  // The next match replaces everything: no replaced player, so the slot hides again.
  places.resize(11 + 7);
  places[11].ID = "0";
  LineupDocument next(places);
  lineup.LoadLineup(next.Node());
  EXPECT_FALSE(lineup.Extra(7).Visible);
  EXPECT_EQ(lineup.Extra(7).PlayerID, 0);
  EXPECT_EQ(lineup.Extra(0).PlayerID, 0);
  EXPECT_EQ(lineup.Extra(0).Caption, "Sub (GK)");
  EXPECT_EQ(lineup.Extra(1).PlayerID, 213);

  // A malformed number among the slots' elements fails the whole load.
  const auto pitchBefore = lineup.Panels();
  const auto slotsBefore = lineup.Extras();
  places[12].Role = "x";
  places[0].ID = "999";
  LineupDocument bad(places);
  EXPECT_THROW(lineup.LoadLineup(bad.Node()), EConvertError);
  EXPECT_EQ(lineup.Panels(), pitchBefore);
  EXPECT_EQ(lineup.Extras(), slotsBefore);
}

TEST(MatchLineupArrangement, RoleIDsMapToSlotsWithWingerAndForwardSwapped) {
  const int expected[] = {-1, -1, 0, 1, 2, 4, 3, 5, 6, 7, 8, 9, -1, -1};
  int role = 10;
  for (int slot : expected) {
    EXPECT_EQ(TMatchLineupArrangement::SlotOfRole(role), slot) << role;
    ++role;
  }
  EXPECT_EQ(TMatchLineupArrangement::SlotOfRole(-1), -1);
  EXPECT_EQ(TMatchLineupArrangement::SlotOfRole(std::numeric_limits<int>::min()), -1);
}
