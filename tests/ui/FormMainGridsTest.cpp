// The main window around its grids: column widths shared by both player grids, the popup menu's grid, the
// tool buttons that follow their windows, the Tactics Advisor's window order, the filter drop-downs and the
// player ratings window's grid.
#include "FormMainTestSupport.h"

#include "ui/AdvGrid.h"
#include "ui/PlayerGrid.h"

#include <QFontMetrics>
#include <QScrollBar>

#include <cstdlib>
#include <memory>

// Both player grids fit their columns to the same room (a scroll bar counted whether shown or not), so the
// columns line up; a title longer than its column's default width (a translation) widens the column.
TEST(FormMainColumns, BothPlayerGridsLineUpAndEveryTitleFits) {
  for (bool german : {false, true}) {
    SCOPED_TRACE(german ? "German" : "English");
    std::unique_ptr<TGermanTexts> texts;
    if (german) {
      texts = std::make_unique<TGermanTexts>();
      ASSERT_TRUE(texts->Available) << PB_GERMAN_MISSING;
    }
    TTempFolder home;
    ResetProgramState();
    TCapturedMessages messages;
    TFormMain window(home.Path() / "");
    ASSERT_TRUE(window.FormCreate());
    window.show();
    // Wider than the columns need, so that the fitting spreads the room over them.
    window.resize(1600, 700);
    TPlayerGrid& main = window.MainPlayerGrid();
    TPlayerGrid& temp = window.TempPlayerGrid();
    // The main grid gets more rows than it shows; the temporary one a single row.
    for (int i = 0; i < 60; ++i) main.AddPlayer(*MakeTestPlayer("Player " + std::to_string(i), 1000 + i));
    temp.AddPlayer(*MakeTestPlayer("Only", 5000));
    ASSERT_TRUE(WaitUntil([&] { return main.verticalScrollBar()->isVisible(); }, 2000));
    QApplication::processEvents();
    ASSERT_FALSE(temp.verticalScrollBar()->isVisible());
    ASSERT_GT(main.ColWidth(0), main.Field(0).Width);
    for (int c = 0; c < main.ColCount(); ++c) {
      EXPECT_EQ(main.ColWidth(c), temp.ColWidth(c)) << main.ColumnTitle(c).toStdString();
      if (!main.IsColumnVisible(c)) continue;
      const TFieldData& field = main.Field(c);
      EXPECT_GE(main.ColWidth(c), QFontMetrics(main.CellFont(field.Bold)).horizontalAdvance(main.ColumnTitle(c)) + 2)
          << main.ColumnTitle(c).toStdString();
    }
    if (german) {
      EXPECT_EQ(main.ColumnTitle(paAge), "Alter");
    }
    if (const char* folder = std::getenv("PITCHBOOK_SCREENSHOT_DIR"))
      window.grab().save(QString("%1/main-columns-%2.png").arg(folder).arg(german ? "de" : "en"));
    window.hide();
    ResetProgramState();
  }
}
