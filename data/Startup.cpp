#include "data/Startup.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"
#include "core/ProgramFolders.h"
#include "core/Snapshot.h"
#include "data/Preferences.h"
#include "data/History.h"
#include "data/StartupJobs.h"
#include "data/XMLRootSplit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
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

// One snapshot (or rating record) of the history folder on its way to a page.
struct TStartup::TCandidate {
  // The file's path, and "key|path" once its key is known (empty when it has none).
  std::string Entry;
  // An XML snapshot's page is begun while its key is determined, from the same league and world documents.
  std::unique_ptr<THistoryPage> Page;
  bool Loaded = false;
  bool Failed = false;
};

bool TStartup::DetermineKey(TCandidate& candidate) const {
  try {
    std::string date;
    int season = 0, round = 0;
    const fs::path path(candidate.Entry);
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
      // The documents are at hand: the page takes its league and world records from them, so that no file
      // is parsed twice. A failure here is the page's (reported if it is to be loaded), not the key's.
      candidate.Page = std::make_unique<THistoryPage>();
      try {
        candidate.Page->ReadXmlHead(candidate.Entry, league.document_element(), root);
      } catch (const std::exception&) {
        candidate.Failed = true;
      }
    }
    candidate.Entry = SnapshotKey(season, round, date) + "|" + candidate.Entry;
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void TStartup::LoadPage(TCandidate& candidate) const {
  candidate.Loaded = true;
  if (candidate.Failed) return;
  try {
    if (candidate.Page) {
      candidate.Page->ReadXmlRest();
    } else {
      candidate.Page = std::make_unique<THistoryPage>();
      candidate.Page->Load(std::string(EntryPath(candidate.Entry)));
    }
  } catch (const std::exception&) {
    candidate.Failed = true;
  }
  if (candidate.Failed) candidate.Page.reset();
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

  std::vector<TCandidate> list;
  for (std::string& path : CollectCandidates()) list.push_back(TCandidate{std::move(path), nullptr, false, false});
  if (list.empty() || Terminated()) return;

  // The files are independent: both passes over them share the work out and keep each result in its
  // candidate, and everything that depends on the order (which snapshot of a week wins, the moves to the
  // obsolete folder, the load errors) is decided afterwards here, in the order of the keys.
  const TStartupJobs jobs(FSettings.Workers);
  const auto stop = [this] { return Terminated(); };
  SetStatusText(_("Scanning history"));
  const size_t scanned = list.size();
  jobs.Run(
      scanned,
      [&](size_t i) {
        if (!DetermineKey(list[i])) list[i].Entry.clear();
      },
      stop,
      [&](size_t finished) {
        if (scanned > 1) SetProgressOf((finished - 1) * 100.0 / static_cast<double>(scanned - 1));
      });
  if (Terminated()) return;
  if (scanned > 1) SetProgressOf(100);
  std::erase_if(list, [](const TCandidate& c) { return c.Entry.empty(); });
  if (list.empty()) return;
  std::sort(list.begin(), list.end(), [](const TCandidate& a, const TCandidate& b) { return a.Entry < b.Entry; });

  const int count = static_cast<int>(list.size());
  int cut = -1;
  if (FSettings.LimitHistoryDataLoading) {
    const int newest = KeySeason(EntryKey(list.back().Entry));
    for (int i = count - 1; i >= 0; --i)
      if (KeySeason(EntryKey(list[i].Entry)) < newest - FSettings.SeasonLimit) {
        cut = i;
        break;
      }
  }

  // The newest snapshot of each week above the cut is loaded ahead; only when it fails is the next older
  // one of its week loaded, below, as it comes.
  SetStatusText(_("Processing history"));
  std::vector<TCandidate*> ahead;
  for (int i = count - 1; i >= 0; --i) {
    if (i > cut && (i == count - 1 || RoundKey(EntryKey(list[i].Entry)) != RoundKey(EntryKey(list[i + 1].Entry))))
      ahead.push_back(&list[i]);
    else
      list[i].Page.reset();
  }
  jobs.Run(
      ahead.size(), [&](size_t i) { LoadPage(*ahead[i]); }, stop,
      [&](size_t finished) { SetProgressOf(finished * 100.0 / static_cast<double>(ahead.size())); });
  if (Terminated()) return;
  SetProgressOf(100);

  const std::string currentRound(RoundKey(EntryKey(list.back().Entry)));
  std::string lastRound;
  bool haveLastRound = false;
  for (int i = count - 1; i >= 0; --i) {
    if (Terminated()) return;
    TCandidate& candidate = list[i];
    const std::string_view key = EntryKey(candidate.Entry);
    const std::string_view roundKey = RoundKey(key);
    const std::string path(EntryPath(candidate.Entry));
    if (haveLastRound && roundKey == lastRound) {
      // An older snapshot of a week already loaded: out of the way, except in the current week, where the
      // next download may still replace the newer one.
      if (roundKey != currentRound) MoveToObsolete(path);
      continue;
    }
    lastRound = roundKey;
    haveLastRound = true;
    if (i <= cut) continue;
    // A week whose newest snapshot failed: this one was not loaded ahead (nor its head kept), so it is
    // loaded whole now.
    if (!candidate.Loaded) LoadPage(candidate);
    if (candidate.Failed) {
      // The next older snapshot of the week takes its place.
      FLoadErrors.push_back(path);
      haveLastRound = false;
      continue;
    }
    FHistory.Add(std::move(candidate.Page));
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
  std::string text;
  try {
    text = ReadFileText(file);
  } catch (const std::exception&) {
    FLoadErrors.push_back(file.string());
    return;
  }
  // The club's match file grows with every match and is the largest file of the archive: it is parsed one
  // match element at a time, on all workers, rather than as one document many times its size. A file the
  // split declines is parsed whole.
  if (!AttachMatchesOfElements(file.string(), text)) AttachMatchesOfDocument(file.string(), text);
}

void TStartup::AttachMatchesOfDocument(const std::string& file, const std::string& text) {
  pugi::xml_document doc;
  try {
    ParseXMLText(text, doc, file);
  } catch (const std::exception&) {
    FLoadErrors.push_back(file);
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
  if (failed) FLoadErrors.push_back(file);
}

// What one match element of the club's file reads as, found on a worker. Each step that can fail is kept
// apart: which of them count depends on whether the element's week has a page.
struct TStartup::TMatchElement {
  bool Parsed = false;  // the element's text parsed on its own
  bool Single = false;  // ... into exactly one element
  bool IsMatchData = false;
  bool HasWeek = false;  // Season and MatchRound are numbers
  int Season = 0, Round = 0;
  bool HasType = false;  // the lineup's MatchType is a number
  int Type = 0;
  bool HasMatch = false;  // the match record read
  TMatchPage Match;
};

bool TStartup::AttachMatchesOfElements(const std::string& file, const std::string& text) {
  if (!IsPlainUtf8XML(text)) return false;
  const std::optional<TXMLRootSplit> split = SplitXMLRoot(text);
  if (!split) return false;
  pugi::xml_document skeleton;
  try {
    ParseXMLText(split->Skeleton, skeleton, file);
  } catch (const std::exception&) {
    FLoadErrors.push_back(file);
    return true;
  }
  // Between the elements stand only blanks, comments and processing instructions, which leave no node.
  if (skeleton.document_element().first_child()) return false;

  const size_t count = split->Children.size();
  std::vector<TMatchElement> elements(count);
  const auto read = [&](size_t i) {
    TMatchElement& element = elements[i];
    pugi::xml_document doc;
    try {
      ParseXMLText(split->Children[i], doc, file);
    } catch (const std::exception&) {
      return;
    }
    element.Parsed = true;
    const pugi::xml_node data = doc.first_child();
    element.Single = data.type() == pugi::node_element && !data.next_sibling();
    if (!element.Single) return;
    element.IsMatchData = std::strcmp(data.name(), "MatchData") == 0;
    try {
      element.Season = StrToInt(ChildText(data, "Season"));
      element.Round = StrToInt(ChildText(data, "MatchRound"));
      element.HasWeek = true;
    } catch (const std::exception&) {
    }
    try {
      element.Type = StrToInt(ChildText(data.child("matchLineup.asp"), "MatchType"));
      element.HasType = true;
    } catch (const std::exception&) {
    }
    try {
      element.Match.ReadMatchData(data);
      element.HasMatch = true;
    } catch (const std::exception&) {
    }
  };
  TStartupJobs(FSettings.Workers)
      .Run(count, read, [this] { return Terminated(); },
           [&](size_t finished) { SetProgressOf(finished * 100.0 / static_cast<double>(count)); });
  if (Terminated()) return true;
  // An element the whole document would not hold as one: the document decides.
  if (std::any_of(elements.begin(), elements.end(), [](const TMatchElement& e) { return e.Parsed && !e.Single; }))
    return false;
  if (std::any_of(elements.begin(), elements.end(), [](const TMatchElement& e) { return !e.Parsed; })) {
    // The whole file would not parse either.
    FLoadErrors.push_back(file);
    return true;
  }

  // In file order, from the first MatchData element on: a later element of a week's kind replaces.
  bool failed = false;
  auto element = std::find_if(elements.begin(), elements.end(), [](const TMatchElement& e) { return e.IsMatchData; });
  for (; element != elements.end(); ++element) {
    if (!element->HasWeek) {
      failed = true;
      continue;
    }
    const int page = FHistory.FindRound(element->Season, element->Round);
    if (page <= 0) continue;
    if (!element->HasType || !element->HasMatch) {
      failed = true;
      continue;
    }
    THistoryPage& target = FHistory.Page(page);
    (element->Type == 1 || element->Type == 2 ? target.LeagueMatch : target.OtherMatch) = std::move(element->Match);
  }
  if (count > 0) SetProgressOf(100);
  if (failed) FLoadErrors.push_back(file);
  return true;
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
