// The team list file "TeamList.kcf".
#include "TestSupport.h"

#include "core/Errors.h"
#include "download/TeamList.h"

#include <gtest/gtest.h>

namespace {

TEST(TeamListFileTest, ReadsEveryLineWithABarAsAnEntry) {
  TTempFolder home;
  WriteWholeFile(home / "TeamList.kcf",
                 "1|123456|789|Red Lions|\n"
                 "0|42||\n"
                 "a line without a separator\n"
                 "\n"
                 "1|5\n"
                 "2|7|1|Seven|extra|\n"
                 "1|8|9|Caf\xE9 Ol\xE9|\r\n"
                 "1|9|10|Nomad");
  TTeamList list;
  list.Add({"stale", "", "", true});
  ListViewLoadFromFile(list, home / "TeamList.kcf");
  const std::vector<TTeamListEntry> expected = {
      {"123456", "789", "Red Lions", true}, {"42", "", "", false},  {"5", "", "", true},
      {"7", "1", "Seven", false},           {"8", "9", "Café Olé", true}, {"9", "10", "", true},
  };
  EXPECT_EQ(list.Entries(), expected);
}

TEST(TeamListFileTest, SavedListReadsBackAlike) {
  TTempFolder home;
  TTeamList list;
  list.Add({"123456", "789", "Red Lions", true});
  list.Add({"42", "", "", false});
  list.Add({"77", "1", "Łódź Ünited", false});
  ListViewSaveToFile(list, home / "TeamList.kcf");
  EXPECT_EQ(ReadWholeFile(home / "TeamList.kcf"), "1|123456|789|Red Lions|\n0|42|||\n0|77|1|Łódź Ünited|\n");
  TTeamList read;
  ListViewLoadFromFile(read, home / "TeamList.kcf");
  EXPECT_EQ(read.Entries(), list.Entries());
}

// A name from the server with a separator or a line break must not become other fields or a forged entry.
TEST(TeamListFileTest, SeparatorsInsideAFieldAreWrittenAsBlanks) {
  TTempFolder home;
  TTeamList list;
  list.Add({"1", "2", "A|B", true});
  list.Add({"3", "4", "Evil\n1|666|6|Forged|", false});
  ListViewSaveToFile(list, home / "TeamList.kcf");
  TTeamList read;
  ListViewLoadFromFile(read, home / "TeamList.kcf");
  ASSERT_EQ(read.Count(), 2);
  EXPECT_EQ(read[0].Name, "A B");
  EXPECT_EQ(read[1].Name, "Evil 1 666 6 Forged ");
  EXPECT_EQ(read.IndexOf("666"), -1);
}

TEST(TeamListFileTest, AMissingFileRaisesAndKeepsTheList) {
  TTempFolder home;
  TTeamList list;
  list.Add({"1", "2", "Kept", true});
  EXPECT_THROW(ListViewLoadFromFile(list, home / "TeamList.kcf"), EInOutError);
  EXPECT_EQ(list.Count(), 1);
}

}  // namespace
