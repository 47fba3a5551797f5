#include "ui/MatchGrid.h"

#include "data/GridFile.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"
#include "ui/GridCsvExport.h"
#include "ui/MatchGridImages.h"
#include "ui/Messages.h"

#include <QMenu>
#include <QPainter>

#include <algorithm>

using namespace GridColors;

// Widths are those of the program's compact grid font; the main window widens columns to fill the window.
const std::array<TFieldData, MatchColumnCount> MatchFields{{
    {N_("Match"), N_("Match name"), "MatchName", "", fkText, faLeft, 180, Black, true, GreenGrey},
    {N_("Week"), N_("Season/Week"), "SeasonWeek", "", fkInteger, faCenter, 40, Black, true, GreenGrey},
    {N_("ID"), N_("Match ID"), "MatchID", "MatchID", fkInteger, faCenter, 60, Black, false, GreenGrey},
    {N_("H"), N_("Home score"), "HomeScore", "", fkInteger, faCenter, 25, Black, false, White},
    {N_("A"), N_("Away score"), "AwayScore", "", fkInteger, faCenter, 25, Black, false, White},
    {N_("Str"), N_("Stars"), "Stars", "", fkFloat, faCenter, 25, Black, false, White},
    {N_("Typ"), N_("Type"), "MatchType", "MatchType", fkInteger, faCenter, 25, Black, false, White},
    {N_("Fmn"), N_("Formation"), "Formation", "", fkInteger, faCenter, 25, Black, false, White},
    {N_("Atd"), N_("Attitude"), "Attitude", "", fkInteger, faCenter, 35, Black, false, White},
    {N_("Wtr"), N_("Weather"), "Weather", "WeatherID", fkInteger, faCenter, 25, Black, false, White},
    {N_("Xp"), N_("Experience"), "Experience", "ExperienceLevel", fkInteger, faCenter, 25, Black, false, White},
    {N_("Crw"), N_("Crowd"), "Crowd", "SoldTotal", fkInteger, faRight, 50, Black, false, White},
    {N_("Tc"), N_("Tactic"), "Tactic", "TacticType", fkInteger, faCenter, 30, Black, false, White},
    {N_("TcS"), N_("Tactic skill"), "TacticSkill", "TacticSkill", fkInteger, faCenter, 25, Black, false, White},
    {N_("Mid"), N_("Midfield"), "Midfield", "RatingMidfield", fkInteger, faCenter, 30, Black, true, Cream},
    {N_("RDef"), N_("Right defence"), "RightDefence", "RatingRightDef", fkInteger, faCenter, 30, Black, true, Cream},
    {N_("CDef"), N_("Central defence"), "CentralDefence", "RatingMidDef", fkInteger, faCenter, 30, Black, true,
     Cream},
    {N_("LDef"), N_("Left defence"), "LeftDefence", "RatingLeftDef", fkInteger, faCenter, 30, Black, true, Cream},
    {N_("RAtt"), N_("Right attack"), "RightAttack", "RatingRightAtt", fkInteger, faCenter, 30, Black, true, Cream},
    {N_("CAtt"), N_("Central attack"), "CentralAttack", "RatingMidAtt", fkInteger, faCenter, 30, Black, true, Cream},
    {N_("LAtt"), N_("Left attack"), "LeftAttack", "RatingLeftAtt", fkInteger, faCenter, 30, Black, true, Cream},
    {N_("KcSt"), N_("KickStats rating"), "KickStats", "", fkInteger, faCenter, 30, Blue, true, Cream},
    {N_("Pbk"), N_("Pitchbook rating"), "Value", "", fkInteger, faCenter, 30, Blue, true, Cream},
}};

namespace {
// The engine's view of one grid row.
class TGridMatchRow : public TMatchRow {
public:
  TGridMatchRow(const TAdvGrid& grid, int row) : FGrid(grid), FRow(row) {}
  std::string Cell(int column) const override { return FGrid.Cell(column, FRow).toStdString(); }

private:
  const TAdvGrid& FGrid;
  int FRow;
};

QString Q(const std::string& text) { return QString::fromStdString(text); }

QColor Rgb(uint32_t rgb) { return QColor::fromRgb(0xFF000000u | rgb); }

void DrawCentred(QPainter& painter, const QRect& rect, const QPixmap& pixmap) {
  if (pixmap.isNull()) return;
  const QSize size = pixmap.deviceIndependentSize().toSize();
  const QPoint topLeft(rect.left() + (rect.width() - size.width()) / 2,
                       rect.top() + (rect.height() - size.height()) / 2);
  painter.save();
  painter.setClipRect(rect, Qt::IntersectClip);
  painter.drawPixmap(topLeft, pixmap);
  painter.restore();
}
}  // namespace

TMatchGrid::TMatchGrid(QWidget* parent) : TAdvGrid(MatchFields, parent) {
  SetEditable(false);
  auto* popup = new QMenu(this);
  popup->addAction(QString::fromUtf8(_(ExportCsvCaption)), this, [this] { ExportGridAsCsv(*this, this); });
  SetPopupMenu(popup);
  ApplyColumnVisibility();
}

TMatchGrid::~TMatchGrid() = default;

void TMatchGrid::ApplyColumnVisibility() {
  for (int c = 0; c < ColCount(); ++c) SetColumnVisible(c, Preferences().GetMatchColumn(c));
}

// ---- Filling ------------------------------------------------------------------------------------------------------

void TMatchGrid::ResetHiddenRows() {
  FHiddenRows = 0;
  FFullRowCount = RowCount();
}

void TMatchGrid::Clear() {
  TAdvGrid::Clear();
  ResetHiddenRows();
}

void TMatchGrid::LoadTeam(const std::string& teamID) {
  FTeamID = teamID;
  const std::filesystem::path path = TTeamMatchFile::PathOf(FMatchesFolder, teamID);
  std::error_code error;
  if (std::filesystem::exists(path, error)) {
    LoadMatchFile(path);
    return;
  }
  // The rows of the team shown before must not stay under this team's name: the grid file would store
  // them as this team's matches.
  Clear();
}

void TMatchGrid::LoadMatchFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return;
  BeginUpdate();
  auto finish = [this] {
    ResetHiddenRows();
    EndUpdate();
    SortMatches(SortColumn(), SortFlags(), SortKind());
  };
  try {
    Clear();
    OpenMatchDocument(path);
    const pugi::xml_node first = FMatchDocument.Root().child(TTeamMatchFile::MatchDataName);
    for (pugi::xml_node match = first; match; match = match.next_sibling()) {
      if (match.type() != pugi::node_element) continue;
      // The row is added only once the match has been read, so that a failing match leaves no blank row.
      const TMatchRowTexts texts = BuildMatchRow(match, FTeamID);
      const int row = AppendRow();
      for (int c = 0; c < ColCount(); ++c) SetCell(c, row, Q(texts[static_cast<size_t>(c)]));
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TMatchGrid::FillRow(const pugi::xml_node& matchData, int row) {
  const TMatchRowTexts texts = BuildMatchRow(matchData, FTeamID);
  for (int c = 0; c < ColCount(); ++c) SetCell(c, row, Q(texts[static_cast<size_t>(c)]));
}

TMatchRowTexts TMatchGrid::RowTexts(int row) const {
  TMatchRowTexts texts;
  for (int c = 0; c < ColCount(); ++c) texts[static_cast<size_t>(c)] = Cell(c, row).toStdString();
  return texts;
}

// ---- Filters and rows ---------------------------------------------------------------------------------------------

void TMatchGrid::ApplyFilter(int typeIndex, int resultIndex, int weatherIndex) {
  const TMatchFilter filter{typeIndex, resultIndex, weatherIndex};
  BeginUpdate();
  if (FHiddenRows > 0) SetRowCount(FFullRowCount);
  FHiddenRows = 0;
  // Hidden rows go to the end in their own order, so that clearing the filter gives the rows back as they
  // were (the sort that follows only reorders the visible ones).
  const int count = RowCount() - FixedRows;
  const int last = RowCount() - 1;
  int row = FixedRows;
  for (int i = 0; i < count; ++i) {
    if (MatchRowHidden(filter, TGridMatchRow(*this, row))) {
      MoveRow(row, last);
      ++FHiddenRows;
    } else {
      ++row;
    }
  }
  FFullRowCount = RowCount();
  SetRowCount(std::max(RowCount() - FHiddenRows, FixedRows + 1));
  EndUpdate();
  SortMatches(SortColumn(), SortFlags(), SortKind());
}

bool TMatchGrid::IsMatchRow(int row) const {
  return row >= FixedRows && row < RowCount() && RowCount() + FHiddenRows == FFullRowCount;
}

int TMatchGrid::GetResult(int row) const { return MatchResult(TGridMatchRow(*this, row)); }

void TMatchGrid::SelectNextRow() {
  const int row = Row();
  SelectRow(row + 1 >= RowCount() ? FixedRows : row + 1);
}

void TMatchGrid::SelectPreviousRow() {
  const int row = Row();
  SelectRow(row - 1 < FixedRows ? RowCount() - 1 : row - 1);
}

void TMatchGrid::DeleteRow(int row) {
  // The empty-looking row of a grid whose rows are all hidden is no match: it must not take a hidden one
  // with it.
  if (!IsMatchRow(row)) return;
  if (FHiddenRows == 0) {
    TAdvGrid::DeleteRow(row);
    ResetHiddenRows();
    return;
  }
  const int visible = RowCount();
  BeginUpdate();
  SetRowCount(FFullRowCount);
  TAdvGrid::DeleteRow(row);
  FFullRowCount = RowCount();
  SetRowCount(std::max(visible - 1, FixedRows + 1));
  EndUpdate();
}

// ---- Grid file ----------------------------------------------------------------------------------------------------

void TMatchGrid::SaveToFile(const std::filesystem::path& path) {
  std::vector<std::vector<std::string>> rows;
  if (FHiddenRows > 0) {
    // Every row goes into the file; the view keeps its filter.
    const int visible = RowCount();
    BeginUpdate();
    SetRowCount(FFullRowCount);
    rows = AllRowTexts();
    SetRowCount(visible);
    EndUpdate();
  } else {
    rows = AllRowTexts();
  }
  SaveFileAtomically(path, FormatGridFile(rows, FieldTitles(), true, TextChecksum(FTeamID)));
}

void TMatchGrid::LoadFromFile(const std::string& teamID, const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return;
  Clear();
  const std::string data = ReadFileText(path);
  // A file that does not fit, or belongs to another team, leaves the grid empty.
  TGridFile file;
  try {
    file = ReadGridFile(data, FieldTitles(), true, false);
  } catch (const EInOutError&) {
    return;
  }
  if (file.TeamChecksum != TextChecksum(teamID)) return;
  FTeamID = teamID;
  ApplyGridFile(file);
  ResetHiddenRows();
}

// ---- The match document -------------------------------------------------------------------------------------------

bool TMatchGrid::OpenMatchDocument(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return false;
  // A download or Delete Match changes the file while the grid keeps it open: read it again then.
  const auto time = std::filesystem::last_write_time(path, error);
  const auto size = std::filesystem::file_size(path, error);
  if (path == FMatchDocumentPath && time == FMatchDocumentTime && size == FMatchDocumentSize) return true;
  FMatchDocumentPath.clear();
  FMatchDocument.LoadFromFile(path);
  FMatchDocumentPath = path;
  FMatchDocumentTime = time;
  FMatchDocumentSize = size;
  return true;
}

void TMatchGrid::OpenCurrentMatch() {
  const int row = Row();
  if (!IsMatchRow(row)) return;
  const std::string matchID = Trim(Cell(mcMatchID, row).toStdString());
  if (matchID.empty() || FTeamID.empty()) return;
  const TSeasonRound when = SplitSeasonWeek(Trim(Cell(mcSeasonWeek, row).toStdString()));
  try {
    if (!OpenMatchDocument(TTeamMatchFile::PathOf(FMatchesFolder, FTeamID))) return;
  } catch (const EPitchbookError& e) {
    ShowErrorMessage(this, Q(e.what()));
    return;
  }
  // The newest copy of a match is the last one.
  for (pugi::xml_node match = FMatchDocument.Root().last_child(); match; match = match.previous_sibling()) {
    if (matchID == match.attribute("ID").value()) {
      emit PlayerRatingsRequested(match, Q(when.Season), Q(when.Round));
      return;
    }
  }
}

void TMatchGrid::DblClick() {
  if (MouseInGrid() && !indexAt(LastMousePos()).isValid()) return;
  OpenCurrentMatch();
}

// ---- Painting and hints -------------------------------------------------------------------------------------------

void TMatchGrid::DrawFormation(QPainter& painter, const QRect& rect, int64_t code, bool selected) const {
  const std::vector<TFormationSquare> squares = FormationSquares(code);
  if (squares.empty()) return;
  const int g = std::max(1, (rect.height() + 1) / 9);
  const int top = rect.top() + ((rect.height() + 1) - 9 * g) / 2;
  // The lines are centred on the pitch's middle (x = 7), which is centred in the cell: the column is
  // narrower than the widest formation and may be wider once the window fits its columns.
  const int left = rect.left() + (rect.width() - 13 * g) / 2;
  painter.save();
  painter.setClipRect(rect, Qt::IntersectClip);
  painter.setBrush(Qt::NoBrush);
  for (const TFormationSquare& square : squares) {
    const QColor colour = square.Extra ? (selected ? QColor(0, 255, 255) : QColor(255, 0, 0)) : QColor(Qt::black);
    painter.setPen(colour);
    // A pen of one pixel outlines the g x g square inside it.
    painter.drawRect(QRect(left + (square.X - 1) * g, top + (square.Y - 1) * g, g - 1, g - 1));
  }
  painter.restore();
}

void TMatchGrid::DrawCell(QPainter& painter, int col, int row, const QRect& rect) {
  const TFieldData& field = Field(col);
  const bool focused = DrawCellBackground(painter, rect, col, row, QColor::fromRgb(field.Background));
  if (!IsMatchRow(row)) return;
  const TMatchCellView view = MatchCellView(col, TGridMatchRow(*this, row));
  const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
  switch (view.Content) {
    case TMatchCellContent::None:
      return;
    case TMatchCellContent::TypeImage:
      DrawCentred(painter, rect, MatchTypePixmap(static_cast<int>(view.Value), ratio));
      return;
    case TMatchCellContent::WeatherImage:
      DrawCentred(painter, rect, WeatherPixmap(static_cast<int>(view.Value), ratio));
      return;
    case TMatchCellContent::Formation:
      DrawFormation(painter, rect, view.Value, focused);
      return;
    case TMatchCellContent::Text:
      break;
  }
  QColor colour = QColor::fromRgb(field.FontColor);
  if (view.Colour) colour = Rgb(*view.Colour);
  if (focused) colour = Qt::black;
  DrawCellText(painter, Q(view.Text), rect, CellFont(field.Bold || view.Bold), colour, field.Alignment);
  if (view.Percent >= 0) DrawPercentBar(painter, view.Percent, rect, Rgb(view.BarColour));
}

QString TMatchGrid::CellInfoText(int col, int row) const {
  if (!IsMatchRow(row)) return {};
  return Q(MatchCellInfo(col, TGridMatchRow(*this, row)));
}

void TMatchGrid::CellClick(int col, int row) {
  if (!IsMatchRow(row)) return;
  if (const auto hint = MatchCellClickHint(col, TGridMatchRow(*this, row))) SetHint(Q(*hint));
}

void TMatchGrid::HeaderSort(int col, uint8_t flags, uint8_t kind) { SortMatches(col, flags, kind); }
