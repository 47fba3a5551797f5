#include "data/Startup.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"
#include "core/ProgramFolders.h"
#include "core/Snapshot.h"
#include "data/Preferences.h"
#include "data/History.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <unordered_set>

namespace fs = std::filesystem;

namespace {
bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

std::string Lower(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(), [](unsigned char c) { return std::tolower(c); });
  return result;
}

// Team IDs name files; anything but digits would reach outside the matches folder.
bool IsTeamID(std::string_view id) {
  return !id.empty() && std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Replaces every "Players" (any letter case) by "*".
std::string StarPlayers(const std::string& name) {
  const std::string lower = Lower(name);
  std::string result;
  size_t from = 0;
  for (size_t pos; (pos = lower.find("players", from)) != std::string::npos; from = pos + 7)
    result.append(name, from, pos - from).append("*");
  return result.append(name, from, std::string::npos);
}

// The path of a "key|path" entry.
std::string_view EntryPath(std::string_view entry) { return entry.substr(entry.find('|') + 1); }
std::string_view EntryKey(std::string_view entry) { return entry.substr(0, entry.find('|')); }
}  // namespace

TStartupSettings TStartupSettings::Of(const TProgramFolders& folders, const TPreferences& preferences) {
  TStartupSettings settings;
  settings.HistoryFolder = folders.HistoryFolder();
  settings.ObsoleteFolder = folders.ObsoleteFolder();
  settings.MatchesFolder = folders.MatchesFolder();
  settings.LimitHistoryDataLoading = preferences.LimitHistoryDataLoading;
  settings.SeasonLimit = preferences.SeasonLimit;
  return settings;
}

TStartup::TStartup(THistory& history, TStartupSettings settings, TStartupCallbacks callbacks)
    : FHistory(history), FSettings(std::move(settings)), FCallbacks(std::move(callbacks)) {}

TStartup::~TStartup() {
  // Stop the thread before the members it uses go away (the base class would wait too late).
  Terminate();
  Resume();
  WaitFor();
}

template <class F>
void TStartup::Sync(const F& callback) {
  if (callback) Synchronize(callback);
}

void TStartup::SetStatusText(const std::string& text) {
  FShownProgress = 0;
  if (FCallbacks.StatusText) Synchronize([&] { FCallbacks.StatusText(text); });
}

void TStartup::SetProgress(int percent) {
  percent = std::clamp(percent, 0, 65535);
  if (percent == FShownProgress) return;
  FShownProgress = percent;
  if (FCallbacks.Progress) Synchronize([&] { FCallbacks.Progress(percent); });
}

void TStartup::SetProgressOf(double percent) {
  // Halves go to the even neighbour, as everywhere the program rounds a percentage.
  SetProgress(static_cast<int>(std::clamp(std::nearbyint(percent), 0.0, 65535.0)));
}

void TStartup::Execute() {
  // A failing window callback must not take the program down with the thread.
  try {
    ExecuteSteps();
  } catch (...) {
  }
}

void TStartup::ExecuteSteps() {
  try {
    if (!Terminated() && UpgradeMatchFolders() && !Terminated()) Sync(FCallbacks.MatchFoldersUpgraded);
  } catch (const std::exception&) {
    // A folder that cannot even be listed keeps its old layout; loading goes on.
  }
  if (!Terminated()) {
    FLoadErrors.clear();
    try {
      LoadHistory();
    } catch (const std::exception&) {
      // LoadHistory turns every file's failure into a load error; whatever escapes it must not cost the
      // report and the newest page.
    }
    if (!Terminated() && !FLoadErrors.empty() && FCallbacks.ReportLoadErrors) {
      const std::string text = LoadErrorsReport();
      Synchronize([&] { FCallbacks.ReportLoadErrors(text); });
    }
  }
  if (!Terminated() && FHistory.Count() > 0) {
    try {
      THistoryPage& newest = FHistory.Latest();
      if (FCallbacks.ShowNewestPage) Synchronize([&] { FCallbacks.ShowNewestPage(newest); });
      Sync(FCallbacks.EnableSeasonControls);
    } catch (...) {
      // Without usable data the user is led to the download.
      bool empty = false;
      if (FCallbacks.PlayerGridsEmpty) Synchronize([&] { empty = FCallbacks.PlayerGridsEmpty(); });
      if (empty) Sync(FCallbacks.RunMyTeamDownload);
    }
  }
  if (!Terminated()) {
    try {
      Sync(FCallbacks.RestoreToggles);
    } catch (...) {
    }
  }
  if (Terminated()) return;
  Sync(FCallbacks.HideStatusPane);
  if (!FSettings.SuspendAtEnd) return;
  Suspend();
  if (!Terminated() && FCallbacks.UpdateCheck) FCallbacks.UpdateCheck(*this);
}

// ---- old match folders ------------------------------------------------------------------------------------

bool TStartup::UpgradeMatchFolders() {
  std::vector<fs::path> folders;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(FSettings.HistoryFolder, ec)) {
    std::error_code typeError;
    if (!entry.is_directory(typeError)) continue;
    const std::string name = entry.path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    if (fs::equivalent(entry.path(), FSettings.ObsoleteFolder, typeError) ||
        fs::equivalent(entry.path(), FSettings.MatchesFolder, typeError))
      continue;
    folders.push_back(entry.path());
  }
  std::sort(folders.begin(), folders.end());
  bool upgraded = false;
  for (const fs::path& folder : folders) {
    if (Terminated()) break;
    try {
      if (fs::exists(folder)) {
        UpgradeMatchFolder(folder);
        upgraded = upgraded || !fs::exists(folder);
      }
    } catch (const std::exception&) {
      // A folder with an unreadable file stays as it is and is tried again at the next start.
    }
  }
  return upgraded;
}

void TStartup::UpgradeMatchFolder(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());

  const auto firstLineup =
      std::find_if(names.begin(), names.end(), [](const std::string& n) { return EndsWith(n, "MatchLineup.xml"); });
  if (firstLineup == names.end()) return;
  pugi::xml_document lineupDoc;
  LoadXMLFile(folder / *firstLineup, lineupDoc);
  const std::string teamID = ChildText(lineupDoc.document_element().child("Team"), "TeamID");
  if (!IsTeamID(teamID)) throw EConvertError(FormatText(_("'%s' is not a valid integer value"), teamID.c_str()));
  SetStatusText(FormatText(_("Upgrading match files (ID: %s)"), teamID.c_str()));

  const fs::path matchFile = FSettings.MatchesFolder / (teamID + ".xml");
  pugi::xml_document matches;
  OpenXMLFile(matchFile, matches, "PitchbookTeamData");
  pugi::xml_node root = matches.document_element();

  for (const std::string& name : names) {
    if (!EndsWith(Lower(name), ".xml") || name.find("MatchDetails") == std::string::npos) continue;
    const std::string lineupName =
        name.substr(0, 6) + (name.find("2.") != std::string::npos ? "MatchLineup2.xml" : "MatchLineup.xml");
    if (!fs::exists(folder / lineupName)) continue;
    pugi::xml_document details, lineup;
    LoadXMLFile(folder / name, details);
    LoadXMLFile(folder / lineupName, lineup);
    const std::string season = lineupName.substr(0, 2);
    const std::string round = lineupName.size() >= 5 ? lineupName.substr(3, 2) : std::string();
    const std::string matchID = ChildText(lineup.document_element(), "MatchID");

    for (pugi::xml_node data = root.child("MatchData"); data; data = data.next_sibling("MatchData"))
      if (matchID == data.attribute("ID").value()) {
        root.remove_child(data);
        break;
      }
    pugi::xml_node data = root.append_child("MatchData");
    data.append_attribute("ID").set_value(matchID.c_str());
    data.append_child("Season").text().set(season.c_str());
    data.append_child("MatchRound").text().set(round.c_str());
    const std::pair<const pugi::xml_document*, const char*> copies[] = {{&details, "matchDetails.asp"},
                                                                         {&lineup, "matchLineup.asp"}};
    for (const auto& [doc, fallback] : copies) {
      // Each copy is named after the file's own FileName; an element without a name cannot be saved.
      std::string element = ChildText(doc->document_element(), "FileName");
      if (element.empty()) element = fallback;
      CopyChildNodes(doc->document_element(), data.append_child(element.c_str()));
    }
  }
  SaveXMLFile(matches, matchFile);

  // The converted folder goes to the obsolete folder, under a free name.
  const std::string folderName = folder.filename().string();
  fs::path target = FSettings.ObsoleteFolder / folderName;
  for (int k = 1; fs::exists(target); ++k) target = FSettings.ObsoleteFolder / FormatText("%s(%d)", folderName.c_str(), k);
  fs::rename(folder, target);
}

// ---- the history ------------------------------------------------------------------------------------------

std::vector<std::string> TStartup::CollectCandidates() {
  std::vector<std::string> records, players;
  std::unordered_set<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(FSettings.HistoryFolder, ec)) {
    if (Terminated()) return {};
    std::error_code typeError;
    if (!entry.is_regular_file(typeError)) continue;
    std::string name = entry.path().filename().string();
    if (Lower(entry.path().extension().string()) == ".krf")
      records.push_back(entry.path().string());
    else if (EndsWith(name, "Players.xml"))
      players.push_back(entry.path().string());
    names.insert(std::move(name));
  }
  std::vector<std::string> list = std::move(records);
  for (std::string& path : players) {
    // A snapshot counts only with all nine of its files.
    // "2009-09-28 old Players.xml" would stand for the snapshot of that day a second time, and its moves
    // would take the real snapshot's files along.
    const std::string day = SnapshotDay(path);
    if (day.empty() || fs::path(path).filename() != SnapshotFileName(day, TSnapshotKind::Players)) continue;
    if (std::all_of(TMyTeamDlData.begin(), TMyTeamDlData.end(),
                    [&](const TMyTeamDlRow& row) { return names.count(day + " " + row.Kind + ".xml") > 0; }))
      list.push_back(std::move(path));
  }
  return list;
}

bool TStartup::DetermineKey(std::string& entry) const {
  try {
    std::string date;
    int season = 0, round = 0;
    const fs::path path(entry);
    if (Lower(path.extension().string()) == ".krf") {
      std::ifstream in(path, std::ios::binary);
      if (!in) return false;
      std::string seasonText, roundText;
      bool haveDate = false, haveSeason = false, haveRound = false;
      for (std::string line; !(haveDate && haveSeason && haveRound) && std::getline(in, line);) {
        if (line.find("date=") != std::string::npos) {
          if (!haveDate) date = KeepDigits(line), haveDate = true;
        } else if (line.find("season=") != std::string::npos) {
          if (!haveSeason) seasonText = KeepDigits(line), haveSeason = true;
        } else if (line.find("matchround=") != std::string::npos) {
          if (!haveRound) roundText = KeepDigits(line), haveRound = true;
        }
      }
      season = StrToInt(seasonText);
      round = StrToInt(roundText);
    } else {
      pugi::xml_document league, world;
      LoadXMLFile(SnapshotSibling(path, TSnapshotKind::League), league);
      const std::string leagueID = ChildText(league.document_element(), "LeagueID");
      LoadXMLFile(SnapshotSibling(path, TSnapshotKind::World), world);
      const pugi::xml_node root = world.document_element();
      date = KeepDigits(ChildText(root, "FetchedDate"));
      for (pugi::xml_node l = root.child("LeagueList").child("League"); l; l = l.next_sibling("League"))
        if (leagueID == ChildText(l, "LeagueID")) {
          season = StrToInt(ChildText(l, "Season"));
          round = StrToInt(ChildText(l, "MatchRound"));
          break;
        }
    }
    entry = SnapshotKey(season, round, date) + "|" + entry;
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void TStartup::MoveToObsolete(const std::string& path) const {
  // Moves replace what the obsolete folder holds under the same name; a failed move leaves the file where
  // it is, to be moved at the next start.
  std::error_code ec;
  const fs::path source(path);
  if (Lower(source.extension().string()) == ".krf") {
    fs::rename(source, FSettings.ObsoleteFolder / source.filename(), ec);
    return;
  }
  for (const fs::path& file : SnapshotFiles(source)) fs::rename(file, FSettings.ObsoleteFolder / file.filename(), ec);
}

void TStartup::LoadHistory() {
  struct TFinish {
    TStartup& Startup;
    ~TFinish() {
      try {
        Startup.Sync(Startup.FCallbacks.FinishLoading);
      } catch (...) {
      }
    }
  } finish{*this};

  std::vector<std::string> list = CollectCandidates();
  if (list.empty() || Terminated()) return;

  SetStatusText(_("Scanning history"));
  const int scanned = static_cast<int>(list.size());
  for (int i = scanned - 1; i >= 0; --i) {
    if (Terminated()) return;
    if (!DetermineKey(list[i])) list[i].clear();
    if (scanned > 1) SetProgressOf((scanned - i - 1) * 100.0 / (scanned - 1));
  }
  std::erase_if(list, [](const std::string& e) { return e.empty(); });
  if (list.empty()) return;
  std::sort(list.begin(), list.end());

  const int count = static_cast<int>(list.size());
  int cut = -1;
  if (FSettings.LimitHistoryDataLoading) {
    const int newest = KeySeason(EntryKey(list.back()));
    for (int i = count - 1; i >= 0; --i)
      if (KeySeason(EntryKey(list[i])) < newest - FSettings.SeasonLimit) {
        cut = i;
        break;
      }
  }

  SetStatusText(_("Processing history"));
  const std::string currentRound(RoundKey(EntryKey(list.back())));
  std::string lastRound;
  bool haveLastRound = false;
  for (int i = count - 1; i >= 0; --i) {
    if (Terminated()) return;
    const std::string_view key = EntryKey(list[i]);
    const std::string_view roundKey = RoundKey(key);
    const std::string path(EntryPath(list[i]));
    if (haveLastRound && roundKey == lastRound) {
      // An older snapshot of a week already loaded: out of the way, except in the current week, where the
      // next download may still replace the newer one.
      if (roundKey != currentRound) MoveToObsolete(path);
      continue;
    }
    lastRound = roundKey;
    haveLastRound = true;
    if (i <= cut) continue;
    try {
      auto page = std::make_unique<THistoryPage>();
      page->Load(path);
      FHistory.Add(std::move(page));
    } catch (const std::exception&) {
      // The next older snapshot of the week takes its place.
      FLoadErrors.push_back(path);
      haveLastRound = false;
    }
    SetProgressOf((count - i) * 100.0 / (count - cut));
  }

  if (!Terminated()) AttachMatches();
}

void TStartup::AttachMatches() {
  if (FHistory.Count() == 0) return;
  const std::string& teamID = FHistory.Latest().Team.TeamID;
  if (!IsTeamID(teamID)) return;
  const fs::path file = FSettings.MatchesFolder / (teamID + ".xml");
  std::error_code ec;
  if (!fs::exists(file, ec)) return;
  SetStatusText(_("Processing matches"));
  SetProgress(0);
  pugi::xml_document doc;
  try {
    LoadXMLFile(file, doc);
  } catch (const std::exception&) {
    FLoadErrors.push_back(file.string());
    return;
  }
  const pugi::xml_node root = doc.document_element();
  const int count = static_cast<int>(std::distance(root.children().begin(), root.children().end()));
  bool failed = false;
  int index = 0;
  for (pugi::xml_node data = root.child("MatchData"); data && index < count; data = data.next_sibling()) {
    if (Terminated()) return;
    ++index;
    if (data.type() != pugi::node_element) continue;
    // A broken element costs its own match only; the file is reported once.
    try {
      const int page = FHistory.FindRound(StrToInt(ChildText(data, "Season")), StrToInt(ChildText(data, "MatchRound")));
      if (page > 0) {
        THistoryPage& target = FHistory.Page(page);
        const int type = StrToInt(ChildText(data.child("matchLineup.asp"), "MatchType"));
        (type == 1 || type == 2 ? target.LeagueMatch : target.OtherMatch).ReadMatchData(data);
      }
    } catch (const std::exception&) {
      failed = true;
    }
    SetProgressOf(index * 100.0 / count);
  }
  if (failed) FLoadErrors.push_back(file.string());
}

std::string TStartup::LoadErrorsText(const std::vector<std::string>& loadErrors) {
  if (loadErrors.empty()) return {};
  constexpr size_t shown = 20;
  std::string text = _("Following team data files could not be loaded properly:");
  text += "\r\n\r\n";
  for (size_t i = 0; i < loadErrors.size() && i < shown; ++i) {
    const fs::path path(loadErrors[i]);
    std::string name = path.filename().string();
    if (Lower(path.extension().string()) == ".xml") name = StarPlayers(name);
    text += FormatText("%s\r\n", name.c_str());
  }
  if (loadErrors.size() > shown)
    text += "\r\n" + FormatText(_("Only %d out of %d erroneous files are displayed."), static_cast<int>(shown),
                                static_cast<int>(loadErrors.size()));
  return text;
}
