#pragma once
// Every user setting and its file "Preferences.xml" in the program folder.
//
// The program has one instance, Preferences(). The desktop program sets its ProgramFolder and calls Load
// when the main window is created (before anything else reads it) and Save when the main window closes;
// pitchbook-cli does the same for one command. Load and Save never show anything: they return the
// message for the caller to show.
//
// The grids' columns are switched by the window layer: after the preferences window's OK it calls Apply and,
// when ColumnsChanged is set, shows and hides the grid columns to match the flags and clears ColumnsChanged.
#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace pugi {
class xml_node;
}

constexpr int PlayerColumnCount = 38;
constexpr int MatchColumnCount = 23;

// The grids' column keys, in column order; also the element names of the columns' visibility flags.
extern const std::array<const char*, PlayerColumnCount> PlayerColumnNames;
extern const std::array<const char*, MatchColumnCount> MatchColumnNames;

// The outcome of Load and Save. Message is the (translated) text to show the user; Detail is the cause
// (parser or file system message), for logs.
struct TPreferencesResult {
  bool Ok = true;
  std::string Message;
  std::string Detail;
  explicit operator bool() const { return Ok; }
};

class TPreferences {
public:
  using TServerFetcher = std::function<std::string()>;

  // Starts with the defaults and ColumnsChanged false.
  TPreferences();

  // Folder that holds "Preferences.xml"; empty means ResolveProgramFolder("").
  std::filesystem::path ProgramFolder;
  std::filesystem::path FileName() const;

  // Defaults, then the values of "Preferences.xml" when it exists. A file that cannot be read or holds an
  // invalid value leaves every setting at its default (the "Private" values as they were) and returns
  // "Invalid preferences file.\r\nSetting deafult values for preferences."; the file itself is left alone
  // and replaced at the next Save.
  TPreferencesResult Load();
  // The reading part of Load for the file's bytes (sourceName names the file in messages): the settings
  // take the file's values, or the reader's error is raised and nothing changes. Load catches it.
  void LoadFromText(std::string_view bytes, const std::string& sourceName);
  // Writes the file atomically with mode 0600 (it holds the security code). On failure the old file is
  // intact and the result carries "Error occurred while saving\r\npreferences file.".
  TPreferencesResult Save() const;
  // Every setting except the "Private" ones back to its default; the columns go through their setters.
  void SetDefaults();
  // The engine's part of the window's OK: AlternateHistoryPath trimmed and, when not empty, ending in a
  // folder separator ('/' appended unless it ends in '/' or '\').
  void Apply();

  // Column visibility; index outside the grid raises ERangeError. A setter that changes a flag sets
  // ColumnsChanged.
  bool GetPlayerColumn(int index) const;
  void SetPlayerColumn(int index, bool shown);
  bool GetMatchColumn(int index) const;
  void SetMatchColumn(int index, bool shown);
  const std::array<bool, PlayerColumnCount>& PlayerColumns() const { return FPlayerColumns; }
  const std::array<bool, MatchColumnCount>& MatchColumns() const { return FMatchColumns; }
  bool ColumnsChanged = false;  // not stored

  // Defaults: see SetDefaults.
  bool LoadPlayersToTempGird{};
  bool DoNotImportCoach{};

  std::string ConnectionSite;
  std::string RecommendedServer;  // not stored; fetched once per login
  bool ChooseBestServer{};
  bool SaveUsernamePassword{};

  std::string ProxyServer;
  std::string ProxyPort;
  std::string ProxyUserName;
  std::string ProxyPassword;  // plain in memory, scrambled in the file
  bool EnableProxy{};
  bool EnableProxyAuthentication{};

  bool CheckUpdates{};
  // Where the update check asks for the newest version; empty (the default): the check is off.
  std::string UpdateCheckURL;

  bool LimitHistoryDataLoading{};
  int SeasonLimit{};
  bool UseAlternateHistoryPath{};
  std::string AlternateHistoryPath;

  bool HomeTeamScores{};
  bool AwayTeamScores{};

  // Index into LeagueCurrencyOrder (0..95).
  int CurrencyIndex{};

  // "Private": the main window's state at exit, copied in by the main window before Save.
  std::string SelectedTeamM;
  std::string SelectedTeamT;
  int IndexTypeM = 0;
  int IndexResultM = 0;
  int IndexWeatherM = 0;
  int IndexTypeT = 0;
  int IndexResultT = 0;
  int IndexWeatherT = 0;
  std::string UserName;
  bool StateAssumePassableForms = false;
  bool StatePlayerComparison = false;
  bool StateTraining = false;

  // The download layer installs the server-list request here. It returns the recommended host, or an empty
  // text (or throws) when the list cannot be had.
  void SetRecommendedServerFetcher(TServerFetcher fetcher) { FFetchRecommendedServer = std::move(fetcher); }
  // ConnectionSite when ChooseBestServer is off; else RecommendedServer, fetched first when still empty.
  // Empty when the fetch fails.
  std::string GetServer();
  // RecommendedServer (possibly empty) when ChooseBestServer is on, else ConnectionSite; never fetches.
  std::string GetCheckServer() const;
  void ForgetRecommendedServer() { RecommendedServer.clear(); }

  // The proxy settings as the HTTP client should use them: empty (port "0") when the proxy is off;
  // user name and password only with proxy authentication on; a port that is not all digits gives "0".
  std::string GetProxyServer() const;
  std::string GetProxyPort() const;
  std::string GetProxyUserName() const;
  std::string GetProxyPassword() const;

  // The security code is only remembered while SaveUsernamePassword is on.
  std::string GetPassword() const;
  void SetPassword(const std::string& password);

  // Raises ERangeError (and keeps the old value) outside 0..95.
  void SetCurrencyIndex(int index);
  // The currency of the chosen league; ERangeError when CurrencyIndex is outside 0..95.
  std::string GetCurrencyName() const;
  double GetCurrencyRate() const;

private:
  std::array<bool, PlayerColumnCount> FPlayerColumns{};
  std::array<bool, MatchColumnCount> FMatchColumns{};
  std::string FPassword;
  TServerFetcher FFetchRecommendedServer;

  void ReadDocument(const pugi::xml_node& root);
  std::string WriteDocument() const;
};

// Password scrambling of the file: the text reversed with every byte's bits inverted. Its own inverse.
std::string Scramble(std::string_view text);

// The program-wide preferences.
TPreferences& Preferences();
