#include "ui/AdvGrid.h"

#include "data/GridFile.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"
#include "ui/GridDelegate.h"

#include <QAbstractTableModel>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>

// ---- The model: a window onto the grid's rows ------------------------------------------------------------
class TAdvGridModel : public QAbstractTableModel {
public:
  explicit TAdvGridModel(TAdvGrid* grid) : QAbstractTableModel(grid), FGrid(grid) {}

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : FGrid->FRowCount - TAdvGrid::FixedRows;
  }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : FGrid->ColCount(); }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
      return FGrid->FRows[static_cast<size_t>(index.row() + TAdvGrid::FixedRows)][index.column()];
    if (role == Qt::ToolTipRole && !FGrid->FHint.isEmpty()) return FGrid->FHint;
    return {};
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < FGrid->ColCount())
      return FGrid->ColumnTitle(section);
    return {};
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (FGrid->CanEditCell(index.column(), index.row() + TAdvGrid::FixedRows)) result |= Qt::ItemIsEditable;
    return result;
  }

  void BeginReset() { beginResetModel(); }
  void EndReset() { endResetModel(); }
  void CellChanged(int col, int row) {
    if (row < TAdvGrid::FixedRows) {
      emit headerDataChanged(Qt::Horizontal, col, col);
      return;
    }
    const QModelIndex i = index(row - TAdvGrid::FixedRows, col);
    emit dataChanged(i, i);
  }

private:
  TAdvGrid* FGrid;
};

// ---- The header: painted and clicked through the grid -----------------------------------------------------
class TAdvGridHeader : public QHeaderView {
public:
  explicit TAdvGridHeader(TAdvGrid* grid) : QHeaderView(Qt::Horizontal, grid), FGrid(grid) {
    setMouseTracking(true);
    setSectionsClickable(false);
    setSectionsMovable(false);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Fixed);
    setMinimumSectionSize(0);
  }

protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
    painter->save();
    FGrid->PaintCell(*painter, rect, logicalIndex, 0);
    painter->restore();
  }

  void mouseMoveEvent(QMouseEvent* event) override {
    FGrid->FMousePos = event->position().toPoint();
    FGrid->FMouseInGrid = true;
    const int col = logicalIndexAt(event->position().toPoint());
    if (col >= 0) FGrid->CellMouseMove(col, 0);
    QHeaderView::mouseMoveEvent(event);
  }

  void mousePressEvent(QMouseEvent* event) override {
    FPressedSection = logicalIndexAt(event->position().toPoint());
    QHeaderView::mousePressEvent(event);
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    QHeaderView::mouseReleaseEvent(event);
    const int col = logicalIndexAt(event->position().toPoint());
    if (event->button() != Qt::RightButton && col >= 0 && col == FPressedSection) FGrid->HeaderClick(col);
    FPressedSection = -1;
  }

private:
  TAdvGrid* FGrid;
  int FPressedSection = -1;
};

// ---- Construction ---------------------------------------------------------------------------------------------
TAdvGrid::TAdvGrid(std::span<const TFieldData> fields, QWidget* parent)
    : QTableView(parent), FFields(fields), FWidths(fields.size(), 0) {
  FRows.assign(FixedRows + 1, QStringList());
  for (auto& row : FRows) {
    row.reserve(ColCount());
    for (int c = 0; c < ColCount(); ++c) row << QString();
  }
  for (int c = 0; c < ColCount(); ++c) FRows[0][c] = ColumnTitle(c);

  // A compact font, so that a 17-pixel row holds its text and a 9-digit ID fits its 60 pixels; the
  // narrower sans-serif families first, the system's font when none of them is there.
  QFont gridFont = font();
  gridFont.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Nimbus Sans"),
                        QStringLiteral("Arial"), QStringLiteral("Helvetica"), gridFont.family()});
  gridFont.setPixelSize(11);
  setFont(gridFont);

  FModel = new TAdvGridModel(this);
  FHeader = new TAdvGridHeader(this);
  setHorizontalHeader(FHeader);
  setModel(FModel);
  FDelegate = new TGridDelegate(this);
  setItemDelegate(FDelegate);

  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(1);
  ApplyRowHeight();
  setFrameShape(QFrame::NoFrame);
  setShowGrid(true);
  setGridStyle(Qt::SolidLine);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setTabKeyNavigation(true);
  setWordWrap(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  SetEditable(true);
  for (int c = 0; c < ColCount(); ++c) SetColWidth(c, FFields[static_cast<size_t>(c)].Width);
}

TAdvGrid::~TAdvGrid() = default;

void TAdvGrid::ApplyRowHeight() {
  // Qt's sections include the grid line; the program's heights and widths are those of the cell.
  verticalHeader()->setDefaultSectionSize(DefaultRowHeight + 1);
  horizontalHeader()->setFixedHeight(DefaultRowHeight + 1);
}

// ---- Layout ----------------------------------------------------------------------------------------------------
const TFieldData& TAdvGrid::Field(int col) const {
  if (col < 0 || col >= ColCount()) throw ERangeError();
  return FFields[static_cast<size_t>(col)];
}

QString TAdvGrid::ColumnTitle(int col) const { return QString::fromUtf8(_(Field(col).Title)); }

int TAdvGrid::TitleFitWidth(int col) const {
  const TFieldData& field = Field(col);
  // The header draws its title 1 pixel inside the cell; one more on each side keeps it off the grid line.
  const int needed = QFontMetrics(CellFont(field.Bold)).horizontalAdvance(ColumnTitle(col)) + 4;
  return std::max(field.Width, needed);
}

QString TAdvGrid::ColumnHint(int col) const { return QString::fromUtf8(_(Field(col).Hint)); }

void TAdvGrid::SetRowCount(int count) {
  count = std::max(count, FixedRows + 1);
  if (count == FRowCount) return;
  BeginUpdate();
  while (static_cast<int>(FRows.size()) < count) {
    QStringList row;
    row.reserve(ColCount());
    for (int c = 0; c < ColCount(); ++c) row << QString();
    FRows.push_back(std::move(row));
  }
  FRowCount = count;
  EndUpdate();
}

// ---- Cells -----------------------------------------------------------------------------------------------------
void TAdvGrid::CheckCell(int col, int row) const {
  if (col < 0 || col >= ColCount() || row < 0 || row >= FRowCount) throw ERangeError();
}

QString TAdvGrid::Cell(int col, int row) const {
  CheckCell(col, row);
  return FRows[static_cast<size_t>(row)][col];
}

void TAdvGrid::SetCell(int col, int row, const QString& text) {
  CheckCell(col, row);
  QString& cell = FRows[static_cast<size_t>(row)][col];
  cell = text;
  // A line break would split the cell in the grid file.
  if (cell.contains(QLatin1Char('\n')) || cell.contains(QLatin1Char('\r'))) {
    cell.replace(QLatin1Char('\r'), QLatin1Char(' '));
    cell.replace(QLatin1Char('\n'), QLatin1Char(' '));
  }
  if (FUpdateDepth == 0) FModel->CellChanged(col, row);
}

namespace {
// The integer of a cell, or 0: optional blanks and sign, then digits only, within 32 bits.
int CellTextToInt(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  std::string_view view(bytes.constData(), static_cast<size_t>(bytes.size()));
  while (!view.empty() && view.front() == ' ') view.remove_prefix(1);
  if (!view.empty() && view.front() == '+') view.remove_prefix(1);
  int value = 0;
  auto [end, ec] = std::from_chars(view.data(), view.data() + view.size(), value);
  if (view.empty() || ec != std::errc() || end != view.data() + view.size()) return 0;
  return value;
}

QString FloatText(double value) {
  if (value == 0) return QStringLiteral("0");
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  if (ec != std::errc()) return QStringLiteral("0");
  return QString::fromLatin1(buffer, static_cast<int>(end - buffer));
}
}  // namespace

int TAdvGrid::GetCellInt(int col, int row) const { return CellTextToInt(Cell(col, row)); }

void TAdvGrid::SetCellInt(int col, int row, int64_t value) { SetCell(col, row, QString::number(value)); }

double TAdvGrid::GetCellFloat(int col, int row) const { return StrToFloat(Cell(col, row).toStdString()); }

void TAdvGrid::SetCellFloat(int col, int row, double value) { SetCell(col, row, FloatText(value)); }

// ---- Columns --------------------------------------------------------------------------------------------------
int TAdvGrid::ColWidth(int col) const {
  Field(col);
  return FWidths[static_cast<size_t>(col)];
}

void TAdvGrid::SetColWidth(int col, int width) {
  Field(col);
  FWidths[static_cast<size_t>(col)] = width < 0 ? -1 : width;
  if (width < 0) {
    setColumnHidden(col, true);
    return;
  }
  setColumnHidden(col, false);
  setColumnWidth(col, width + (showGrid() ? 1 : 0));
}

bool TAdvGrid::IsColumnVisible(int col) const {
  return col >= 0 && col < ColCount() && FWidths[static_cast<size_t>(col)] != -1;
}

void TAdvGrid::SetColumnVisible(int col, bool visible) { SetColWidth(col, visible ? Field(col).Width : -1); }

// ---- Current cell ----------------------------------------------------------------------------------------------
int TAdvGrid::Row() const {
  const QModelIndex index = currentIndex();
  return index.isValid() ? index.row() + FixedRows : FixedRows;
}

int TAdvGrid::Col() const {
  const QModelIndex index = currentIndex();
  return index.isValid() ? index.column() : 0;
}

void TAdvGrid::SelectCell(int col, int row) {
  if (row < FixedRows || row >= FRowCount || col < 0 || col >= ColCount()) return;
  if (FUpdateDepth > 0) return;
  setCurrentIndex(FModel->index(row - FixedRows, col));
}

void TAdvGrid::SelectRow(int row) { SelectCell(Col(), row); }

void TAdvGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  // The whole current row is highlighted, so both the old and the new row need repainting.
  if (previous.isValid()) InvalidateRow(previous.row() + FixedRows);
  if (current.isValid()) InvalidateRow(current.row() + FixedRows);
  FPreviousRow = previous.isValid() ? previous.row() + FixedRows : -1;
  FPreviousCol = previous.isValid() ? previous.column() : -1;
  if (current.isValid()) emit CurrentCellChanged(current.column(), current.row() + FixedRows);
}

// ---- Rows --------------------------------------------------------------------------------------------------------
bool TAdvGrid::IsEmpty() const {
  return FRowCount == FixedRows + 1 && FRows[FixedRows][0].trimmed().isEmpty();
}

void TAdvGrid::BlankRow(int row) {
  CheckCell(0, row);
  for (auto& cell : FRows[static_cast<size_t>(row)]) cell.clear();
  if (FUpdateDepth == 0) InvalidateRow(row);
}

void TAdvGrid::Clear() {
  BeginUpdate();
  FRows.resize(FixedRows + 1);
  for (size_t r = FixedRows; r < FRows.size(); ++r)
    for (auto& cell : FRows[r]) cell.clear();
  FRowCount = FixedRows + 1;
  EndUpdate();
}

int TAdvGrid::AppendRow() {
  if (IsEmpty()) return FixedRows;
  BeginUpdate();
  SetRowCount(FRowCount + 1);
  BlankRow(FRowCount - 1);  // a stored row beyond the old count may still hold text
  EndUpdate();
  return FRowCount - 1;
}

void TAdvGrid::MoveRow(int fromRow, int toRow) {
  CheckCell(0, fromRow);
  CheckCell(0, toRow);
  if (fromRow == toRow) return;
  BeginUpdate();
  QStringList moved = std::move(FRows[static_cast<size_t>(fromRow)]);
  FRows.erase(FRows.begin() + fromRow);
  FRows.insert(FRows.begin() + toRow, std::move(moved));
  EndUpdate();
}

void TAdvGrid::DeleteRow(int row) {
  if (row < FixedRows || row >= FRowCount) return;
  const int current = Row();
  BlankRow(row);
  if (row == current && FRowCount == FixedRows + 1) {
    Clear();
    return;
  }
  // The deleted current row hands the selection to the row below it (or above, when it was the last).
  int next = current;
  if (row == current) {
    if (row == FRowCount - 1) next = row - 1;
  } else if (row < current) {
    next = current - 1;
  }
  const int col = Col();
  BeginUpdate();
  FRows.erase(FRows.begin() + row);  // rows stored beyond the count keep their order
  --FRowCount;
  EndUpdate();
  SelectCell(col, next);
}

void TAdvGrid::BeginUpdate() {
  if (FUpdateDepth++ == 0) {
    FPreviousRow = Row();
    FPreviousCol = Col();
    FModel->BeginReset();
  }
}

void TAdvGrid::EndUpdate() {
  if (FUpdateDepth == 0) return;
  if (--FUpdateDepth > 0) return;
  FModel->EndReset();
  for (int c = 0; c < ColCount(); ++c) setColumnHidden(c, FWidths[static_cast<size_t>(c)] < 0);
  const int row = std::clamp(FPreviousRow, int(FixedRows), FRowCount - 1);
  SelectCell(std::clamp(FPreviousCol, 0, ColCount() - 1), row);
  viewport()->update();
}

// ---- Sorting ------------------------------------------------------------------------------------------------------
void TAdvGrid::SortBy(int col, uint8_t flags, uint8_t kind) {
  FSortColumn = col;
  FSortFlags = flags;
  FSortKind = kind;
  const int selectCol = Col();
  const bool descending = (flags & sfDescending) != 0;
  const bool ascending = !descending && (flags & sfAscending) != 0;
  const int count = FRowCount - FixedRows;
  if (col >= 0 && col < ColCount() && count >= 2 && (descending || ascending)) {
    // One key per row, then a stable sort: the same order as swapping strictly out-of-order neighbours
    // until nothing moves, without the quadratic passes.
    std::vector<int> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), FixedRows);
    auto sortRows = [&](auto key) {
      using TKey = decltype(key(0));
      std::vector<TKey> keys(FRows.size());
      for (int r : order) keys[static_cast<size_t>(r)] = key(r);
      std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return descending ? keys[static_cast<size_t>(b)] < keys[static_cast<size_t>(a)]
                          : keys[static_cast<size_t>(a)] < keys[static_cast<size_t>(b)];
      });
    };
    if (kind == fkInteger) {
      sortRows([&](int r) { return CellTextToInt(FRows[static_cast<size_t>(r)][col]); });
    } else if (kind == fkFloat) {
      // A floating column never holds anything but numbers; should it, the cell counts as 0.
      sortRows([&](int r) {
        try {
          return StrToFloat(FRows[static_cast<size_t>(r)][col].toStdString());
        } catch (const EConvertError&) {
          return 0.0;
        }
      });
    } else {
      sortRows([&](int r) { return FRows[static_cast<size_t>(r)][col].toUtf8(); });  // ordinal byte order
    }
    BeginUpdate();
    std::vector<QStringList> sorted;
    sorted.reserve(order.size());
    for (int r : order) sorted.push_back(std::move(FRows[static_cast<size_t>(r)]));
    std::move(sorted.begin(), sorted.end(), FRows.begin() + FixedRows);
    EndUpdate();
  }
  SelectCell(selectCol, FixedRows);
}

void TAdvGrid::Resort() {
  constexpr int KeyColumn = 2;
  const QString key = ColCount() > KeyColumn ? Cell(KeyColumn, Row()) : QString();
  SortBy(FSortColumn, FSortFlags, FSortKind);
  if (ColCount() <= KeyColumn) return;
  for (int r = FixedRows; r < FRowCount; ++r) {
    if (FRows[static_cast<size_t>(r)][KeyColumn].compare(key, Qt::CaseInsensitive) == 0) {
      SelectRow(r);
      return;
    }
  }
}

uint8_t TAdvGrid::HeaderClickFlags(int col) const {
  const bool descending = FSortColumn < 0 || col != FSortColumn || (FSortFlags & sfAscending) != 0;
  uint8_t flags = FSortFlags & ~uint8_t(sfDescending | sfAscending);
  return flags | (descending ? sfDescending : sfAscending);
}

void TAdvGrid::HeaderClick(int col) {
  if (col < 0 || col >= ColCount()) return;
  HeaderSort(col, HeaderClickFlags(col), Field(col).Kind);
}

void TAdvGrid::HeaderSort(int col, uint8_t flags, uint8_t kind) { SortBy(col, flags, kind); }

// ---- Repainting -----------------------------------------------------------------------------------------------
void TAdvGrid::InvalidateColumn(int col) {
  if (col < 0 || col >= ColCount()) return;
  const int x = columnViewportPosition(col);
  if (x < 0 && isColumnHidden(col)) return;
  viewport()->update(QRect(x, 0, columnWidth(col), viewport()->height()));
  FHeader->viewport()->update();
}

void TAdvGrid::InvalidateRow(int row) {
  if (row < FixedRows) {
    FHeader->viewport()->update();
    return;
  }
  const int y = rowViewportPosition(row - FixedRows);
  if (y < -rowHeight(0)) return;
  viewport()->update(QRect(0, y, viewport()->width(), rowHeight(row - FixedRows)));
}

void TAdvGrid::InvalidateCell(int col, int row) {
  if (row < FixedRows || row >= FRowCount) return;
  update(FModel->index(row - FixedRows, col));
}

// ---- Drawing -----------------------------------------------------------------------------------------------------
void TAdvGrid::DrawCellText(QPainter& painter, const QString& text, const QRect& rect, const QFont& font,
                            const QColor& colour, int alignment) {
  const QRect r = rect.adjusted(1, 1, -1, -1);
  if (r.width() <= 0 || r.height() <= 0) return;
  const QFontMetrics metrics(font);
  const int textWidth = metrics.horizontalAdvance(text);
  const int y = r.top() + (r.height() - metrics.height()) / 2;
  int x = r.left() + 1;
  if (alignment == faRight)
    x = r.left() + r.width() - textWidth - 1;
  else if (alignment == faCenter)
    x = r.left() + (r.width() - textWidth) / 2;
  painter.save();
  painter.setClipRect(r, Qt::IntersectClip);
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(QPoint(x, y + metrics.ascent()), text);
  painter.restore();
}

void TAdvGrid::DrawFractionBar(QPainter& painter, const QRect& rect, const QColor& colour, double value) {
  const double fraction = value - std::trunc(value);
  if (!(fraction > 0)) return;
  const int height = static_cast<int>(RoundHalfEven(fraction * rect.height()));
  if (height <= 0) return;
  painter.fillRect(QRect(rect.left() + rect.width() - 2, rect.top() + rect.height() - height, 2, height), colour);
}

void TAdvGrid::DrawPercentBar(QPainter& painter, double percent, const QRect& rect, const QColor& colour) {
  DrawFractionBar(painter, rect, colour, std::clamp(percent, 0.0, 100.0) / 100.0);
}

void TAdvGrid::DrawVerticalGradient(QPainter& painter, const QRect& rect, const QColor& a, const QColor& b) {
  const int height = rect.height();
  if (height <= 0) return;
  auto channel = [height](int from, int to, int i) {
    return std::clamp(from + static_cast<int>(std::ceil(double(to - from) / height * i)), 0, 255);
  };
  painter.save();
  for (int i = 0; i < height; ++i) {
    painter.setPen(QColor(channel(a.red(), b.red(), i), channel(a.green(), b.green(), i),
                          channel(a.blue(), b.blue(), i)));
    painter.drawLine(rect.left(), rect.top() + i, rect.left() + rect.width() - 1, rect.top() + i);
  }
  painter.restore();
}

QFont TAdvGrid::CellFont(bool bold, bool italic) const {
  QFont result = font();
  result.setBold(bold);
  result.setItalic(italic);
  return result;
}

bool TAdvGrid::IsFocusedCell(int col, int row) const {
  const QModelIndex index = currentIndex();
  return hasFocus() && index.isValid() && index.column() == col && index.row() + FixedRows == row;
}

bool TAdvGrid::DrawCellBackground(QPainter& painter, const QRect& rect, int col, int row, const QColor& background) {
  if (IsFocusedCell(col, row)) {
    painter.fillRect(rect, QColor::fromRgb(GridColors::FocusFill));
    painter.setPen(QColor::fromRgb(GridColors::FocusBorder));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    return true;
  }
  const QModelIndex index = currentIndex();
  const int currentRow = index.isValid() ? index.row() + FixedRows : -1;
  if (row == currentRow)
    DrawVerticalGradient(painter, rect, QColor::fromRgb(GridColors::CurrentRowTop), background);
  else
    painter.fillRect(rect, background);
  return false;
}

void TAdvGrid::PaintCell(QPainter& painter, const QRect& rect, int col, int row) {
  if (col < 0 || col >= ColCount() || row < 0 || row >= FRowCount) return;
  if (!IsColumnVisible(col)) return;
  if (row < FixedRows)
    DrawHeaderCell(painter, col, rect);
  else
    DrawCell(painter, col, row, rect);
}

void TAdvGrid::DrawHeaderCell(QPainter& painter, int col, const QRect& rect) {
  const TFieldData& field = Field(col);
  // The section includes the grid line on its right and bottom edges.
  const QRect cell = rect.adjusted(0, 0, -1, -1);
  DrawVerticalGradient(painter, cell, palette().color(QPalette::Button), QColor::fromRgb(field.Background));
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawLine(rect.right(), rect.top(), rect.right(), rect.bottom());
  painter.drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
  DrawCellText(painter, ColumnTitle(col), cell, CellFont(field.Bold), QColor::fromRgb(field.FontColor),
               field.Alignment);
}

void TAdvGrid::DrawCell(QPainter& painter, int col, int row, const QRect& rect) {
  const TFieldData& field = Field(col);
  const bool focused = DrawCellBackground(painter, rect, col, row, QColor::fromRgb(field.Background));
  const QString& text = FRows[static_cast<size_t>(row)][col];
  if (text.trimmed().isEmpty()) return;
  DrawCellText(painter, text, rect, CellFont(field.Bold),
               focused ? QColor(Qt::black) : QColor::fromRgb(field.FontColor), field.Alignment);
}

// ---- Hints and mouse ------------------------------------------------------------------------------------------
void TAdvGrid::SetHint(const QString& hint) {
  if (hint == FHint) return;
  FHint = hint;
  emit HintChanged(hint);
}

void TAdvGrid::SetEditable(bool editable) {
  FEditable = editable;
  setEditTriggers(editable ? QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                                 QAbstractItemView::SelectedClicked
                           : QAbstractItemView::NoEditTriggers);
}

bool TAdvGrid::CanEditCell(int, int row) const { return FEditable && row >= FixedRows; }

bool TAdvGrid::AcceptCellText(int col, int, QString& text) const {
  if (Field(col).Kind != fkInteger) return true;
  return IsIntegerText(text.toStdString());
}

void TAdvGrid::CellEdited(int, int) {}

void TAdvGrid::CommitEdit(int col, int row, const QString& text) {
  if (col < 0 || col >= ColCount() || row < FixedRows || row >= FRowCount) return;
  QString accepted = text;
  if (!CanEditCell(col, row) || !AcceptCellText(col, row, accepted)) return;
  if (accepted == Cell(col, row)) return;
  SetCell(col, row, accepted);
  // The editor is still being closed here: what follows an edit (recomputing, re-sorting) waits for it.
  QMetaObject::invokeMethod(
      this,
      [this, col, row] {
        if (row < FRowCount) CellEdited(col, row);
      },
      Qt::QueuedConnection);
}

void TAdvGrid::CellMouseMove(int col, int row) {
  emit ColumnPaneChanged(ColumnHint(col));
  emit InfoPaneChanged(row >= FixedRows ? CellInfoText(col, row) : QString());
}

QString TAdvGrid::CellInfoText(int, int) const { return {}; }

void TAdvGrid::CellClick(int, int) {}

void TAdvGrid::DblClick() {}

void TAdvGrid::mouseMoveEvent(QMouseEvent* event) {
  FMousePos = event->position().toPoint();
  FMouseInGrid = true;
  const QModelIndex index = indexAt(FMousePos);
  if (index.isValid()) CellMouseMove(index.column(), index.row() + FixedRows);
  QTableView::mouseMoveEvent(event);
}

void TAdvGrid::mousePressEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  FPressedRow = index.isValid() ? index.row() + FixedRows : -1;
  if (event->button() == Qt::RightButton) {
    // The popup menu acts on the row under the mouse.
    setFocus(Qt::MouseFocusReason);
    if (index.isValid()) SelectRow(index.row() + FixedRows);
    event->accept();
    return;
  }
  QTableView::mousePressEvent(event);
}

void TAdvGrid::mouseReleaseEvent(QMouseEvent* event) {
  QTableView::mouseReleaseEvent(event);
  const QModelIndex index = indexAt(event->position().toPoint());
  if (event->button() != Qt::RightButton && index.isValid() && index.row() + FixedRows == FPressedRow)
    CellClick(index.column(), index.row() + FixedRows);
  FPressedRow = -1;
}

void TAdvGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mouseDoubleClickEvent(event);
  if (event->button() != Qt::RightButton) DblClick();
}

void TAdvGrid::enterEvent(QEnterEvent* event) {
  FMouseInGrid = true;
  QTableView::enterEvent(event);
}

void TAdvGrid::leaveEvent(QEvent* event) {
  FMouseInGrid = false;
  SetHint(QString());
  QTableView::leaveEvent(event);
}

void TAdvGrid::contextMenuEvent(QContextMenuEvent* event) {
  if (FPopupMenu) {
    // The menu's commands act on the focused grid: that must be the one that was right-clicked, also when
    // the click did not move the focus (a window coming back to the front, a grid without click focus).
    if (!hasFocus()) setFocus(Qt::PopupFocusReason);
    FPopupMenu->popup(event->globalPos());
    event->accept();
    return;
  }
  QTableView::contextMenuEvent(event);
}

void TAdvGrid::focusInEvent(QFocusEvent* event) {
  QTableView::focusInEvent(event);
  InvalidateCell(Col(), Row());
}

void TAdvGrid::focusOutEvent(QFocusEvent* event) {
  QTableView::focusOutEvent(event);
  InvalidateCell(Col(), Row());
}

// ---- Grid file --------------------------------------------------------------------------------------------------
std::vector<std::string> TAdvGrid::FieldTitles() const {
  std::vector<std::string> titles;
  titles.reserve(static_cast<size_t>(ColCount()));
  for (int c = 0; c < ColCount(); ++c) titles.emplace_back(Field(c).Title);
  return titles;
}

int64_t TAdvGrid::LayoutChecksum() const { return GridLayoutChecksum(FieldTitles()); }

std::vector<std::vector<std::string>> TAdvGrid::AllRowTexts() const {
  std::vector<std::vector<std::string>> rows(static_cast<size_t>(FRowCount));
  for (int r = 0; r < FRowCount; ++r)
    for (int c = 0; c < ColCount(); ++c) rows[static_cast<size_t>(r)].push_back(FRows[static_cast<size_t>(r)][c].toStdString());
  return rows;
}

void TAdvGrid::ApplyGridFile(const TGridFile& file) {
  std::vector<QStringList> loaded(file.Rows.size());
  for (size_t r = 0; r < file.Rows.size(); ++r) {
    loaded[r].reserve(ColCount());
    for (const std::string& cell : file.Rows[r]) loaded[r] << QString::fromStdString(cell);
  }
  // The stored header row may be in another language: the titles are those of the program's language.
  for (int c = 0; c < ColCount(); ++c) loaded[0][c] = ColumnTitle(c);
  BeginUpdate();
  FRows = std::move(loaded);
  FRowCount = static_cast<int>(FRows.size());
  EndUpdate();
}

void TAdvGrid::SaveToFile(const std::filesystem::path& path) const {
  SaveFileAtomically(path, FormatGridFile(AllRowTexts(), FieldTitles(), false));
}

void TAdvGrid::LoadFromFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return;
  Clear();
  const std::string data = ReadFileText(path);
  // A file that does not fit leaves the grid empty.
  try {
    ApplyGridFile(ReadGridFile(data, FieldTitles(), false, true));
  } catch (const EInOutError&) {
  }
}
