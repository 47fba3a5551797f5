#pragma once
// "Export as CSV..." of the player and match grids' popup menus: the rows as the grid shows them (its
// order, a filter's hidden rows left out) and its visible columns under their titles, as comma-separated
// text (core/Csv.h), saved atomically.
#include <QString>

#include <filesystem>
#include <functional>
#include <string>

class QWidget;
class TAdvGrid;

// The grid as CSV text: a header row of the visible columns' titles, then one row per data row (none for an
// empty grid). A match grid's match names go without their side marker.
std::string GridCsvText(const TAdvGrid& grid);

// Writes GridCsvText to the file atomically; EInOutError when it cannot be written (the old file stays).
void SaveGridCsv(const TAdvGrid& grid, const std::filesystem::path& path);

// The menu command: asks for the file (".csv" added to a name without extension), saves, and reports a
// failure in an error box.
void ExportGridAsCsv(const TAdvGrid& grid, QWidget* parent);

// Tests answer the save dialog through this chooser (suggested file -> chosen file, empty to cancel); an
// empty function restores the dialog.
void SetCsvFileChooser(std::function<QString(const QString& suggested)> chooser);

// The popup menu's text, untranslated.
extern const char* const ExportCsvCaption;
