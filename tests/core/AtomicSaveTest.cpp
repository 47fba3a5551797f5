#include "core/Errors.h"
#include "core/Utils.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {
std::vector<std::string> FolderEntries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

fs::perms PermsOf(const fs::path& path) { return fs::status(path).permissions() & fs::perms::mask; }

// Limits the size of files this process may write, as a full disk would; restores the limit and the
// signal on scope exit.
class TFileSizeLimit {
public:
  explicit TFileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &FOld);
    FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = FOld;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~TFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &FOld);
    std::signal(SIGXFSZ, FOldHandler);
  }

private:
  rlimit FOld{};
  void (*FOldHandler)(int) = nullptr;
};
}  // namespace

TEST(AtomicSave, WritesNewAndReplacesOldFilesLeavingNoTemporaryFiles) {
  TTempFolder tmp;
  auto path = tmp / "Preferences.xml";
  SaveFileAtomically(path, "first");
  EXPECT_EQ(ReadWholeFile(path), "first");
  SaveFileAtomically(path, std::string(100000, 'x'));
  EXPECT_EQ(ReadWholeFile(path), std::string(100000, 'x'));
  SaveFileAtomically(path, "");
  EXPECT_EQ(ReadWholeFile(path), "");
  EXPECT_EQ(FolderEntries(tmp.Path()), std::vector<std::string>{"Preferences.xml"});
}

TEST(AtomicSave, AppliesGivenPermissionsAndOtherwiseKeepsThoseOfTheReplacedFile) {
  TTempFolder tmp;
  auto secret = tmp / "secret";
  SaveFileAtomically(secret, "code", fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(PermsOf(secret), fs::perms::owner_read | fs::perms::owner_write);

  auto shared = tmp / "shared";
  WriteWholeFile(shared, "old");
  fs::permissions(shared, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  SaveFileAtomically(shared, "new");
  EXPECT_EQ(ReadWholeFile(shared), "new");
  EXPECT_EQ(PermsOf(shared), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(AtomicSave, FailureLeavesThePreviousFileIntact) {
  TTempFolder tmp;
  auto path = tmp / "MatchGridMain.mgf";
  WriteWholeFile(path, "previous");
  {
    TFileSizeLimit fullDisk(4096);
    EXPECT_THROW(SaveFileAtomically(path, std::string(100000, 'n')), EInOutError);
  }
  EXPECT_EQ(ReadWholeFile(path), "previous");
  EXPECT_EQ(FolderEntries(tmp.Path()), std::vector<std::string>{"MatchGridMain.mgf"});

  // A folder in the way of the target: the rename fails, the folder and its content stay.
  fs::create_directory(tmp / "folder");
  WriteWholeFile(tmp / "folder" / "inside", "kept");
  EXPECT_THROW(SaveFileAtomically(tmp / "folder", "data"), EInOutError);
  EXPECT_EQ(ReadWholeFile(tmp / "folder" / "inside"), "kept");
  EXPECT_EQ(FolderEntries(tmp.Path()), (std::vector<std::string>{"MatchGridMain.mgf", "folder"}));

  // A missing folder: nothing is created, and the message names the file.
  try {
    SaveFileAtomically(tmp / "missing" / "file.xml", "data");
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_NE(std::string(e.what()).find("missing/file.xml"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(fs::exists(tmp / "missing"));
}

TEST(AtomicSave, ReadFileTextRaisesForMissingFilesAndFolders) {
  TTempFolder tmp;
  WriteWholeFile(tmp / "a", std::string("x\0y", 3));
  EXPECT_EQ(ReadFileText(tmp / "a"), std::string("x\0y", 3));
  EXPECT_THROW(ReadFileText(tmp / "none"), EInOutError);
  EXPECT_THROW(ReadFileText(tmp.Path()), EInOutError);
  // Files over the size limit, and a device without end, are refused instead of filling the memory.
  std::filesystem::resize_file(tmp / "a", MaxReadFileSize + 1);
  EXPECT_THROW(ReadFileText(tmp / "a"), EInOutError);
  EXPECT_THROW(ReadFileText("/dev/zero"), EInOutError);
}
