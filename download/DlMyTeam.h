#pragma once
// The own-team download: the nine club files of TMyTeamDlData, fetched into memory in table order, the world
// file trimmed to the own league, stored as the day's snapshot in the history folder and added to the
// history store as a new page with the round's matches attached.
//
// Nothing is written to the history folder unless all nine answers arrived whole, are well-formed XML and
// read as a history page; so a broken or refused answer never replaces an existing snapshot.
#include "core/Snapshot.h"
#include "download/DlCustom.h"

#include <pugixml.hpp>

#include <array>
#include <filesystem>
#include <string>

class TDlMyTeam final : public TDlCustom {
public:
  using TDlCustom::TDlCustom;
  ~TDlMyTeam() override;

  // The nine answers as they were saved (the world file trimmed), in TMyTeamDlData order.
  const std::array<std::string, TMyTeamDlData.size()>& Buffers() const { return FBuffers; }
  // The Players file of the snapshot that was loaded as the new page (empty until then).
  const std::filesystem::path& SnapshotFile() const { return FSnapshotFile; }

protected:
  void Execute() override;

private:
  void DownloadFile(int row);
  void SaveSnapshot(const std::string& day);
  // Reads the staged answers as a page: the check that they make a usable snapshot.
  void CheckAnswers(const std::string& day) const;
  void AddPage();

  std::array<std::string, TMyTeamDlData.size()> FBuffers;
  std::array<pugi::xml_document, TMyTeamDlData.size()> FDocuments;
  std::filesystem::path FSnapshotFile;
  int FCurrentRow = 0;
};

// Keeps only the own league in the world file: the first League under LeagueList whose LeagueID is that of
// the league details becomes the only child of a new LeagueList at the end of the root. Returns false (and
// leaves the document alone) when no league matches.
bool TrimWorldDetails(const pugi::xml_document& leagueDetails, pugi::xml_document& worldDetails);
// The document as text, with an XML declaration that says UTF-8 (the document holds UTF-8 whatever the
// served answer declared).
std::string SerializeXml(const pugi::xml_document& document);
