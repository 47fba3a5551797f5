// The Help menu's windows (About, What's New) and the update offer in the main window's start-up pane.
#include "FormMainTestSupport.h"

#include "core/Credits.h"
#include "core/ReleaseNotes.h"
#include "data/Startup.h"
#include "demo/GameServer.h"
#include "ui/FormAbout.h"
#include "ui/FormWhatsNew.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QUrl>

#include <cstdlib>

namespace {

// Takes the web pages the program asks the system to open, so that no browser starts.
class TUrlCatcher : public QObject {
  Q_OBJECT

public:
  TUrlCatcher() {
    QDesktopServices::setUrlHandler("http", this, "Open");
    QDesktopServices::setUrlHandler("https", this, "Open");
  }
  ~TUrlCatcher() override {
    QDesktopServices::unsetUrlHandler("http");
    QDesktopServices::unsetUrlHandler("https");
  }
  QStringList Opened;

public slots:
  void Open(const QUrl& url) { Opened << url.toString(); }
};

void SaveShot(QWidget& window, const char* name) {
  const char* folder = std::getenv("PITCHBOOK_SCREENSHOT_DIR");
  if (!folder) return;
  window.show();
  QApplication::processEvents();
  window.grab().save(QString::fromLocal8Bit(folder) + "/" + name);
}

bool ClosesOnEscape(QDialog& window) {
  window.show();
  QApplication::processEvents();
  QTest::keyClick(&window, Qt::Key_Escape);
  return !window.isVisible();
}

QStringList HelpEntries(TFormMain& main) {
  QStringList entries;
  for (QAction* menu : main.menuBar()->actions())
    if (menu->menu() && menu->text().remove('&') == "Help")
      for (QAction* entry : menu->menu()->actions())
        if (!entry->isSeparator()) entries << entry->text();
  return entries;
}

QAction* HelpEntry(TFormMain& main, const QString& text) {
  for (QAction* menu : main.menuBar()->actions())
    if (menu->menu())
      for (QAction* entry : menu->menu()->actions())
        if (entry->text() == text) return entry;
  return nullptr;
}

}  // namespace

TEST(FormAbout, ShowsVersionLicenceEveryLibraryAndTheProgramFolder) {
  TTempFolder home;
  TFormAbout about(home.Path());
  EXPECT_EQ(about.windowTitle(), "About Pitchbook");
  EXPECT_EQ(about.LabelVersion().text(), "Version " PITCHBOOK_VERSION);
  EXPECT_EQ(about.LabelLicence().text(), "Licence: MIT License");
  EXPECT_EQ(about.LabelFolder().text().toStdString(), home.Path().string());
  const auto& credits = LibraryCredits();
  ASSERT_EQ(about.Libraries().rowCount(), static_cast<int>(credits.size()));
  const std::vector<std::pair<std::string, std::string>> expected{
      {"Qt 6", "LGPL-3.0"},       {"pugixml", "MIT"},
      {"libcurl", "curl"},        {"cpp-httplib", "MIT"},
      {"CLI11", "BSD-3-Clause"},  {"nlohmann/json", "MIT"},
      {"GNU gettext / libintl", "LGPL-2.1-or-later"}, {"Flag icons", "MIT"}};
  for (int row = 0; row < about.Libraries().rowCount(); ++row) {
    EXPECT_EQ(about.Libraries().item(row, 0)->text().toStdString(), expected[static_cast<size_t>(row)].first);
    EXPECT_EQ(about.Libraries().item(row, 1)->text().toStdString(), expected[static_cast<size_t>(row)].second);
    EXPECT_FALSE(about.Libraries().item(row, 2)->text().isEmpty());
  }
  SaveShot(about, "FormAbout-en.png");
  // Every row fits without scrolling.
  EXPECT_FALSE(about.Libraries().verticalScrollBar()->isVisible());
  EXPECT_TRUE(ClosesOnEscape(about));
}

TEST(FormWhatsNew, ShowsTheRunningVersionsNotesOrWhyThereAreNone) {
  TFormWhatsNew shipped(ReleaseNotesCandidates());
  EXPECT_EQ(shipped.windowTitle(), "What's New");
  EXPECT_TRUE(shipped.LabelHeading().text().startsWith("Pitchbook Version " PITCHBOOK_VERSION " ("))
      << shipped.LabelHeading().text().toStdString();
  EXPECT_TRUE(shipped.Notes().toPlainText().contains("- ")) << shipped.Notes().toPlainText().toStdString();
  SaveShot(shipped, "FormWhatsNew-en.png");
  EXPECT_TRUE(ClosesOnEscape(shipped));

  // The file is read at every opening: a broken file shows why, a mended one its notes.
  TTempFolder folder;
  const auto news = folder / "NEWS";
  WriteWholeFile(news, "Version 0.1.0 (2026-12-09)\nnot indented\n");
  TFormWhatsNew window({news}, "0.1.0");
  EXPECT_EQ(window.LabelHeading().text(), "Pitchbook Version 0.1.0");
  EXPECT_TRUE(window.Notes().toPlainText().contains("could not be read: line 2:"))
      << window.Notes().toPlainText().toStdString();
  WriteWholeFile(news, "Version 0.1.0 (2026-12-09)\n  - mended\n");
  window.Reload();
  EXPECT_EQ(window.LabelHeading().text(), "Pitchbook Version 0.1.0 (2026-12-09)");
  EXPECT_EQ(window.Notes().toPlainText(), "- mended");
  std::filesystem::remove(news);
  window.Reload();
  EXPECT_TRUE(window.Notes().toPlainText().startsWith("The release notes (NEWS) were not found."));
}

TEST(PeripheryWindows, GermanTexts) {
  TGermanTexts german;
  ASSERT_TRUE(german.Available) << PB_GERMAN_MISSING;
  TTempFolder home;
  TFormAbout about(home.Path());
  EXPECT_EQ(about.windowTitle(), "Über Pitchbook");
  EXPECT_EQ(about.LabelLicence().text(), "Lizenz: MIT License");
  EXPECT_EQ(about.Libraries().horizontalHeaderItem(0)->text(), "Bibliothek");
  EXPECT_EQ(about.Libraries().item(6, 2)->text(), "Übersetzungen");
  SaveShot(about, "FormAbout-de.png");
  TFormWhatsNew news(ReleaseNotesCandidates());
  EXPECT_EQ(news.windowTitle(), "Neuigkeiten");
  SaveShot(news, "FormWhatsNew-de.png");
  TFormWhatsNew missing({home / "NEWS"}, "0.1.0");
  EXPECT_TRUE(missing.Notes().toPlainText().startsWith("Die Versionshinweise (NEWS) wurden nicht gefunden."))
      << missing.Notes().toPlainText().toStdString();
}

TEST_F(TFormMainTest, TheHelpMenuOffersWhatsNewAndAboutButNoDedicationOrDonation) {
  EXPECT_EQ(HelpEntries(*Window), (QStringList{"&What's New...", "&About..."}));
  QAction* whatsNew = HelpEntry(*Window, "&What's New...");
  ASSERT_NE(whatsNew, nullptr);
  EXPECT_TRUE(whatsNew->isEnabled());
  whatsNew->trigger();
  auto* news = Window->findChild<TFormWhatsNew*>();
  ASSERT_NE(news, nullptr);
  EXPECT_TRUE(news->isVisible());
  // A second click shows the same window again.
  news->hide();
  whatsNew->trigger();
  EXPECT_EQ(Window->findChildren<TFormWhatsNew*>().size(), 1);
  EXPECT_TRUE(news->isVisible());
  HelpEntry(*Window, "&About...")->trigger();
  auto* about = Window->findChild<TFormAbout*>();
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->isVisible());
  EXPECT_EQ(about->LabelFolder().text().toStdString(), Window->ProgramFolder().string());
  EXPECT_TRUE(Messages.Texts.isEmpty());
}

namespace {
class TStartupUpdateOffer : public ::testing::Test {
protected:
  void SetUp() override {
    ResetProgramState();
    unsetenv("PITCHBOOK_UPDATE_URL");
    Server.Start();
  }
  void TearDown() override { ResetProgramState(); }

  // Runs a main window's start-up with the address and waits until the check has had its chance.
  void RunStartup(const std::string& address, const std::function<void(TFormMain&)>& check) {
    TFormMain window(Home.Path() / "");
    ASSERT_TRUE(window.FormCreate());
    Preferences().UpdateCheckURL = address;
    window.show();
    ASSERT_TRUE(WaitUntil([&] { return window.StartupDone(); }));
    ASSERT_TRUE(WaitUntil([&] { return window.Startup()->Finished(); }, 20000));
    QApplication::processEvents();
    check(window);
    window.close();
  }

  TTempFolder Home;
  TCapturedMessages Messages;
  TGameServer Server{nullptr};
};
}  // namespace

TEST_F(TStartupUpdateOffer, ANewerVersionIsOfferedAndItsPageOpensOnlyOnTheUsersClick) {
  TUrlCatcher urls;
  Server.SetLatestVersion("9.1.0");
  RunStartup(Server.LatestVersionURL(), [&](TFormMain& window) {
    QLabel& pane = window.StartupPane();
    EXPECT_TRUE(pane.isVisible());
    EXPECT_TRUE(pane.text().contains("Version 9.1.0 is available")) << pane.text().toStdString();
    EXPECT_TRUE(urls.Opened.isEmpty());
    EXPECT_TRUE(pane.toolTip().endsWith(QString::fromStdString(Server.Address() + TGameServer::DownloadPagePath)));
    // The offer fits the pane.
    EXPECT_LE(pane.sizeHint().width(), pane.width()) << pane.text().toStdString();
    SaveShot(window, "StartupUpdateOffer-en.png");
    emit pane.linkActivated("http://elsewhere.example/");
    EXPECT_EQ(urls.Opened, QStringList{QString::fromStdString(Server.Address() + TGameServer::DownloadPagePath)});
  });
  EXPECT_EQ(Server.RequestCount(TGameServer::LatestVersionKey), 1);
  EXPECT_TRUE(Messages.Texts.isEmpty());
}

TEST_F(TStartupUpdateOffer, TheOfferInGerman) {
  TGermanTexts german;
  ASSERT_TRUE(german.Available) << PB_GERMAN_MISSING;
  Server.SetLatestVersion("10.10.10");
  RunStartup(Server.LatestVersionURL(), [&](TFormMain& window) {
    QLabel& pane = window.StartupPane();
    EXPECT_TRUE(pane.text().contains("Version 10.10.10 ist verfügbar")) << pane.text().toStdString();
    EXPECT_TRUE(pane.toolTip().startsWith("Downloadseite öffnen"));
    EXPECT_LE(pane.sizeHint().width(), pane.width());
    SaveShot(window, "StartupUpdateOffer-de.png");
  });
}

TEST_F(TStartupUpdateOffer, TheSameVersionAFailureOrNoAddressLeaveThePaneHiddenAndNoBox) {
  Server.SetLatestVersion(PITCHBOOK_VERSION);
  RunStartup(Server.LatestVersionURL(), [](TFormMain& window) { EXPECT_FALSE(window.StartupPane().isVisible()); });
  Server.SetLatestAnswer("garbage");
  RunStartup(Server.LatestVersionURL(), [](TFormMain& window) { EXPECT_FALSE(window.StartupPane().isVisible()); });
  EXPECT_EQ(Server.TotalRequests(), 2);
  Server.SetLatestVersion("9.1.0");
  RunStartup("", [](TFormMain& window) { EXPECT_FALSE(window.StartupPane().isVisible()); });
  EXPECT_EQ(Server.TotalRequests(), 2);
  EXPECT_TRUE(Messages.Texts.isEmpty()) << Messages.Texts.join("|").toStdString();
}

#include "PeripheryWindowsTest.moc"
