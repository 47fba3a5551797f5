// The main window around its grids: column widths shared by both player grids, the popup menu's grid, the
// tool buttons that follow their windows, the Tactics Advisor's window order, the filter drop-downs and the
// player ratings window's grid.
#include "FormMainTestSupport.h"

#include "data/HistoryPage.h"
#include "ui/AdvGrid.h"
#include "ui/FormHistory.h"
#include "ui/FormHistoryGraphs.h"
#include "ui/HistoryWindowsWiring.h"
#include "ui/Icons.h"
#include "ui/PlayerGrid.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QMouseEvent>
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

namespace {
QAction* FindAction(QMenu& menu, const QString& text) {
  for (QAction* action : menu.actions()) {
    if (action->text() == text) return action;
    if (action->menu())
      if (QAction* found = FindAction(*action->menu(), text)) return found;
  }
  return nullptr;
}

void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}
}  // namespace

// The popup menu acts on the grid that was right-clicked, whichever grid had the focus before and also while
// another window is the active one (the history graphs just closed, say).
TEST_F(TFormMainTest, ThePlayerPopupActsOnTheRightClickedGrid) {
  TPlayerGrid& main = Window->MainPlayerGrid();
  TPlayerGrid& temp = Window->TempPlayerGrid();
  Window->show();
  QWidget other;
  const struct {
    bool FocusOnMain;
    bool OtherWindowActive;
    bool ClickMain;
  } cases[] = {
      {true, false, true},  {true, false, false}, {false, false, true}, {false, false, false},
      {true, true, true},   {true, true, false},  {false, true, true},  {false, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "focus on " << (c.FocusOnMain ? "main" : "temp") << ", other window "
                                    << c.OtherWindowActive << ", click on " << (c.ClickMain ? "main" : "temp"));
    main.Clear();
    temp.Clear();
    AddTestPlayers(main, {"Adam", "Bert"});
    AddTestPlayers(temp, {"Carl"}, 2000);
    Window->activateWindow();
    (c.FocusOnMain ? main : temp).setFocus();
    Settle();
    if (c.OtherWindowActive) {
      other.show();
      other.activateWindow();
      Settle();
    }
    TPlayerGrid& clicked = c.ClickMain ? main : temp;
    TPlayerGrid& target = c.ClickMain ? temp : main;
    const QPoint at(20, 5);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, clicked.viewport()->mapToGlobal(at));
    QApplication::sendEvent(clicked.viewport(), &event);
    QMenu& popup = *clicked.PopupMenu();
    Settle();
    QAction* add = FindAction(popup, c.ClickMain ? "&Add to Temp Grid" : "&Add to Main Grid");
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(FindAction(popup, "Player &Information")->isVisible(), c.ClickMain);
    const QStringList before = GridNames(target);
    const QString player = clicked.Cell(0, clicked.Row());
    add->trigger();
    popup.close();
    // The target grid keeps its sort order: the player is added, wherever he goes.
    const QStringList after = GridNames(target);
    EXPECT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(after.count(player), before.count(player) + 1) << player.toStdString();
    other.hide();
  }
  Window->hide();
}

// The Player Information button is down exactly while its window is shown: it springs back when no window
// opens (no snapshot, or the mouse over the grid but not on a cell).
TEST_F(TFormMainTest, ThePlayerInformationButtonFollowsItsWindow) {
  TFormHistory history(History(), Window.get());
  TFormHistoryGraphs graphs(History(), Window.get());
  ConnectHistoryWindows(*Window, history, graphs);
  TPlayerGrid& main = Window->MainPlayerGrid();
  AddTestPlayers(main, {"Adam", "Bert"}, 1);
  Window->show();
  Settle();
  QAction& button = *Window->ButtonAction(TFormMain::cmPlayerInformation);
  Window->SetCommandEnabled(TFormMain::cmHistory, true);
  Window->SetCommandEnabled(TFormMain::cmPlayerInformation, true);
  const struct {
    const char* Case;
    bool Snapshot;
    bool MouseOffTheCells;
    bool Opens;
  } cases[] = {
      {"no snapshot", false, false, false},
      {"mouse below the rows", true, true, false},
      {"snapshot, current cell", true, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Case);
    History().Clear();
    if (c.Snapshot) {
      auto page = std::make_unique<THistoryPage>();
      page->World.Season = 30;
      page->World.MatchRound = 3;
      page->World.FetchedDate = "2020-01-03";
      page->Players.Add(MakeTestPlayer("Adam", 1));
      History().Add(std::move(page));
    }
    // Where the mouse was last seen over the grid: on a cell, or in the empty room below the rows.
    const QPoint at = c.MouseOffTheCells ? QPoint(20, main.viewport()->height() - 3) : QPoint(20, 5);
    QMouseEvent move(QEvent::MouseMove, at, main.viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(main.viewport(), &move);
    ASSERT_EQ(main.MouseInGrid(), true);
    button.trigger();
    Settle();
    EXPECT_EQ(graphs.isVisible(), c.Opens);
    EXPECT_EQ(button.isChecked(), c.Opens);
    graphs.close();
    Settle();
    EXPECT_FALSE(button.isChecked());
  }
  History().Clear();
  Window->hide();
}

// The match filter boxes' drop-down shows its title item (the current one) readably: the highlighted row's
// text stands out from its background.
TEST_F(TFormMainTest, TheFilterDropDownShowsTheCurrentTitleItemReadably) {
  Window->show();
  Window->Pages().setCurrentIndex(1);
  Settle();
  for (bool main : {true, false})
    for (QComboBox* box : {&Window->TypeBox(main), &Window->ResultBox(main), &Window->WeatherBox(main)}) {
      SCOPED_TRACE(testing::Message() << (main ? "main " : "temp ") << box->itemText(0).toStdString());
      box->setCurrentIndex(0);
      box->showPopup();
      Settle();
      QAbstractItemView& view = *box->view();
      const QRect item = view.visualRect(view.model()->index(0, 0));
      const QImage image = view.viewport()->grab(item).toImage();
      box->hidePopup();
      if (const char* folder = std::getenv("PITCHBOOK_SCREENSHOT_DIR"))
        view.window()->grab().save(QString("%1/filter-%2-%3.png").arg(folder).arg(main ? "main" : "temp").arg(box->itemText(0)));
      // The background is the colour of the row's corners; text pixels differ clearly in lightness.
      const int background = qGray(image.pixel(1, 1));
      int text = 0;
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) text += std::abs(qGray(image.pixel(x, y)) - background) > 100;
      EXPECT_GT(text, 10) << "row background grey " << background;
    }
  Window->hide();
}
