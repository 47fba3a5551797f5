#pragma once
// TAdvGrid: the program's string grid. Every cell holds text; row 0 is the fixed header row (its cells are
// the column titles), rows 1.. are data rows, and the grid always keeps at least one data row (an empty grid
// is the header plus one blank row). It adds typed cell access, columns that can be hidden, a sort that
// remembers its column, direction and value kind, owner-drawn cells and the grid file (".mgf").
//
// Built on Qt's model/view: a table view over a string-cell model; a delegate hands every data cell to
// DrawCell and a header view hands every header cell to DrawHeaderCell, so subclasses paint by overriding
// those two. Row and column numbers of this interface count from 0, row 0 being the header (the model's
// rows are the data rows, shifted by one).
#include <QColor>
#include <QFont>
#include <QTableView>

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QMenu;
struct TGridFile;

class TAdvGridModel;
class TAdvGridHeader;
class TGridDelegate;

// Value kind of a column: how it is stored, read and sorted.
enum TFieldKind : uint8_t { fkInteger = 0, fkFloat = 1, fkText = 2 };
enum TFieldAlignment : uint8_t { faLeft = 0, faRight = 1, faCenter = 2 };

// Sort flags: bit 0 descending, bit 1 ascending.
enum TSortFlag : uint8_t { sfDescending = 1, sfAscending = 2 };

// One column of a grid's static column table.
struct TFieldData {
  const char* Title;    // header text (N_(): translated where shown)
  const char* Hint;     // long name, for the status bar and the preferences' column list (N_())
  const char* Key;      // stable column name; element name of its visibility setting
  const char* XMLName;  // element name in the game's XML ("" when none)
  uint8_t Kind;         // TFieldKind
  uint8_t Alignment;    // TFieldAlignment
  int Width;            // default width in pixels
  QRgb FontColor;
  bool Bold;
  QRgb Background;  // cell background; bottom colour of the header gradient
};

// Colours shared by the column tables and the painting.
namespace GridColors {
constexpr QRgb Cream = 0xFFFFFBF0;      // 255,251,240
constexpr QRgb GreenGrey = 0xFFC0DCC0;  // 192,220,192
constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Black = 0xFF000000;
constexpr QRgb Blue = 0xFF0000FF;
constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb FocusFill = 0xFFBFD3EF;     // 191,211,239
constexpr QRgb FocusBorder = 0xFF3169C6;   // 49,105,198
constexpr QRgb CurrentRowTop = 0xFFA0A0A4;  // 160,160,164
}  // namespace GridColors

class TAdvGrid : public QTableView {
  Q_OBJECT

public:
  static constexpr int DefaultRowHeight = 17;
  static constexpr int FixedRows = 1;

  // The grid keeps a view of the column table (static storage). The header row gets the translated titles.
  explicit TAdvGrid(std::span<const TFieldData> fields, QWidget* parent = nullptr);
  ~TAdvGrid() override;

  // ---- Layout -------------------------------------------------------------------------------------------
  int ColCount() const { return static_cast<int>(FFields.size()); }
  // Rows including the header row; never below FixedRows + 1.
  int RowCount() const { return FRowCount; }
  // Rows beyond the count keep their cells (a later growth shows them again); new rows are blank.
  void SetRowCount(int count);
  const TFieldData& Field(int col) const;
  std::span<const TFieldData> Fields() const { return FFields; }
  // The translated title of the column.
  QString ColumnTitle(int col) const;
  // The column's default width, or the width its translated title needs when that is more (a translation
  // longer than the original must not be cut).
  int TitleFitWidth(int col) const;
  // The translated hint of the column.
  QString ColumnHint(int col) const;

  // ---- Cells ----------------------------------------------------------------------------------------------
  // Raw text; ERangeError outside the grid (row up to RowCount - 1).
  QString Cell(int col, int row) const;
  void SetCell(int col, int row, const QString& text);
  // The cell text as an integer; 0 when it is not one (the empty text too).
  int GetCellInt(int col, int row) const;
  void SetCellInt(int col, int row, int64_t value);
  // The cell text read with "." as decimal separator; EConvertError when it is not a number.
  double GetCellFloat(int col, int row) const;
  // Shortest general text with up to 15 significant digits, "." as separator.
  void SetCellFloat(int col, int row, double value);

  // ---- Columns --------------------------------------------------------------------------------------------
  // Width of the cell area in pixels (the grid line comes on top); -1 when hidden.
  int ColWidth(int col) const;
  // -1 hides the column.
  void SetColWidth(int col, int width);
  bool IsColumnVisible(int col) const;
  // Shown with the column's default width, or hidden.
  void SetColumnVisible(int col, bool visible);

  // ---- Current cell -------------------------------------------------------------------------------------
  int Row() const;  // 1.. (the first data row when nothing is selected)
  int Col() const;
  void SelectCell(int col, int row);
  void SelectRow(int row);  // keeps the current column

  // ---- Rows ---------------------------------------------------------------------------------------------
  // True with one data row whose first cell is blank after trimming.
  bool IsEmpty() const;
  // Blanks every cell and leaves the header plus one blank data row (the header row is kept).
  void Clear();
  // Removes a data row; see the comment in the implementation for which row becomes current.
  void DeleteRow(int row);
  // Moves the row from one position to another; the rows between shift by one.
  void MoveRow(int fromRow, int toRow);
  void BlankRow(int row);
  // Appends a data row, or returns the blank row of an empty grid. Returns its number.
  int AppendRow();

  // Batch changes: between BeginUpdate and the matching EndUpdate the view is neither told of each change
  // nor repainted; EndUpdate refreshes it once and keeps the current cell where possible.
  void BeginUpdate();
  void EndUpdate();

  // ---- Sorting ------------------------------------------------------------------------------------------
  // Stores the sort state and sorts the data rows (stable), then selects the first data row.
  void SortBy(int col, uint8_t flags, uint8_t kind);
  // Sorts again with the stored state and selects the row that was current before (found by the text of
  // column 2, without regard to case).
  void Resort();
  int SortColumn() const { return FSortColumn; }
  uint8_t SortFlags() const { return FSortFlags; }
  uint8_t SortKind() const { return FSortKind; }
  // The header click: descending unless this column is sorted descending already, then sorts through
  // HeaderSort (overridable). Other flag bits are kept.
  void HeaderClick(int col);
  // The flags a click on the column's header gives.
  uint8_t HeaderClickFlags(int col) const;

  // ---- Repainting ---------------------------------------------------------------------------------------
  void InvalidateColumn(int col);
  void InvalidateRow(int row);
  void InvalidateCell(int col, int row);

  // ---- Drawing operations -----------------------------------------------------------------------------
  // Text shrunk 1 pixel into the rect, vertically centred, clipped; alignment is TFieldAlignment.
  static void DrawCellText(QPainter& painter, const QString& text, const QRect& rect, const QFont& font,
                           const QColor& colour, int alignment);
  // A 2-pixel bar at the cell's right edge whose height shows the fractional part of value.
  static void DrawFractionBar(QPainter& painter, const QRect& rect, const QColor& colour, double value);
  // DrawFractionBar with percent clamped to 0..100 and divided by 100 (100 % draws nothing).
  static void DrawPercentBar(QPainter& painter, double percent, const QRect& rect, const QColor& colour);
  // One line per pixel row from colour a at the top towards b.
  static void DrawVerticalGradient(QPainter& painter, const QRect& rect, const QColor& a, const QColor& b);
  // The cell font: the grid's font with bold and italic as asked.
  QFont CellFont(bool bold, bool italic = false) const;
  // The shared background rules: the focused cell light blue with a blue border, the current row a
  // gradient from grey to background, other rows flat background. Returns true for the focused cell.
  bool DrawCellBackground(QPainter& painter, const QRect& rect, int col, int row, const QColor& background);
  // True for the current cell while the grid has the input focus.
  bool IsFocusedCell(int col, int row) const;

  // ---- Hints and mouse ----------------------------------------------------------------------------------
  // The tooltip hint of the grid.
  QString Hint() const { return FHint; }
  void SetHint(const QString& hint);
  bool MouseInGrid() const { return FMouseInGrid; }
  QPoint LastMousePos() const { return FMousePos; }
  // The menu shown on a right click (not owned; nullptr for none).
  void SetPopupMenu(QMenu* menu) { FPopupMenu = menu; }
  QMenu* PopupMenu() const { return FPopupMenu; }
  // Whether typing edits cells (on by default).
  void SetEditable(bool editable);
  bool IsEditable() const { return FEditable; }

  // ---- Grid file ----------------------------------------------------------------------------------------
  // Sum over the columns of column index x TextChecksum(untranslated title), the same under every language.
  int64_t LayoutChecksum() const;
  // Writes the grid file atomically (EInOutError on failure).
  void SaveToFile(const std::filesystem::path& path) const;
  // Nothing when the file does not exist. Otherwise clears the grid, and fills it only when checksum and
  // column count match and the file is whole; cells are trimmed. EInOutError when it cannot be read.
  void LoadFromFile(const std::filesystem::path& path);

  // ---- Hooks for the editing code and the delegate ------------------------------------------------------
  // Called by the delegate when an editor closes with a commit; stores the text when AcceptCellText agrees
  // and then calls CellEdited.
  void CommitEdit(int col, int row, const QString& text);
  // Paints one cell (row 0: header) in rect.
  void PaintCell(QPainter& painter, const QRect& rect, int col, int row);

signals:
  // Status-bar texts: the hint of the column under the mouse, and the description of the cell under it.
  void ColumnPaneChanged(const QString& text);
  void InfoPaneChanged(const QString& text);
  void HintChanged(const QString& hint);
  // The current cell moved (row, col in grid numbers).
  void CurrentCellChanged(int col, int row);

protected:
  // Data cell painting; the default paints the background rules and the cell text in the column's style.
  virtual void DrawCell(QPainter& painter, int col, int row, const QRect& rect);
  // Header cell: gradient from the button face to the column background, then the title.
  virtual void DrawHeaderCell(QPainter& painter, int col, const QRect& rect);
  // Editing: whether the cell may be edited, and whether the typed text may be stored (the text may be
  // normalised). The default refuses text that is not an integer in an integer column.
  virtual bool CanEditCell(int col, int row) const;
  virtual bool AcceptCellText(int col, int row, QString& text) const;
  virtual void CellEdited(int col, int row);
  // Mouse: a move over a cell (row 0 = header), a click (not right) on a data cell, a double click
  // anywhere. The default move shows the column hint and CellInfoText.
  virtual void CellMouseMove(int col, int row);
  virtual QString CellInfoText(int col, int row) const;
  virtual void CellClick(int col, int row);
  virtual void DblClick();
  // What a header click sorts with; the default is SortBy.
  virtual void HeaderSort(int col, uint8_t flags, uint8_t kind);

  // Grid file pieces for grids whose file carries more fields (the match grid): the untranslated column
  // titles, every row's texts (header row included), and taking over what the grid-file reader parsed.
  std::vector<std::string> FieldTitles() const;
  std::vector<std::vector<std::string>> AllRowTexts() const;
  void ApplyGridFile(const TGridFile& file);

  // QAbstractItemView
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  friend class TAdvGridModel;
  friend class TAdvGridHeader;

  void CheckCell(int col, int row) const;
  void ApplyRowHeight();
  void NotifyRowsChanged();

  std::span<const TFieldData> FFields;
  std::vector<QStringList> FRows;  // row-major; FRows.size() >= FRowCount
  int FRowCount = FixedRows + 1;
  std::vector<int> FWidths;  // -1 hidden
  TAdvGridModel* FModel = nullptr;
  TAdvGridHeader* FHeader = nullptr;
  TGridDelegate* FDelegate = nullptr;
  QMenu* FPopupMenu = nullptr;

  int FSortColumn = -1;
  uint8_t FSortFlags = 0;
  uint8_t FSortKind = 0;

  QPoint FMousePos;
  bool FMouseInGrid = false;
  int FPressedRow = -1;
  int FPreviousRow = -1;
  int FPreviousCol = -1;

  QString FHint;
  bool FEditable = true;
  int FUpdateDepth = 0;
};
