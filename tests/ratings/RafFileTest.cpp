// The rating analyzer's file: the writer's exact lines, the round trip, a file of another snapshot, and
// malformed files that must be refused.
#include "TestSupport.h"

#include "core/Errors.h"
#include "core/PlayerList.h"
#include "ratings/RatingAnalyzerFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {
std::unique_ptr<TPlayerList> Snapshot() {
  auto list = std::make_unique<TPlayerList>();
  list->LoadFromPlayersFile(FixturePath("core/players.xml"));
  return list;
}

TRatingAnalyzerSetup SampleSetup(const TPlayerList& snapshot) {
  TRatingAnalyzerSetup setup;
  setup.Team = {7, 2, 1, false};
  setup.Players = snapshot.Clone();
  (*setup.Players)[1].PlaymakerSkill = 15;  // an edited copy
  setup.PlayerIDs[0] = snapshot[1].PlayerID;
  setup.PlayerIDs[5] = snapshot[2].PlayerID;
  setup.PlayerIDs[10] = snapshot[4].PlayerID;
  setup.BehaviourItems = {0, 1, 2, 3, 4, 5, 0, 6, 4, 3};
  return setup;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "the text ends with CR LF";
  return lines;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}
}  // namespace

TEST(RafFile, WriterPutsTheHeaderLinesInTheirOrder) {
  auto snapshot = Snapshot();
  const TRatingAnalyzerSetup setup = SampleSetup(*snapshot);
  const std::vector<std::string> lines = Lines(RatingAnalyzerText(setup));
  const std::vector<std::string> head = {
      "AppVersion=" + std::to_string(RatingAnalyzerAppVersion()), "", "TeamSpirit=7", "Attitude=2", "Arena=1", "",
      "Goalkeeper=" + std::to_string((*snapshot)[1].PlayerID), "CentralDefender1=0", "CentralDefender2=0",
      "RightBack=0", "LeftBack=0", "InnerMidfielder1=" + std::to_string((*snapshot)[2].PlayerID),
      "InnerMidfielder2=0", "RightWinger=0", "LeftWinger=0", "Forward1=0",
      "Forward2=" + std::to_string((*snapshot)[4].PlayerID), "CentralDefender1Behaviour=0",
      "CentralDefender2Behaviour=1", "RightBackBehaviour=2", "LeftBackBehaviour=3", "InnerMidfielder1Behaviour=4",
      "InnerMidfielder2Behaviour=5", "RightWingerBehaviour=0", "LeftWingerBehaviour=6", "Forward1Behaviour=4",
      "Forward2Behaviour=3", ""};
  ASSERT_GT(lines.size(), head.size());
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + static_cast<long>(head.size())), head);
  EXPECT_EQ(lines[head.size()], "[player" + std::to_string((*snapshot)[1].PlayerID) + "]");
  // Every record section ends with its TrainerSkill line and one empty line.
  EXPECT_EQ(lines.back(), "");
  EXPECT_EQ(lines[lines.size() - 2].rfind("TrainerSkill=", 0), 0u);
}

TEST(RafFile, RoundTripKeepsSettingsPlacesAndEditedPlayers) {
  TTempFolder folder;
  auto snapshot = Snapshot();
  const TRatingAnalyzerSetup setup = SampleSetup(*snapshot);
  SaveRatingAnalyzerFile(folder / "set.raf", setup);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1) << "no temporary file left";
  const TRatingAnalyzerSetup read = LoadRatingAnalyzerFile(folder / "set.raf", *snapshot);
  EXPECT_EQ(read.Team, setup.Team);
  EXPECT_EQ(read.PlayerIDs, setup.PlayerIDs);
  EXPECT_EQ(read.BehaviourItems, setup.BehaviourItems);
  ASSERT_EQ(read.Players->Count(), snapshot->Count());
  for (int i = 1; i <= snapshot->Count(); ++i) EXPECT_EQ((*read.Players)[i].PlayerID, (*snapshot)[i].PlayerID);
  EXPECT_EQ((*read.Players)[1].PlaymakerSkill, 15) << "the edit is kept, not the snapshot's value";
  // The record reader collapses runs of blanks in names; past that, a second round changes nothing.
  const std::string again = RatingAnalyzerText(read);
  EXPECT_EQ(RatingAnalyzerText(ReadRatingAnalyzerText(again, *snapshot)), again);
}

TEST(RafFile, FileOfAnotherSnapshotKeepsOnlyTheCurrentPlayers) {
  auto old = Snapshot();
  TRatingAnalyzerSetup setup = SampleSetup(*old);
  const int64_t goneID = (*old)[2].PlayerID;  // the inner midfielder has left since
  auto current = Snapshot();
  current->Delete(current->IndexOfID(goneID));
  auto newcomer = current->NewPlayer();
  newcomer->PlayerID = 999;
  newcomer->PlayerName = "New Man";
  current->Add(std::move(newcomer));

  const TRatingAnalyzerSetup read = ReadRatingAnalyzerText(RatingAnalyzerText(setup), *current);
  EXPECT_EQ(read.Players->IndexOfID(goneID), 0);
  EXPECT_EQ(read.PlayerIDs[5], 0) << "his place is empty";
  EXPECT_EQ(read.PlayerIDs[0], (*old)[1].PlayerID);
  ASSERT_EQ(read.Players->Count(), current->Count());
  EXPECT_EQ((*read.Players)[read.Players->Count()].PlayerID, 999) << "added at the end";
  EXPECT_EQ((*read.Players)[1].PlaymakerSkill, 15);
}

TEST(RafFile, MalformedFilesAreRefused) {
  auto snapshot = Snapshot();
  const std::string good = RatingAnalyzerText(SampleSetup(*snapshot));
  const struct {
    const char* what;
    std::string text;
  } cases[] = {
      {"team spirit missing", Replaced(good, "TeamSpirit=7", "Spirit=7")},
      {"attitude not an integer", Replaced(good, "Attitude=2", "Attitude=x")},
      {"arena empty", Replaced(good, "Arena=1", "Arena=")},
      {"goalkeeper missing", Replaced(good, "Goalkeeper=", "Keeper=")},
      {"behaviour missing", Replaced(good, "Forward2Behaviour=3", "")},
      {"behaviour not an integer", Replaced(good, "LeftBackBehaviour=3", "LeftBackBehaviour=3.5")},
      {"team spirit off its box", Replaced(good, "TeamSpirit=7", "TeamSpirit=11")},
      {"behaviour off its box", Replaced(good, "CentralDefender1Behaviour=0", "CentralDefender1Behaviour=5")},
      {"broken player record", Replaced(good, "[player", "[plyer")},
      {"empty file", ""},
  };
  for (const auto& c : cases) EXPECT_THROW(ReadRatingAnalyzerText(c.text, *snapshot), EPitchbookError) << c.what;
  EXPECT_THROW(LoadRatingAnalyzerFile("/nonexistent/x.raf", *snapshot), EInOutError);
}

TEST(RafFile, ReaderTakesTheFirstOccurrenceAndLfLines) {
  auto snapshot = Snapshot();
  std::string text = RatingAnalyzerText(SampleSetup(*snapshot));
  std::string lf;
  for (char ch : text)
    if (ch != '\r') lf += ch;
  lf = Replaced(lf, "Arena=1", "Arena=2 trailing words\nArena=0");
  const TRatingAnalyzerSetup read = ReadRatingAnalyzerText(lf, *snapshot);
  EXPECT_EQ(read.Team.Arena, 2);
}

TEST(RafFile, APlayerStandsOnOnePlaceOnly) {
  auto snapshot = Snapshot();
  TRatingAnalyzerSetup setup = SampleSetup(*snapshot);
  setup.PlayerIDs[7] = setup.PlayerIDs[5];
  const TRatingAnalyzerSetup read = ReadRatingAnalyzerText(RatingAnalyzerText(setup), *snapshot);
  EXPECT_EQ(read.PlayerIDs[5], (*snapshot)[2].PlayerID);
  EXPECT_EQ(read.PlayerIDs[7], 0);
}

TEST(RafFile, AppVersionIsMajorTimesHundredPlusMinor) {
  const std::string version = PITCHBOOK_VERSION;
  const int major = std::stoi(version.substr(0, version.find('.')));
  const int minor = std::stoi(version.substr(version.find('.') + 1));
  EXPECT_EQ(RatingAnalyzerAppVersion(), major * 100 + minor);
}
