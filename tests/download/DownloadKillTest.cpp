// An own-team download killed (SIGKILL) at random moments against the local game server: the archive still
// loads, and it holds either the whole new snapshot or none of it.
#include "TestSupport.h"

#include "core/Clock.h"
#include "core/Snapshot.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// pitchbook-cli with these arguments in a child process, its output thrown away.
pid_t StartCli(const std::vector<std::string>& arguments, int outFd = -1) {
  std::vector<char*> argv{const_cast<char*>(PB_CLI_PATH)};
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(outFd >= 0 ? outFd : null, 1);
    dup2(null, 2);
    execv(PB_CLI_PATH, argv.data());
    _exit(127);
  }
  return pid;
}

int Wait(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return status;
}

class TDemoServer {
public:
  TDemoServer() {
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("pipe");
    FPid = StartCli({"serve", "--demo", "--seed", "5", "--seasons", "1", "--round", "4"}, out[1]);
    close(out[1]);
    char c;
    while (read(out[0], &c, 1) == 1 && c != '\n') FAddress += c;
    close(out[0]);
  }
  ~TDemoServer() {
    kill(FPid, SIGINT);
    Wait(FPid);
  }
  // HOST:PORT
  std::string Host() const { return FAddress.substr(std::string("http://").size()); }
  void NextRound() const { kill(FPid, SIGUSR1); }

private:
  pid_t FPid = -1;
  std::string FAddress;
};

std::vector<std::string> SnapshotTexts(const fs::path& history, const std::string& day) {
  std::vector<std::string> texts;
  for (size_t i = 0; i < TMyTeamDlData.size(); ++i) {
    const fs::path file = SnapshotFilePath(history, day, TSnapshotKind(i));
    texts.push_back(fs::exists(file) ? ReadWholeFile(file) : std::string());
  }
  return texts;
}

TEST(DownloadKillTest, AKilledOwnTeamDownloadLeavesTheWholeNewSnapshotOrNone) {
  TTempFolder home;
  TDemoServer server;
  ASSERT_FALSE(server.Host().empty());
  const fs::path history = home / "History";
  const std::string today = SnapshotDay(SnapshotFileName(TClock::Now(), TSnapshotKind::Players));
  const std::vector<std::string> download = {"download", "own",  "--home", home.Path().string(), "--server",
                                             server.Host(), "--user", "demo", "--code", "demo"};
  auto archivePages = [&] {
    int out[2];
    EXPECT_EQ(pipe(out), 0);
    const pid_t pid = StartCli({"archive", "--json", "--home", home.Path().string()}, out[1]);
    close(out[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<size_t>(n));
    close(out[0]);
    EXPECT_EQ(Wait(pid), 0);
    const nlohmann::json result = nlohmann::json::parse(text);
    EXPECT_EQ(result["loadErrors"], "") << text;
    return result["pages"].size();
  };
  auto removeToday = [&] {
    for (const fs::path& file : SnapshotFiles(SnapshotFilePath(history, today, TSnapshotKind::Players)))
      fs::remove(file);
  };

  // The archive: one older snapshot (round 4, filed under an earlier day); then the server moves on.
  ASSERT_EQ(Wait(StartCli(download)), 0);
  for (const fs::path& file : SnapshotFiles(SnapshotFilePath(history, today, TSnapshotKind::Players)))
    fs::rename(file, history / ("2000-01-01" + file.filename().string().substr(today.size())));
  server.NextRound();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));

  // The whole new snapshot, and how long a download takes.
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(Wait(StartCli(download)), 0);
  const auto duration = std::chrono::steady_clock::now() - start;
  const std::vector<std::string> whole = SnapshotTexts(history, today);
  ASSERT_EQ(archivePages(), 2u);
  removeToday();

  std::mt19937 random(17);
  std::uniform_int_distribution<long> delay(0, std::chrono::duration_cast<std::chrono::microseconds>(duration).count() * 6 / 5);
  int completed = 0, none = 0;
  for (int run = 0; run < 20; ++run) {
    SCOPED_TRACE(run);
    const pid_t pid = StartCli(download);
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    kill(pid, SIGKILL);
    const int status = Wait(pid);
    if (IsCompleteSnapshot(SnapshotFilePath(history, today, TSnapshotKind::Players))) {
      ++completed;
      EXPECT_EQ(archivePages(), 2u);
      const std::vector<std::string> texts = SnapshotTexts(history, today);
      for (size_t i = 0; i < texts.size(); ++i) {
        if (TSnapshotKind(i) != TSnapshotKind::World) {
          EXPECT_EQ(texts[i], whole[i]) << SnapshotFileName(today, TSnapshotKind(i));
        }
      }
      removeToday();  // the next run has a snapshot to write
    } else {
      // Killed before the end: the leftovers are no page, and the next download replaces them.
      ++none;
      EXPECT_TRUE(WIFSIGNALED(status));
      EXPECT_EQ(archivePages(), 1u);
    }
  }
  std::cout << "killed downloads: " << completed << " with the whole snapshot, " << none << " with none\n";
  // After the kills, a download completes the day's snapshot whole.
  ASSERT_EQ(Wait(StartCli(download)), 0);
  EXPECT_EQ(archivePages(), 2u);
  const std::vector<std::string> texts = SnapshotTexts(history, today);
  for (size_t i = 0; i < texts.size(); ++i) {
    if (TSnapshotKind(i) != TSnapshotKind::World) {
      EXPECT_EQ(texts[i], whole[i]);
    }
  }
}

}  // namespace
