// "Export as CSV..." of the player and match grids: the visible columns under their (translated) titles,
// the rows as the grid shows them, "." decimals under a German locale, and a failed save reported.
#include "CsvReader.h"
#include "FormMainTestSupport.h"

#include "core/Intl.h"
#include "core/PlayerList.h"
#include "demo/SampleWorld.h"
#include "ui/GridCsvExport.h"
#include "ui/MatchGrid.h"
#include "ui/PlayerGrid.h"

#include <QMenu>

#include <cstdlib>

namespace {
// The export through the menu command, the save dialog answered with `file`.
TCsvRows Export(const TAdvGrid& grid, const std::filesystem::path& file, const std::filesystem::path& written) {
  SetCsvFileChooser([&file](const QString&) { return QString::fromStdString(file.string()); });
  ExportGridAsCsv(grid, nullptr);
  SetCsvFileChooser({});
  return std::filesystem::exists(written) ? ReadCsv(ReadWholeFile(written)) : TCsvRows{};
}

std::vector<std::string> VisibleTitles(const TAdvGrid& grid) {
  std::vector<std::string> titles;
  for (int c = 0; c < grid.ColCount(); ++c)
    if (grid.IsColumnVisible(c)) titles.push_back(grid.ColumnTitle(c).toStdString());
  return titles;
}

bool HasAction(QMenu* menu, const QString& text) {
  if (!menu) return false;
  for (QAction* action : menu->actions())
    if (action->text() == text) return true;
  return false;
}
}  // namespace

TEST(GridCsvExport, ThePlayerGridsRowsAndVisibleColumnsUnderAGermanLocale) {
  TTempFolder folder;
  TSampleWorldOptions options;
  options.Seasons = 1;
  TSampleWorldInfo info;
  WriteSampleWorld(folder.Path(), options, &info);
  TGermanTexts german;
  ASSERT_TRUE(german.Available) << PB_GERMAN_MISSING;
  TPlayerList squad(wDisabled, false, false);
  squad.LoadFromPlayersFile(folder / "History" / info.Snapshots.back().FileName);
  TPlayerGrid grid;
  grid.LoadPlayers(squad);
  grid.SetColumnVisible(3, false);
  TCapturedMessages messages;

  // A name without an extension gets ".csv".
  const TCsvRows rows = Export(grid, folder / "squad", folder / "squad.csv");
  EXPECT_TRUE(messages.Texts.isEmpty()) << messages.Texts.join("|").toStdString();
  ASSERT_EQ(rows.size(), size_t(grid.RowCount()));
  EXPECT_EQ(rows[0], VisibleTitles(grid));
  // The titles as the grid shows them: German here.
  std::vector<std::string> english;
  for (int c = 0; c < grid.ColCount(); ++c)
    if (grid.IsColumnVisible(c)) english.push_back(grid.Field(c).Title);
  EXPECT_NE(rows[0], english);
  bool decimals = false;
  for (int r = 1; r < grid.RowCount(); ++r) {
    std::vector<std::string> cells;
    for (int c = 0; c < grid.ColCount(); ++c)
      if (grid.IsColumnVisible(c)) cells.push_back(grid.Cell(c, r).trimmed().toStdString());
    EXPECT_EQ(rows[r], cells) << r;
    for (const std::string& cell : cells) decimals = decimals || cell.find('.') != std::string::npos;
  }
  EXPECT_TRUE(decimals) << "the ratings keep their decimal point";

  // A folder that does not exist: an error box, no file, nothing left behind.
  const std::filesystem::path missing = folder / "missing" / "squad.csv";
  EXPECT_TRUE(Export(grid, missing, missing).empty());
  EXPECT_EQ(messages.Texts.size(), 1);
  EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

TEST(GridCsvExport, TheMatchGridExportsTheRowsTheFilterShows) {
  TTempFolder folder;
  WriteWholeFile(folder / "4711.xml", ReadWholeFile(FixturePath("core/matches/4711.xml")));
  TMatchGrid grid;
  grid.SetMatchesFolder(folder.Path());
  grid.LoadTeam("4711");
  grid.SetColumnVisible(mcMatchID, true);
  grid.SetColumnVisible(mcCrowd, false);
  ASSERT_TRUE(HasAction(grid.PopupMenu(), QString::fromUtf8(_(ExportCsvCaption))));
  struct TCase {
    int TypeIndex;
    std::vector<std::string> IDs;
  };
  const TCase cases[] = {{0, {"1001", "1002", "1003", "1004"}}, {3, {"1001", "1003", "1004"}}, {4, {}}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.TypeIndex);
    grid.ApplyFilter(c.TypeIndex, 0, 0);
    grid.SortMatches(mcMatchID, sfAscending, fkInteger);
    const TCsvRows rows = Export(grid, folder / "m.csv", folder / "m.csv");
    ASSERT_EQ(rows.size(), c.IDs.size() + 1);
    EXPECT_EQ(rows[0], VisibleTitles(grid));
    const auto id = std::find(rows[0].begin(), rows[0].end(), grid.ColumnTitle(mcMatchID).toStdString());
    ASSERT_NE(id, rows[0].end());
    for (size_t i = 0; i < c.IDs.size(); ++i) {
      EXPECT_EQ(rows[i + 1][id - rows[0].begin()], c.IDs[i]);
      // The name without the character that marks the club's side.
      EXPECT_EQ(rows[i + 1][0], grid.Cell(mcMatchName, int(i) + 1).trimmed().mid(1).toStdString());
    }
  }
}

// The player grid's popup with the new entry, for looking at it (PITCHBOOK_SCREENSHOT_DIR).
TEST(GridCsvExport, PictureOfThePopupMenus) {
  const char* out = std::getenv("PITCHBOOK_SCREENSHOT_DIR");
  if (!out) GTEST_SKIP() << "PITCHBOOK_SCREENSHOT_DIR not set";
  InitTranslations(std::filesystem::temp_directory_path());
  ResetProgramState();
  TTempFolder home;
  TSampleWorldOptions options;
  options.Seasons = 1;
  WriteSampleWorld(home.Path(), options, nullptr);
  TCapturedMessages messages;
  TFormMain window(home.Path() / "");
  ASSERT_TRUE(window.FormCreate());
  window.resize(1100, 700);
  window.show();
  ASSERT_TRUE(WaitUntil([&] { return window.StartupDone(); }));
  TPlayerGrid& grid = window.MainPlayerGrid();
  grid.setFocus();
  grid.SelectRow(3);
  QApplication::processEvents();
  QMenu* popup = grid.PopupMenu();
  ASSERT_TRUE(HasAction(popup, QString::fromUtf8(_(ExportCsvCaption))));
  popup->popup(grid.mapToGlobal(QPoint(200, 80)));
  QApplication::processEvents();
  ASSERT_TRUE(popup->grab().save(QString(out) + "/player-grid-popup.png"));
  ASSERT_TRUE(window.grab().save(QString(out) + "/main-window.png"));
  popup->close();
  window.Pages().setCurrentIndex(1);
  QApplication::processEvents();
  QMenu* matches = window.findChild<TMatchGrid*>()->PopupMenu();
  matches->popup(window.mapToGlobal(QPoint(300, 200)));
  QApplication::processEvents();
  ASSERT_TRUE(matches->grab().save(QString(out) + "/match-grid-popup.png"));
  matches->close();
  window.close();
  ResetProgramState();
}
