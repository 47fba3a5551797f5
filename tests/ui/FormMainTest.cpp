#include "TestSupport.h"

#include "core/DateTime.h"
#include "core/Utils.h"
#include "data/Preferences.h"
#include "ui/FormMain.h"
#include "ui/Messages.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

namespace {
struct TCapturedMessages {
  QStringList Texts;
  TCapturedMessages() {
    SetMessageSink([this](const QString& text) { Texts << text; });
  }
  ~TCapturedMessages() { SetMessageSink({}); }
};
}  // namespace

TEST(FormMain, FirstStartCreatesTheDataFoldersAndSavesPreferencesAtClose) {
  TTempFolder home;
  TCapturedMessages messages;
  {
    TFormMain window(home.Path() / "");
    ASSERT_TRUE(window.FormCreate());
    EXPECT_EQ(window.windowTitle(), "Pitchbook");
    for (const char* folder : {"History", "Work", "History/Obsolete", "History/Matches"})
      EXPECT_TRUE(std::filesystem::is_directory(home / folder)) << folder;
    window.show();
    window.close();
  }
  EXPECT_TRUE(messages.Texts.isEmpty());
  EXPECT_TRUE(std::filesystem::exists(home / "Preferences.xml"));
}

TEST(FormMain, AFolderThatCannotBeCreatedStopsTheStartWithAMessage) {
  TTempFolder home;
  WriteWholeFile(home / "History", "a file where the history folder belongs");
  TCapturedMessages messages;
  TFormMain window(home.Path() / "");
  EXPECT_FALSE(window.FormCreate());
  ASSERT_EQ(messages.Texts.size(), 1);
  EXPECT_TRUE(messages.Texts[0].contains("History")) << messages.Texts[0].toStdString();
}

TEST(FormMain, ABrokenPreferencesFileIsReportedAndTheDefaultsUsed) {
  TTempFolder home;
  WriteWholeFile(home / "Preferences.xml", "<PitchbookPreferences><Misc><CurrencyIndex>x</CurrencyIndex>");
  TCapturedMessages messages;
  TFormMain window(home.Path() / "");
  ASSERT_TRUE(window.FormCreate());
  ASSERT_EQ(messages.Texts.size(), 1);
  EXPECT_TRUE(messages.Texts[0].startsWith("Invalid preferences file."));
  EXPECT_EQ(Preferences().CurrencyIndex, 93);
}

TEST(FormMain, NumbersKeepTheDecimalPointUnderAGermanUserLocale) {
  // The German locale must exist, or this test would prove nothing (the set-up script creates it).
  const char* previous = std::setlocale(LC_ALL, nullptr);
  std::string saved = previous ? previous : "C";
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "locale de_DE.UTF-8 is missing";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
  EXPECT_STREQ(buffer, "1,5");  // the user's locale is really German here
  ApplyProgramFormatSettings();  // what the program does right after QApplication
  std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
  EXPECT_STREQ(buffer, "1.5");
  EXPECT_EQ(FormatFloat(1234.5, 2), "1234.50");
  EXPECT_DOUBLE_EQ(StrToFloat("2.25"), 2.25);
  std::setlocale(LC_ALL, saved.c_str());
}
