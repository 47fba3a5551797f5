// The history store: order of pages, the fetch-date rule, round lookup, matches of the newest week and the
// questions the program asks of the past.
#include "core/Errors.h"
#include "core/Player.h"
#include "data/History.h"
#include "data/HistoryTestSupport.h"

#include <gtest/gtest.h>

using namespace historytest;

namespace {
std::unique_ptr<THistoryPage> MakePage(int season, int round, const std::string& fetched = "2009-09-28 12:00:00") {
  auto page = std::make_unique<THistoryPage>();
  page->World.Season = season;
  page->World.MatchRound = round;
  page->World.FetchedDate = fetched;
  return page;
}

std::vector<int> Keys(const THistory& history) {
  std::vector<int> keys;
  for (int i = 1; i <= history.Count(); ++i) keys.push_back(history.Page(i).RoundKey());
  return keys;
}
}  // namespace

TEST(History, AddKeepsPagesInSeasonAndRoundOrderWhateverTheOrderOfArrival) {
  THistory history;
  for (auto [s, r] : {std::pair{38, 5}, {37, 16}, {38, 12}, {38, 1}, {39, 1}, {37, 2}})
    history.Add(MakePage(s, r));
  EXPECT_EQ(Keys(history), (std::vector<int>{3702, 3716, 3801, 3805, 3812, 3901}));
  EXPECT_EQ(history.Latest().RoundKey(), 3901);
}

TEST(History, AddOfAnExistingRoundFollowsTheFetchDates) {
  struct TCase {
    const char* Existing;
    const char* New;
    bool Replaced;
  };
  const TCase cases[] = {
      {"2009-09-28 12:00:00", "2009-09-27 23:59:59", false},  // the store already holds the later download
      {"2009-09-28 12:00:00", "2009-09-28 12:00:00", true},   // equal dates: the new page wins
      {"2009-09-28 12:00:00", "2009-09-29", true},            // later date without a time
      {"2009-09-28 12:00:00", "2009-09-28 12:00:01", true},
  };
  for (const TCase& c : cases) {
    THistory history;
    history.Add(MakePage(38, 4));
    history.Add(MakePage(38, 5, c.Existing));
    history.Add(MakePage(38, 6));
    history.Add(MakePage(38, 5, c.New));
    ASSERT_EQ(history.Count(), 3) << c.New;
    EXPECT_EQ(history.Page(2).World.FetchedDate, c.Replaced ? c.New : c.Existing) << c.New;
    EXPECT_EQ(Keys(history), (std::vector<int>{3804, 3805, 3806}));
  }
}

TEST(History, AddWithAnUnreadableFetchDateInACollisionRaisesAndLeavesTheStoreUnchanged) {
  THistory history;
  history.Add(MakePage(38, 5, "2009-09-28 12:00:00"));
  EXPECT_THROW(history.Add(MakePage(38, 5, "28.09.2009")), EConvertError);
  ASSERT_EQ(history.Count(), 1);
  EXPECT_EQ(history.Page(1).World.FetchedDate, "2009-09-28 12:00:00");
}

TEST(History, InsertAtAndPageAreRangeChecked) {
  THistory history;
  history.InsertAt(1, MakePage(38, 7));
  history.InsertAt(1, MakePage(38, 5));
  history.InsertAt(2, MakePage(38, 6));
  EXPECT_EQ(Keys(history), (std::vector<int>{3805, 3806, 3807}));
  EXPECT_THROW(history.InsertAt(5, MakePage(38, 9)), ERangeError);
  EXPECT_THROW(history.InsertAt(0, MakePage(38, 9)), ERangeError);
  EXPECT_THROW(history.Page(0), ERangeError);
  EXPECT_THROW(history.Page(4), ERangeError);
  THistory empty;
  EXPECT_THROW(empty.Latest(), ERangeError);
}

TEST(History, FindRoundFindsStoredRoundsOnly) {
  THistory history;
  for (auto [s, r] : {std::pair{37, 15}, {38, 2}, {38, 5}, {38, 9}}) history.Add(MakePage(s, r));
  struct TCase {
    int Season, Round, Index;
  };
  for (const TCase c : {TCase{38, 5, 3}, {38, 9, 4}, {37, 15, 1}, {38, 2, 2}, {38, 3, 0} /* between two rounds */,
                        {38, 10, 0}, {37, 1, 0}, {36, 5, 0}, {39, 1, 0}})
    EXPECT_EQ(history.FindRound(c.Season, c.Round), c.Index) << c.Season << "-" << c.Round;
  EXPECT_EQ(THistory().FindRound(38, 5), 0);
}

// ---- pages from files -------------------------------------------------------------------------------------

TEST(HistoryPage, LoadReadsAllRecordsOfAnXmlSnapshot) {
  TTempFolder folder;
  TTestSnapshot s;
  s.TrainingType = 8;
  s.TrainerPlayerID = 2;
  s.Players = {MakePlayer(1), MakePlayer(2), MakePlayer(3)};
  s.Players[1].TrainerSkill = "6";
  const auto path = WriteSnapshot(folder.Path(), s);
  THistoryPage page;
  page.Load(path.string());
  EXPECT_TRUE(page.IsXml);
  EXPECT_EQ(page.FileName, path.string());
  EXPECT_EQ(page.Team.TeamID, "4711");
  EXPECT_EQ(page.League.Position, 2);
  EXPECT_EQ(page.Training.TrainingType, 8);
  EXPECT_EQ(page.Arena.Total, 10);
  EXPECT_EQ(page.Economy.LastWeeksTotal, 7);
  EXPECT_EQ(page.Club.YouthLevel, 2);
  EXPECT_EQ(page.World.Season, 38);
  EXPECT_EQ(page.World.MatchRound, 5);
  EXPECT_EQ(page.World.FetchedDate, "2009-09-28 12:00:00");
  EXPECT_EQ(page.Players.Count(), 3);
  ASSERT_NE(page.GetTrainer(), nullptr);
  EXPECT_EQ(page.GetTrainer()->PlayerID, 2);
}

TEST(HistoryPage, LoadOfAnXmlSnapshotFailsWithAnyBrokenFile) {
  struct TCase {
    const char* Kind;
    const char* Text;  // empty: the file is removed
  };
  const TCase cases[] = {
      {"Economy", ""},
      {"Training", "<KickvaleData><Team><TrainingLevel>"},
      {"TeamDetails", "<KickvaleData><Team><NumberOfVictories>many</NumberOfVictories></Team></KickvaleData>"},
      {"Players", "<KickvaleData><Team><PlayerList><Player><PlayerID>x</PlayerID></Player></PlayerList></Team>"
                  "</KickvaleData>"},
  };
  for (const TCase& c : cases) {
    TTempFolder folder;
    TTestSnapshot s;
    s.Players = {MakePlayer(1)};
    const auto path = WriteSnapshot(folder.Path(), s);
    const auto broken = folder / (s.Day + " " + c.Kind + ".xml");
    if (*c.Text)
      WriteWholeFile(broken, c.Text);
    else
      std::filesystem::remove(broken);
    THistoryPage page;
    EXPECT_ANY_THROW(page.Load(path.string())) << c.Kind;
  }
}

TEST(HistoryPage, LoadReadsTheHeaderAndPlayersOfARecordFile) {
  TTempFolder folder;
  auto coach = MakePlayer(12, 4, 40);
  coach.TrainerSkill = "7";
  const auto path = folder / "old.krf";
  WriteWholeFile(path, RecordText(35, 14, "2007-03-01", {MakePlayer(11, 6), coach}));
  THistoryPage page;
  page.Load(path.string());
  EXPECT_FALSE(page.IsXml);
  EXPECT_EQ(page.FileName, path.string());
  EXPECT_EQ(page.Team.TeamID, "4711");
  EXPECT_EQ(page.Team.TeamName, "FC Record");  // two blanks in the file become one
  EXPECT_EQ(page.Arena.ArenaName, "Old Ground");
  EXPECT_EQ(page.World.FetchedDate, "2007-03-01");
  EXPECT_EQ(page.World.Season, 35);
  EXPECT_EQ(page.World.MatchRound, 14);
  EXPECT_EQ(page.World.CountryID, 5);
  EXPECT_EQ(page.Economy.LastWeeksTotal, 3);
  EXPECT_EQ(page.Training.TrainerID, 3);
  EXPECT_EQ(page.Economy.Cash, 0);  // no key for it
  EXPECT_EQ(page.Players.Count(), 2);
  ASSERT_NE(page.GetTrainer(), nullptr);
  EXPECT_EQ(page.GetTrainer()->PlayerID, 12);
}

TEST(HistoryPage, ReadRecordHeaderLooksKeysUpExactly) {
  THistoryPage page;
  std::string header = RecordText(35, 14, "2007-03-01", {});
  // Turn the lines into the header text as LoadRecordFile does: "key value|key value".
  std::string text;
  for (char c : header) text += c == '\n' ? '|' : c == '=' ? ' ' : c;
  page.ReadRecordHeader(text + "|TeamID 999|ownerICQ|");
  EXPECT_EQ(page.Team.TeamID, "4711");  // "TeamID" is not "teamID"
  EXPECT_EQ(page.Team.ICQ, "");         // a key right before "|" has no value

  std::string emptyInt = text;
  emptyInt.replace(emptyInt.find("|season 35"), 10, "|season ");
  EXPECT_THROW(page.ReadRecordHeader(emptyInt), EConvertError);
  std::string letters = text;
  letters.replace(letters.find("|trLevel 3"), 10, "|trLevel x");
  EXPECT_THROW(page.ReadRecordHeader(letters), EConvertError);
  std::string missing = text;
  missing.replace(missing.find("|lastTotal"), 10, "|lastTotax");
  EXPECT_THROW(page.ReadRecordHeader(missing), EConvertError);
}

TEST(HistoryPage, RecordFilesWithoutPlayersOrWithBadValuesFailToLoad) {
  TTempFolder folder;
  const std::string good = RecordText(35, 14, "2007-03-01", {MakePlayer(11)});
  struct TCase {
    const char* Name;
    std::string Text;
  };
  std::string noPlayers = RecordText(35, 14, "2007-03-01", {});
  std::string badSeason = good;
  badSeason.replace(badSeason.find("season=35"), 9, "season=3x");
  std::string badAge = good;
  badAge.replace(badAge.find("ald=20"), 6, "ald=");
  const TCase cases[] = {{"no player section", noPlayers}, {"season not a number", badSeason},
                         {"age without value", badAge}};
  for (const TCase& c : cases) {
    WriteWholeFile(folder / "x.krf", c.Text);
    THistoryPage page;
    EXPECT_ANY_THROW(page.Load((folder / "x.krf").string())) << c.Name;
  }
  THistoryPage page;
  EXPECT_ANY_THROW(page.Load((folder / "missing.krf").string()));
}

TEST(HistoryPage, RecordHeaderInTheWindowsCodePageIsReadAsSuch) {
  TTempFolder folder;
  std::string text = RecordText(35, 14, "2007-03-01", {MakePlayer(11)});
  text.replace(text.find("FC  Record"), 10, "M\xfcnchen");
  WriteWholeFile(folder / "x.krf", text);
  THistoryPage page;
  page.Load((folder / "x.krf").string());
  EXPECT_EQ(page.Team.TeamName, "M\xc3\xbcnchen");
}

// ---- matches and players ----------------------------------------------------------------------------------

namespace {
TPlayer& AddPlayer(THistoryPage& page, int64_t id, int form = 6, int age = 20, double skill = 5) {
  auto p = std::make_unique<TPlayer>();
  p->PlayerID = id;
  p->PlayerForm = form;
  p->Age = age;
  for (int code = 3; code <= 10; ++code) p->SetValue(code, skill);
  TPlayer& ref = *p;
  page.Players.Add(std::move(p));
  return ref;
}

void SetLineup(TMatchPage& match, int matchID, std::initializer_list<std::pair<int, int>> slots) {
  match.MatchID = matchID;
  for (auto [slot, id] : slots) {
    match.Lineup[slot].PlayerID = id;
    match.Lineup[slot].PositionCode = slot == 1 ? 1 : 7;
  }
}
}  // namespace

TEST(History, AttachLatestMatchesFillsTheNewestWeekAndReportsABrokenElementAfterTheOthers) {
  TTempFolder folder;
  THistory history;
  history.Add(MakePage(38, 4));
  history.Add(MakePage(38, 5));
  history.Latest().Team.TeamID = "4711";
  history.AttachLatestMatches(folder.Path());  // no match file: nothing, no error
  EXPECT_FALSE(history.Latest().LeagueMatch.HasMatch());

  WriteMatchFile(folder / "4711.xml", {MatchDataXml(1, 38, 4, 1, {{10, 1}}), MatchDataXml(2, 38, 5, 1, {{10, 1}}),
                                       MatchDataXml(3, 38, 5, 7, {{11, 1}}), MatchDataXml(4, 38, 5, 5, {{12, 1}}),
                                       MatchDataXml(5, 38, 6, 2, {{13, 1}})});
  history.AttachLatestMatches(folder.Path());
  EXPECT_EQ(history.Latest().LeagueMatch.MatchID, 2);
  // Walking from the last element, a slot is read again until both slots hold a match.
  EXPECT_EQ(history.Latest().OtherMatch.MatchID, 3);
  EXPECT_FALSE(history.Page(1).LeagueMatch.HasMatch());

  THistory broken;
  broken.Add(MakePage(38, 5));
  broken.Latest().Team.TeamID = "4711";
  WriteMatchFile(folder / "4711.xml",
                 {MatchDataXml(2, 38, 5, 1, {{10, 1}}), MatchDataXml(4, 38, 5, 5, {{12, 1}}, "two")});
  EXPECT_THROW(broken.AttachLatestMatches(folder.Path()), EConvertError);
  EXPECT_EQ(broken.Latest().LeagueMatch.MatchID, 2);
  EXPECT_FALSE(broken.Latest().OtherMatch.HasMatch());
}

TEST(History, PlayedLastMatchLooksAtTheNewestPageWithAMatch) {
  THistory history;
  history.Add(MakePage(38, 4));
  history.Add(MakePage(38, 5));
  history.Add(MakePage(38, 6));  // no match yet
  EXPECT_FALSE(history.PlayedLastMatch(7));
  SetLineup(history.Page(1).LeagueMatch, 1, {{1, 7}});
  SetLineup(history.Page(2).OtherMatch, 2, {{1, 8}, {11, 9}, {12, 10}, {20, 11}});
  EXPECT_TRUE(history.PlayedLastMatch(8));
  EXPECT_TRUE(history.PlayedLastMatch(9));
  EXPECT_FALSE(history.PlayedLastMatch(10));  // on the bench only
  EXPECT_TRUE(history.PlayedLastMatch(11));   // came on
  EXPECT_FALSE(history.PlayedLastMatch(7));   // played an older match only
  SetLineup(history.Page(2).LeagueMatch, 3, {{1, 7}});
  EXPECT_TRUE(history.PlayedLastMatch(7));  // the league match is looked at first
  EXPECT_FALSE(history.PlayedLastMatch(8));
}

TEST(History, SameFormComparesPlayersPresentInBothPages) {
  THistory history;
  history.Add(MakePage(38, 4));
  history.Add(MakePage(38, 5));
  AddPlayer(history.Page(1), 1, 6);
  AddPlayer(history.Page(1), 2, 5);
  AddPlayer(history.Page(2), 1, 6);
  AddPlayer(history.Page(2), 3, 8);
  EXPECT_TRUE(history.SameForm(1, 2));
  AddPlayer(history.Page(2), 2, 4);
  EXPECT_FALSE(history.SameForm(1, 2));
  EXPECT_FALSE(history.SameForm(2, 1));
}

TEST(HistoryPage, PlayedPositionAndRatingComeFromTheLeagueMatchFirst) {
  THistoryPage page;
  AddPlayer(page, 5, 8, 20, 10);
  EXPECT_EQ(page.GetPlayedPosition(5), 0);
  page.OtherMatch.MatchID = 1;
  page.OtherMatch.Lineup[3].PlayerID = 5;  // slot 3: central defender
  EXPECT_EQ(page.GetPlayedPosition(5), rfCentralDefender);
  page.LeagueMatch.MatchID = 2;
  page.LeagueMatch.Lineup[1].PlayerID = 5;  // slot 1: keeper
  EXPECT_EQ(page.GetPlayedPosition(5), rfKeeper);
  EXPECT_EQ(page.GetPlayedPosition(int64_t{1} << 40), 0);
  EXPECT_DOUBLE_EQ(page.GetPlayedRating(5, 0, wDisabled), page.Players.Get(1)->GetKeeperRating());
  EXPECT_EQ(page.GetPlayedRating(6, 0, wDisabled), 0);  // not in the squad
  page.LeagueMatch.MatchID = 0;
  page.LeagueMatch.Lineup[1].PlayerID = 0;
  EXPECT_DOUBLE_EQ(page.GetPlayedRating(5, 0, wDisabled), page.Players.Get(1)->GetCentralDefenderRating());
  EXPECT_EQ(page.GetPlayedRating(5, 0, 17), 0);  // no such weather: the failure gives 0
}

TEST(HistoryPage, AddListItemDescribesThePage) {
  auto page = MakePage(38, 5, "2009-09-28 12:00:00");
  page->FileName = "/somewhere/History/2009-09-28 Players.xml";
  page->Training.TrainingType = 8;
  struct TCase {
    bool League, Other;
    const char* Text;
  };
  for (const TCase c : {TCase{true, true, "Both"}, {true, false, "League"}, {false, true, "Other"},
                        {false, false, "None"}}) {
    page->LeagueMatch.MatchID = c.League ? 1 : 0;
    page->OtherMatch.MatchID = c.Other ? 2 : 0;
    const THistoryListItem item = page->AddListItem();
    EXPECT_EQ(item.Matches, c.Text);
    EXPECT_EQ(item.Date, "2009-09-28");
    EXPECT_EQ(item.Day, "Monday");
    EXPECT_EQ(item.Week, "38-05");
    EXPECT_EQ(item.Training, "Playmaking");
    EXPECT_EQ(item.FileName, "2009-09-28 Players.xml");
    EXPECT_EQ(item.Page, page.get());
  }
}
