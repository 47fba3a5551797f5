#pragma once
// The download jobs' test bench: a program folder in a temporary folder, the local game server on
// 127.0.0.1 with an exchangeable answer source, the shared HTTP client, a history store of the test's own,
// and callbacks that record what the download window would show.
#include "TestSupport.h"

#include "core/Clock.h"
#include "core/DateTime.h"
#include "core/ProgramFolders.h"
#include "data/History.h"
#include "data/Preferences.h"
#include "demo/GameServer.h"
#include "demo/WorldSource.h"
#include "download/DlCustom.h"
#include "download/KVIndyHTTP.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace dltest {

// Answers some file requests with fixed texts and passes the others on.
class TOverrideSource : public IGameWorldSource {
public:
  explicit TOverrideSource(std::shared_ptr<IGameWorldSource> inner) : FInner(std::move(inner)) {}
  void Set(const std::string& file, std::string answer) {
    std::lock_guard lock(FMutex);
    FAnswers[file] = std::move(answer);
  }
  std::optional<std::string> Answer(const TGameRequest& request) override {
    {
      std::lock_guard lock(FMutex);
      if (auto it = FAnswers.find(request.File); it != FAnswers.end()) return it->second;
    }
    return FInner->Answer(request);
  }

private:
  std::shared_ptr<IGameWorldSource> FInner;
  std::mutex FMutex;
  std::map<std::string, std::string> FAnswers;
};

// Something of the served sample world, read while it answers no request.
template <class F> auto ReadWorld(const TSampleWorldSource& source, F&& f) {
  std::optional<std::invoke_result_t<F, const TSampleWorld&>> result;
  source.Use([&](const TSampleWorld& world) { result.emplace(f(world)); });
  return std::move(*result);
}

class DlJobTest : public ::testing::Test {
protected:
  static constexpr const char* User = "demo";
  static constexpr const char* Code = "s3cret";
  static constexpr const char* Today = "2026-03-14";

  DlJobTest() : Server(std::make_shared<TFolderWorldSource>(Home / "answers")) {}

  void SetUp() override {
    TClock::SetFixed(ParseDateTime(std::string(Today) + " 12:00:00"));
    Folders = TProgramFolders(Home.Path(), false, "");
    Folders.CreateDataFolders();
    Server.AddAccount(User, Code);
    Server.Start();
    Prefs.ConnectionSite = Server.Host();
    Prefs.ChooseBestServer = false;
    Http = std::make_unique<TKVIndyHTTP>(Prefs, Folders.WorkFolder());
    Http->SetLoopbackOnly(true);
    Http->SetMainWebHost(Server.Host());
    Http->SetReadTimeout(3000);
    States.fill(TDlFileState::Pending);
  }

  void TearDown() override {
    // The client's kept-alive connection would hold the server's stop up.
    Http.reset();
    Server.Stop();
    TClock::SetFixed(std::nullopt);
  }

  TDlSettings Settings(bool update) const {
    TDlSettings settings;
    settings.Login = TDlConnectInput{User, Code, false};
    settings.UpdateExistingData = update;
    settings.Folders = Folders;
    return settings;
  }

  TDlCallbacks Callbacks() {
    TDlCallbacks callbacks;
    callbacks.Report = [this](const TDlMessage& message) { Log.Add(message); };
    callbacks.FileState = [this](int row, TDlFileState state) { States.at(static_cast<size_t>(row)) = state; };
    callbacks.FileBold = [this](int row, bool bold) { Bold.at(static_cast<size_t>(row)) = bold; };
    callbacks.DownloadCaption = [this](const std::string& caption) { Caption = caption; };
    callbacks.CloseEnabled = [this](bool enabled) { CloseEnabled = enabled; };
    callbacks.DownloadEnabled = [this](bool enabled) { DownloadEnabled = enabled; };
    callbacks.ErrorBox = [this](const std::string& text) { ErrorBoxes.push_back(text); };
    callbacks.EnableSeasonControls = [this] { ++SeasonControlsEnabled; };
    callbacks.ShowNewPage = [this](THistoryPage& page) { ShownPage = &page; };
    callbacks.RefreshTeamTitles = [this] { ++TitlesRefreshed; };
    return callbacks;
  }

  // The report's lines as shown.
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const TDlMessage& m : Log.Lines()) lines.push_back(DlMessageLine(m));
    return lines;
  }
  int CountLines(const std::string& line) const {
    const auto lines = Lines();
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
  }
  bool HasLine(const std::string& line) const { return CountLines(line) > 0; }
  std::string ReportText() const { return Log.Text(); }

  void ResetWindow() {
    Log.Clear();
    States.fill(TDlFileState::Pending);
    Bold.fill(false);
    ErrorBoxes.clear();
    ShownPage = nullptr;
  }

  TTempFolder Home;
  TGameServer Server;
  TPreferences Prefs;
  TProgramFolders Folders;
  std::unique_ptr<TKVIndyHTTP> Http;
  THistory History;

  // What the window shows.
  TDlReportLog Log;
  std::array<TDlFileState, 9> States{};
  std::array<bool, 9> Bold{};
  std::string Caption;
  bool CloseEnabled = true;
  bool DownloadEnabled = true;
  std::vector<std::string> ErrorBoxes;
  int SeasonControlsEnabled = 0;
  THistoryPage* ShownPage = nullptr;
  int TitlesRefreshed = 0;
};

}  // namespace dltest
