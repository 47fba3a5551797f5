#include "download/DlMyTeam.h"

#include "core/DateTime.h"
#include "core/Intl.h"
#include "core/Utils.h"
#include "data/History.h"
#include "download/KVIndyHTTP.h"

#include <memory>
#include <sstream>

namespace fs = std::filesystem;

namespace {
constexpr int RowCount = static_cast<int>(TMyTeamDlData.size());
constexpr size_t LeagueRow = static_cast<size_t>(TSnapshotKind::League);
constexpr size_t WorldRow = static_cast<size_t>(TSnapshotKind::World);
}  // namespace

bool TrimWorldDetails(const pugi::xml_document& leagueDetails, pugi::xml_document& worldDetails) {
  const std::string leagueID = ChildText(leagueDetails.document_element(), "LeagueID");
  pugi::xml_node root = worldDetails.document_element();
  pugi::xml_node list = root.child("LeagueList");
  for (pugi::xml_node league = list.child("League"); league; league = league.next_sibling("League")) {
    if (ChildText(league, "LeagueID") != leagueID) continue;
    // Copy first: the league is a child of the list that goes.
    pugi::xml_document copy;
    copy.append_copy(league);
    root.remove_child(list);
    root.append_child("LeagueList").append_copy(copy.first_child());
    return true;
  }
  return false;
}

std::string SerializeXml(const pugi::xml_document& document) {
  // The served declaration may name another encoding; the text written here is UTF-8.
  std::ostringstream out;
  out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
  for (const pugi::xml_node& node : document.children())
    if (node.type() != pugi::node_declaration) node.print(out, "  ", pugi::format_default, pugi::encoding_utf8);
  return std::move(out).str();
}

TDlMyTeam::~TDlMyTeam() { StopAndWait(); }

void TDlMyTeam::Execute() {
  ShowRunning(true);
  for (int row = 0; row < RowCount; ++row) Sync(FCallbacks.FileState, row, TDlFileState::Pending);
  FCurrentRow = 0;
  try {
    if (ConnectToServer()) {
      for (int row = 0; row < RowCount && !Terminated(); ++row) {
        FCurrentRow = row;
        DownloadFile(row);
        FCurrentRow = row + 1;
      }
      if (!Terminated()) {
        const std::string day = FormatDate(TClock::Now());
        if (TrimWorldDetails(FDocuments[LeagueRow], FDocuments[WorldRow]))
          FBuffers[WorldRow] = SerializeXml(FDocuments[WorldRow]);
        CheckAnswers(day);
        SaveSnapshot(day);
        AddPage();
        ReportInfo(_("Connection completed"));
        SetCompleted();
      }
    }
  } catch (const std::exception& error) {
    ReportConnectionError(error);
    for (int row = FCurrentRow; row < RowCount; ++row) Sync(FCallbacks.FileState, row, TDlFileState::Failed);
    if (FCurrentRow < RowCount) Sync(FCallbacks.FileBold, FCurrentRow, false);
  }
  if (Terminated()) {
    for (int row = FCurrentRow; row < RowCount; ++row) Sync(FCallbacks.FileState, row, TDlFileState::Failed);
    ReportNotice(_("Connection terminated"));
  }
  ShowRunning(false);
}

void TDlMyTeam::DownloadFile(int row) {
  const TMyTeamDlRow& file = TMyTeamDlData[static_cast<size_t>(row)];
  const std::string label = _(file.Label);
  Sync(FCallbacks.FileBold, row, true);
  ReportInfo(FormatText(_("Downloading %s..."), label.c_str()));
  std::ostringstream buffer;
  FHttp.RequestToStream("%s", {file.FileParam}, buffer);
  // An answer that is cut short or garbled fails here, before anything is written.
  ParseAnswer(buffer.view(), FDocuments[static_cast<size_t>(row)], label);
  FBuffers[static_cast<size_t>(row)] = std::move(buffer).str();
  ReportInfo(FormatText(_("Downloaded %s"), label.c_str()), true);
  Sync(FCallbacks.FileBold, row, false);
  Sync(FCallbacks.FileState, row, TDlFileState::Done);
}

void TDlMyTeam::CheckAnswers(const std::string& day) const {
  const fs::path& work = FSettings.Folders.WorkFolder();
  std::error_code ec;
  fs::create_directories(work, ec);
  for (size_t row = 0; row < FBuffers.size(); ++row)
    SaveFileAtomically(work / SnapshotFileName(day, static_cast<TSnapshotKind>(row)), FBuffers[row]);
  THistoryPage page;
  page.Load((work / SnapshotFileName(day, TSnapshotKind::Players)).string());
}

void TDlMyTeam::SaveSnapshot(const std::string& day) {
  const fs::path& history = FSettings.Folders.HistoryFolder();
  // Files of a snapshot that lacks some (a save that was cut off) belong to no snapshot: they are replaced,
  // so that the day's snapshot never joins files of two downloads.
  const bool complete = IsCompleteSnapshot(history / SnapshotFileName(day, TSnapshotKind::Players));
  for (size_t row = 0; row < FBuffers.size(); ++row) {
    const std::string name = SnapshotFileName(day, static_cast<TSnapshotKind>(row));
    ReportInfo(FormatText(_("Saving %s..."), name.c_str()));
    const fs::path path = history / name;
    std::error_code ec;
    if (complete && fs::exists(path, ec)) {
      if (FSettings.UpdateExistingData) {
        SaveFileAtomically(path, FBuffers[row]);
        ReportNotice(FormatText(_("%s updated"), name.c_str()), true);
      } else {
        ReportNotice(FormatText(_("%s exists"), name.c_str()), true);
      }
    } else {
      SaveFileAtomically(path, FBuffers[row]);
      ReportInfo(FormatText(_("%s created"), name.c_str()), true);
    }
  }
  FSnapshotFile = history / SnapshotFileName(day, TSnapshotKind::Players);
}

void TDlMyTeam::AddPage() {
  // Read on this thread; the store itself changes on the window thread, which reads it while painting.
  auto page = std::make_unique<THistoryPage>();
  page->Load(FSnapshotFile.string());
  const int season = page->World.Season;
  const int round = page->World.MatchRound;
  const bool attach = IsDigitsID(page->Team.TeamID);
  SyncCall([&] {
    FHistory.Add(std::move(page));
    if (FCallbacks.EnableSeasonControls) FCallbacks.EnableSeasonControls();
    // The team ID names the match store: only digits may become part of a file name.
    if (attach) FHistory.AttachLatestMatches(FSettings.Folders.MatchesFolder());
    // An older download of the same week may have been kept instead of this one: show what the store holds.
    if (const int index = FHistory.FindRound(season, round); index > 0 && FCallbacks.ShowNewPage)
      FCallbacks.ShowNewPage(FHistory.Page(index));
  });
}
