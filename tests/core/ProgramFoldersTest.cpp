#include "core/Errors.h"
#include "core/ProgramFolders.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(ProgramFolders, DataFoldersEndWithASeparator) {
  TProgramFolders folders("/opt/pb", false, "");
  EXPECT_EQ(folders.ProgramFolder(), fs::path("/opt/pb/"));
  EXPECT_EQ(folders.WorkFolder(), fs::path("/opt/pb/Work/"));
  EXPECT_EQ(folders.HistoryFolder(), fs::path("/opt/pb/History/"));
  EXPECT_EQ(folders.ObsoleteFolder(), fs::path("/opt/pb/History/Obsolete/"));
  EXPECT_EQ(folders.MatchesFolder(), fs::path("/opt/pb/History/Matches/"));
}

TEST(ProgramFolders, AlternateHistoryPathOnlyWhenOnAndNotEmpty) {
  struct {
    bool Use;
    const char* Alternate;
    const char* History;
  } cases[] = {{true, "/data/kv/", "/data/kv/"},
               {true, "/data/kv", "/data/kv/"},
               {true, "", "/opt/pb/History/"},
               {false, "/data/kv/", "/opt/pb/History/"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Alternate);
    TProgramFolders folders("/opt/pb/", c.Use, c.Alternate);
    EXPECT_EQ(folders.HistoryFolder(), fs::path(c.History));
    EXPECT_EQ(folders.ObsoleteFolder(), fs::path(c.History) / "Obsolete" / "");
    EXPECT_EQ(folders.MatchesFolder(), fs::path(c.History) / "Matches" / "");
    EXPECT_EQ(folders.WorkFolder(), fs::path("/opt/pb/Work/"));  // never moves with the history
  }
}

TEST(ProgramFolders, FirstStartCreatesHistoryWorkObsoleteMatchesInThatOrder) {
  TTempFolder tmp;
  TProgramFolders folders(tmp.Path(), false, "");
  auto created = folders.CreateDataFolders();
  EXPECT_EQ(created, (std::vector<fs::path>{folders.HistoryFolder(), folders.WorkFolder(),
                                            folders.ObsoleteFolder(), folders.MatchesFolder()}));
  for (const auto& folder : created) EXPECT_TRUE(fs::is_directory(folder)) << folder;
  EXPECT_TRUE(folders.CreateDataFolders().empty());

  fs::remove(folders.MatchesFolder());
  EXPECT_EQ(folders.CreateDataFolders(), std::vector<fs::path>{folders.MatchesFolder()});
}

TEST(ProgramFolders, CreatesAMissingProgramFolderAndAlternateHistoryParents) {
  TTempFolder tmp;
  TProgramFolders folders(tmp / "share" / "pitchbook", true, (tmp / "usb" / "kv" / "History").string());
  folders.CreateDataFolders();
  EXPECT_TRUE(fs::is_directory(tmp / "usb" / "kv" / "History" / "Obsolete"));
  EXPECT_TRUE(fs::is_directory(tmp / "usb" / "kv" / "History" / "Matches"));
  EXPECT_TRUE(fs::is_directory(tmp / "share" / "pitchbook" / "Work"));
  EXPECT_FALSE(fs::exists(tmp / "share" / "pitchbook" / "History"));
}

TEST(ProgramFolders, UncreatableFolderRaisesNamingIt) {
  TTempFolder tmp;
  WriteWholeFile(tmp / "program", "a file, not a folder");
  WriteWholeFile(tmp / "ok" / "History" / "Matches", "a file where a folder belongs");
  struct {
    fs::path Program;
    fs::path Culprit;
  } cases[] = {{tmp / "program", tmp / "program" / "History" / ""},
               {tmp / "ok", tmp / "ok" / "History" / "Matches" / ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Program);
    TProgramFolders folders(c.Program, false, "");
    try {
      folders.CreateDataFolders();
      ADD_FAILURE() << "no error";
    } catch (const EInOutError& e) {
      EXPECT_NE(std::string(e.what()).find(c.Culprit.string()), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(ReadWholeFile(tmp / "ok" / "History" / "Matches"), "a file where a folder belongs");
}
