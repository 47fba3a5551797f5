#pragma once
// TPlayerGrid: one player per row in the 38 columns of the player column table. The column index is the
// player's attribute code (core/Player.h), except the texts of columns 0 (name), 28 and 29 (trainer type
// and skill). The grid converts between rows and TPlayer records, recomputes the position ratings
// (columns 30..37) when the display modes change, and paints skills with their weather, training and
// comparison effects.
//
// The display modes belong to the main window, which sets them on both of its player grids (and sets the
// history store's Training toggle, History().SetTrainingOn, alongside).
#include "core/PlayerList.h"
#include "data/Preferences.h"
#include "ui/AdvGrid.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

class THistoryPage;

// The player column table; Key equals PlayerColumnNames[c].
extern const std::array<TFieldData, PlayerColumnCount> PlayerColumnTable;

// The main window's display modes, as the grids see them.
struct TPlayerGridModes {
  int Weather = wDisabled;           // GetWeatherCode
  bool Training = false;             // IsTrainingOn
  bool AssumePassableForms = false;  // IsAssumePassableForms
  bool Comparison = false;           // IsComparisonOn
  int ComparisonPage = 0;            // history page compared with; 0 = none
};

class TPlayerGrid : public TAdvGrid {
  Q_OBJECT

public:
  explicit TPlayerGrid(QWidget* parent = nullptr);

  // ---- Display modes -----------------------------------------------------------------------------------
  const TPlayerGridModes& Modes() const { return FModes; }
  // Each setter does nothing when the mode is already so (returns false); otherwise it stores the mode,
  // recomputes the rating columns where the mode changes them and repaints the affected columns.
  bool SetWeather(int weather);
  bool SetTrainingOn(bool on);
  bool SetAssumePassableForms(bool on);
  bool SetComparison(bool on, int comparisonPage);
  // A new player record carrying the modes (weather, training, passable forms).
  std::unique_ptr<TPlayer> NewPlayer() const;

  // ---- Rows and players -------------------------------------------------------------------------------
  // Appends a row for the player (or fills the blank row of an empty grid). A name already in the grid
  // gets " (1)", " (2)", ... Sets the player's Weather to Disabled (the caller's record changes) and shows
  // negative values as 0, except the injury level (-1 = healthy).
  void AddPlayer(TPlayer& player);
  // Copies columns 0..29 of the row (-1 = current row) into the player; the ratings are the player's own.
  void ReadRow(TPlayer& player, int row = -1) const;
  // Appends one new player per data row, built with the display modes; nothing for an empty grid.
  void ReadAll(TPlayerList& list) const;
  // Adds the squad of a history page (without its coach when the preference DoNotImportCoach is on),
  // then re-sorts; the grid is repainted once.
  void LoadPage(THistoryPage& page);
  // The same for a plain list; skip (may be nullptr) is left out.
  void LoadPlayers(TPlayerList& players, const TPlayer* skip = nullptr);
  // Adds every row of this grid to the target (through a page, so the target's rules apply) and
  // selects this grid's first data row.
  void CopyAllTo(TPlayerGrid& target);
  // Recomputes columns 30..37 of the rows with the display modes, repaints them and re-sorts.
  void RecalculateRatings(int firstRow, int lastRow);
  void RecalculateAllRatings();
  // SortBy, then an empty hint.
  void SortPlayers(int col, uint8_t flags, uint8_t kind);

  // ---- What the main window shows -----------------------------------------------------------------------
  // The status bar's info pane text for a data cell (the column pane shows ColumnHint).
  QString CellInfoText(int col, int row) const override;
  // The tooltip hint a click on the data cell sets.
  QString CellClickHint(int col, int row) const;
  // The text a data cell shows (after effects and value tables), and whether it is drawn blue/red/bold.
  struct TCellLook {
    QString Text;
    QColor Colour;
    bool Bold = false;
    bool Italic = false;
    double Effect = 0;  // specialty/weather modifier plus training estimate
  };
  TCellLook CellLook(int col, int row) const;
  // The background of a data cell that is not focused, before the current-row gradient.
  QColor CellBackground(int col, int row) const;
  // The double click (also called by the main window's Player Information command): asks for the history
  // graphs of the current player and column, unless the mouse is inside the grid but not on a data cell.
  void DblClick() override;

signals:
  // The history graphs of the player in row, opened on the page that suits column col.
  void HistoryGraphsRequested(int col, int row);

protected:
  void DrawCell(QPainter& painter, int col, int row, const QRect& rect) override;
  bool CanEditCell(int col, int row) const override;
  bool AcceptCellText(int col, int row, QString& text) const override;
  void CellEdited(int col, int row) override;
  void CellClick(int col, int row) override;
  void HeaderSort(int col, uint8_t flags, uint8_t kind) override;

private:
  // The specialty/weather modifier plus (with Training on) the training estimate of a skill column.
  double Effect(int col, int row) const;
  double SpecialtyModifier(int col, int row) const;
  double TrainingEffect(int col, int row) const;
  int64_t RowPlayerID(int row) const;
  QString UniqueName(const QString& name) const;
  void InvalidateColumns(int first, int last);

  TPlayerGridModes FModes;
};

// The text of the main window's Copy to Clipboard: a header line of the listed columns' titles, a line of
// dashes as long, and one clipboard line per player, each block separated by "\r\n\n".
QString PlayerClipboardText(const TPlayerList& list, std::optional<int32_t> leagueCountryID);
