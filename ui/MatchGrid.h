#pragma once
// TMatchGrid: the matches of one club, one row per match, read from the club's match file. Read-only.
//
// Filters hide rows without removing them: the hidden rows stay stored after the visible ones (the grid's
// row count covers only the visible rows), so that clearing the filter brings them back and the grid file
// holds every row. When a filter hides every row, one data row stays visible and is painted empty; it is
// no match (IsMatchRow is false for it).
#include "core/TeamMatchFile.h"
#include "ratings/MatchRowValues.h"
#include "ui/AdvGrid.h"

#include <pugixml.hpp>

#include <filesystem>
#include <string>

// The column table of the match grid (23 columns, keys MatchColumnNames).
extern const std::array<TFieldData, MatchColumnCount> MatchFields;

class TMatchGrid : public TAdvGrid {
  Q_OBJECT

public:
  explicit TMatchGrid(QWidget* parent = nullptr);
  ~TMatchGrid() override;

  // Folder of the club match files (TProgramFolders::MatchesFolder).
  void SetMatchesFolder(const std::filesystem::path& folder) { FMatchesFolder = folder; }
  const std::filesystem::path& MatchesFolder() const { return FMatchesFolder; }

  // The club whose matches are shown; decides the club's side of each match.
  const std::string& TeamID() const { return FTeamID; }
  // Shows and hides the columns as the preferences say (Preferences().GetMatchColumn).
  void ApplyColumnVisibility();

  // The matches of the club's match file in the matches folder. A club without a match file shows an
  // empty grid.
  void LoadTeam(const std::string& teamID);
  // Fills the grid from a club match file (nothing when it does not exist), then sorts with the stored
  // sort state. A match that cannot be read raises to the caller; the rows read before it stay.
  void LoadMatchFile(const std::filesystem::path& path);
  // Fills a row from one MatchData element. A malformed element raises (EConvertError, EPitchbookError)
  // and leaves the row as it was.
  void FillRow(const pugi::xml_node& matchData, int row);
  void SortMatches(int col, uint8_t flags, uint8_t kind) { SortBy(col, flags, kind); }

  // Indexes of the three filter boxes (0 and 1: no filter). Rows that do not pass go to the end and out of
  // sight, in their order; then the grid is sorted with the stored sort state.
  void ApplyFilter(int typeIndex, int resultIndex, int weatherIndex);
  int HiddenRows() const { return FHiddenRows; }
  int FullRowCount() const { return FFullRowCount; }
  // Whether the row shows a match (false for the empty-looking row left when every row is hidden).
  bool IsMatchRow(int row) const;

  // -1 lost, 0 draw, 1 won, from the club's side.
  int GetResult(int row) const;
  // The cells of a row in the engine's form.
  TMatchRowTexts RowTexts(int row) const;

  // One row down (from the last to the first) or up (from the first to the last); for Prev and Next of the
  // player ratings window.
  void SelectNextRow();
  void SelectPreviousRow();

  // Removes a data row, hidden rows kept (Delete Match).
  void DeleteRow(int row);
  // Removes every row, hidden ones too.
  void Clear();

  // The grid file: the layout checksum, the checksum of the team ID, then the grid with every row, hidden
  // ones included (the view keeps its filter). EInOutError when it cannot be written.
  void SaveToFile(const std::filesystem::path& path);
  // Nothing when the file does not exist; else the grid is cleared and filled only when the layout, the
  // team and the column count match. EInOutError when it cannot be read.
  void LoadFromFile(const std::string& teamID, const std::filesystem::path& path);

  // The current row's match in the club's match file: emits PlayerRatingsRequested (the double click and
  // the main window's Player Ratings command).
  void OpenCurrentMatch();

signals:
  // A match to show in the player ratings window: its MatchData element (valid until the grid reads the
  // club's match file again), season and round.
  void PlayerRatingsRequested(const pugi::xml_node& matchData, const QString& season, const QString& round);

protected:
  void DrawCell(QPainter& painter, int col, int row, const QRect& rect) override;
  QString CellInfoText(int col, int row) const override;
  void CellClick(int col, int row) override;
  void DblClick() override;
  void HeaderSort(int col, uint8_t flags, uint8_t kind) override;

private:
  void ResetHiddenRows();
  void DrawFormation(QPainter& painter, const QRect& rect, int64_t code, bool selected) const;
  // Opens the club's match file unless the open one is the same, unchanged file. False when it is missing.
  bool OpenMatchDocument(const std::filesystem::path& path);

  std::filesystem::path FMatchesFolder;
  std::string FTeamID;
  int FHiddenRows = 0;
  int FFullRowCount = FixedRows + 1;

  TTeamMatchFile FMatchDocument;
  std::filesystem::path FMatchDocumentPath;
  std::filesystem::file_time_type FMatchDocumentTime{};
  uintmax_t FMatchDocumentSize = 0;
};
