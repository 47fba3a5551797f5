#include "core/Errors.h"
#include "core/Snapshot.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>

namespace fs = std::filesystem;

namespace {
void WriteSnapshot(const fs::path& folder, const std::string& day) {
  for (size_t i = 0; i < TMyTeamDlData.size(); ++i)
    WriteWholeFile(SnapshotFilePath(folder, day, static_cast<TSnapshotKind>(i)), "<x/>");
}
}  // namespace

TEST(Snapshot, FilesAreNamedByDayAndKindInDownloadOrder) {
  EXPECT_EQ(SnapshotFileName("2009-09-28", TSnapshotKind::Players), "2009-09-28 Players.xml");
  std::vector<std::string> names;
  for (const auto& file : SnapshotFiles("/h/2009-09-28 Players.xml")) {
    EXPECT_EQ(file.parent_path(), fs::path("/h"));
    names.push_back(file.filename().string());
  }
  EXPECT_EQ(names, (std::vector<std::string>{
                       "2009-09-28 TeamDetails.xml", "2009-09-28 LeagueDetails.xml", "2009-09-28 Players.xml",
                       "2009-09-28 Training.xml", "2009-09-28 ArenaDetails.xml", "2009-09-28 Economy.xml",
                       "2009-09-28 Club.xml", "2009-09-28 RegionDetails.xml", "2009-09-28 WorldDetails.xml"}));
  EXPECT_STREQ(MyTeamDlRow(TSnapshotKind::World).FileParam, "worlddetails");
  EXPECT_STREQ(MyTeamDlRow(TSnapshotKind::Team).Label, "Team");
}

TEST(Snapshot, FileNameOfADownloadUsesTheLocalDay) {
  const char* old = std::getenv("TZ");
  std::string saved = old ? old : "";
  setenv("TZ", "Europe/Berlin", 1);
  tzset();
  // 2009-09-27 22:30 UTC is already the 28th in Berlin.
  EXPECT_EQ(SnapshotFileName(std::chrono::system_clock::from_time_t(1254090600), TSnapshotKind::Players),
            "2009-09-28 Players.xml");
  if (old) setenv("TZ", saved.c_str(), 1); else unsetenv("TZ");
  tzset();
}

TEST(Snapshot, CountsOnlyWhenAllNineFilesExist) {
  TTempFolder tmp;
  WriteSnapshot(tmp.Path(), "2009-09-28");
  auto players = SnapshotFilePath(tmp.Path(), "2009-09-28", TSnapshotKind::Players);
  EXPECT_TRUE(IsCompleteSnapshot(players));
  for (const auto& file : SnapshotFiles(players)) {
    SCOPED_TRACE(file);
    fs::rename(file, tmp / "aside");
    EXPECT_FALSE(IsCompleteSnapshot(players));
    fs::create_directory(file);  // a folder of that name is no file
    EXPECT_FALSE(IsCompleteSnapshot(players));
    fs::remove(file);
    fs::rename(tmp / "aside", file);
  }
  EXPECT_TRUE(IsCompleteSnapshot(players));
  // Other files ending in Players.xml do not stand for the snapshot of their day.
  WriteWholeFile(tmp / "2009-09-28 old Players.xml", "<x/>");
  EXPECT_FALSE(IsCompleteSnapshot(tmp / "2009-09-28 old Players.xml"));
  EXPECT_FALSE(IsCompleteSnapshot(tmp / "2009-09-28 Economy.xml"));
  EXPECT_FALSE(IsCompleteSnapshot(tmp / "Players.xml"));
}

TEST(Snapshot, FindListsTheCompleteSnapshotsByDay) {
  TTempFolder tmp;
  WriteSnapshot(tmp.Path(), "2009-10-05");
  WriteSnapshot(tmp.Path(), "2009-09-28");
  WriteSnapshot(tmp.Path(), "2009-10-12");
  fs::remove(SnapshotFilePath(tmp.Path(), "2009-10-12", TSnapshotKind::Region));
  WriteWholeFile(tmp / "2009-10-19 Players.xml", "<x/>");
  WriteWholeFile(tmp / "old.krf", "");
  fs::create_directory(tmp / "Matches");
  EXPECT_EQ(FindCompleteSnapshots(tmp.Path()),
            (std::vector<fs::path>{tmp / "2009-09-28 Players.xml", tmp / "2009-10-05 Players.xml"}));
  EXPECT_TRUE(FindCompleteSnapshots(tmp / "missing").empty());
}

TEST(Snapshot, OrderingKeysSortBySeasonRoundAndFetchTime) {
  std::vector<std::string> ordered = {
      SnapshotKey(38, 5, "2009-09-28 12:00:00"),  SnapshotKey(38, 5, "2009-09-28 12:00:01"),
      SnapshotKey(38, 12, "2009-09-28 11:00:00"), SnapshotKey(38, 12, "2009-11-16 08:00:00"),
      SnapshotKey(99, 16, "2031-01-01 00:00:00"), SnapshotKey(100, 1, "2031-02-01 00:00:00"),
      SnapshotKey(100, 2, "2031-02-08 00:00:00"), SnapshotKey(1000, 1, "2160-01-01 00:00:00")};
  std::vector<std::string> sorted = ordered;
  std::reverse(sorted.begin(), sorted.end());
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, ordered);
  // The start-up scan sorts "key|path": the separator must not break the order either.
  EXPECT_LT(ordered[0] + "|/h/b", ordered[1] + "|/h/a");
}

TEST(Snapshot, KeysGiveBackSeasonRoundAndRoundKey) {
  struct {
    int Season;
    int Round;
  } cases[] = {{0, 0}, {38, 5}, {99, 16}, {100, 1}, {9999, 99}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Season);
    std::string key = SnapshotKey(c.Season, c.Round, "2009-09-28 12:00:00");
    EXPECT_EQ(KeySeason(key), c.Season);
    EXPECT_EQ(KeyRound(key), c.Round);
    EXPECT_EQ(RoundKey(key), MakeRoundKey(c.Season, c.Round));
    EXPECT_EQ(KeyFetchDigits(key), "20090928120000");
  }
  EXPECT_EQ(RoundKey(SnapshotKey(38, 5, "2009-09-28 12:00:00")), RoundKey(SnapshotKey(38, 5, "2009-09-30")));
  EXPECT_NE(RoundKey(SnapshotKey(38, 5, "")), RoundKey(SnapshotKey(3, 85, "")));
  EXPECT_THROW(SnapshotKey(10000, 1, ""), ERangeError);
  EXPECT_THROW(SnapshotKey(-1, 1, ""), ERangeError);
  EXPECT_THROW(SnapshotKey(38, 100, ""), ERangeError);
  EXPECT_THROW(KeySeason("38"), EConvertError);
  EXPECT_THROW(KeyRound("0038"), EConvertError);
  EXPECT_THROW(RoundKey("00380"), EConvertError);
}
