#include "FormMainTestSupport.h"

#include "core/Intl.h"
#include "demo/SampleWorld.h"
#include "ui/FormPreferences.h"
#include "ui/Icons.h"
#include "ui/MatchGrid.h"

#include <QComboBox>
#include <QPixmap>
#include <QTabWidget>

#include <cstdlib>

// Pictures of the main window on a sample world (Players tab, Matches tab with filters set) and of every
// page of the preferences window, when PITCHBOOK_SCREENSHOT_DIR names a folder (for looking at them).
TEST(FormMainScreenshot, PicturesOfTheWindowsOnASampleWorld) {
  const char* folder = std::getenv("PITCHBOOK_SCREENSHOT_DIR");
  if (!folder) GTEST_SKIP() << "PITCHBOOK_SCREENSHOT_DIR not set";
  const std::string out(folder);
  // The user's language (LANG, LANGUAGE) decides the texts, as in the program.
  InitTranslations(std::filesystem::temp_directory_path());
  ResetProgramState();
  TTempFolder home;
  TSampleWorldOptions options;
  options.Seasons = 3;
  TSampleWorldInfo info;
  WriteSampleWorld(home.Path(), options, &info);
  TCapturedMessages messages;
  TFormMain window(home.Path() / "");
  ASSERT_TRUE(window.FormCreate());
  window.show();
  ASSERT_TRUE(WaitUntil([&] { return window.StartupDone(); }));
  QApplication::processEvents();
  ASSERT_TRUE(window.grab().save(QString::fromStdString(out + "/main-players.png")));

  window.Pages().setCurrentIndex(1);
  window.TypeBox(true).setCurrentIndex(3);  // League
  window.FilterBoxChange(true, window.TypeBox(true));
  QComboBox& temp = window.TeamBox(false);
  temp.setCurrentIndex(temp.count() - 1);
  window.TeamBoxChange(false);
  window.ResultBox(false).setCurrentIndex(2);  // Won
  window.FilterBoxChange(false, window.ResultBox(false));
  QApplication::processEvents();
  ASSERT_TRUE(window.grab().save(QString::fromStdString(out + "/main-matches.png")));

  window.ToolButtonClick(iiPreferences);
  TFormPreferences& preferences = window.FormPreferences();
  QApplication::processEvents();
  for (int page = 0; page < preferences.Tabs().count(); ++page) {
    preferences.Tabs().setCurrentIndex(page);
    if (auto* inner = qobject_cast<QTabWidget*>(preferences.Tabs().currentWidget())) {
      for (int sub = 0; sub < inner->count(); ++sub) {
        inner->setCurrentIndex(sub);
        QApplication::processEvents();
        ASSERT_TRUE(preferences.grab().save(
            QString::fromStdString(out + "/preferences-" + std::to_string(page) + "-" + std::to_string(sub) + ".png")));
      }
    } else {
      QApplication::processEvents();
      ASSERT_TRUE(
          preferences.grab().save(QString::fromStdString(out + "/preferences-" + std::to_string(page) + ".png")));
    }
  }
  preferences.CancelClick();
  window.close();
  ResetProgramState();
}
