#include "ui/GridCsvExport.h"

#include "core/Csv.h"
#include "core/Intl.h"
#include "core/Utils.h"
#include "ui/AdvGrid.h"
#include "ui/MatchGrid.h"
#include "ui/Messages.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include <exception>

const char* const ExportCsvCaption = N_("Export as CSV...");

namespace {
std::function<QString(const QString&)>& Chooser() {
  static std::function<QString(const QString&)> chooser;
  return chooser;
}

// The folder the last export went to, offered again for the next one.
QString& LastFolder() {
  static QString folder;
  return folder;
}
}  // namespace

void SetCsvFileChooser(std::function<QString(const QString& suggested)> chooser) { Chooser() = std::move(chooser); }

std::string GridCsvText(const TAdvGrid& grid) {
  const auto* matchGrid = dynamic_cast<const TMatchGrid*>(&grid);
  TCsvWriter csv;
  for (int c = 0; c < grid.ColCount(); ++c)
    if (grid.IsColumnVisible(c)) csv.Text(grid.ColumnTitle(c).toStdString());
  csv.EndRow();
  if (grid.IsEmpty()) return csv.Result();
  for (int row = TAdvGrid::FixedRows; row < grid.RowCount(); ++row) {
    if (matchGrid && !matchGrid->IsMatchRow(row)) continue;
    const TMatchRowTexts texts = matchGrid ? matchGrid->RowTexts(row) : TMatchRowTexts{};
    for (int c = 0; c < grid.ColCount(); ++c) {
      if (!grid.IsColumnVisible(c)) continue;
      // The stored values, which carry "." decimals whatever the locale; only the match name drops the
      // character that marks the club's side.
      csv.Text(matchGrid ? MatchCellExportText(c, TMatchRowArray(texts)) : Trim(grid.Cell(c, row).toStdString()));
    }
    csv.EndRow();
  }
  return csv.Result();
}

void SaveGridCsv(const TAdvGrid& grid, const std::filesystem::path& path) { SaveFileAtomically(path, GridCsvText(grid)); }

void ExportGridAsCsv(const TAdvGrid& grid, QWidget* parent) {
  const QString folder = LastFolder().isEmpty() ? QDir::homePath() : LastFolder();
  const QString suggested = QDir(folder).filePath(QString::fromUtf8(_("Grid")) + QStringLiteral(".csv"));
  QString name = Chooser() ? Chooser()(suggested)
                           : QFileDialog::getSaveFileName(parent, QString::fromUtf8(_("Export as CSV")), suggested,
                                                          QString::fromUtf8(_("CSV files")) + QStringLiteral(" (*.csv)"));
  if (name.isEmpty()) return;
  // A name typed without a dot gets the filter's extension.
  if (!QFileInfo(name).fileName().contains(QLatin1Char('.'))) name += QStringLiteral(".csv");
  try {
    SaveGridCsv(grid, std::filesystem::path(name.toStdString()));
    LastFolder() = QFileInfo(name).absolutePath();
  } catch (const std::exception& e) {
    ShowErrorMessage(parent, QString::fromUtf8(e.what()));
  }
}
