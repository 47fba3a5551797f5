#include "core/ReleaseNotes.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {
const char* const TwoReleases =
    "# comment\n"
    "\n"
    "Version 0.2.0 (2027-01-15)\r\n"
    "  - second\r\n"
    "    continued\r\n"
    "\r\n"
    "  - after a blank line\r\n"
    "\n"
    "Version 0.1.0 (2026-12-09)\n"
    "  - first\n";
}  // namespace

TEST(ReleaseNotes, EntriesKeepTheirNotesWithoutTheIndent) {
  const auto notes = TReleaseNotes::Parse(TwoReleases);
  ASSERT_EQ(notes.Releases().size(), 2u);
  EXPECT_EQ(notes.Releases()[0].Version, "0.2.0");
  EXPECT_EQ(notes.Releases()[0].Date, "2027-01-15");
  EXPECT_EQ(notes.Releases()[0].Notes, "- second\n  continued\n\n- after a blank line");
  EXPECT_EQ(notes.Releases()[1].Notes, "- first");
  ASSERT_NE(notes.Find("0.1"), nullptr);
  EXPECT_EQ(notes.Find("0.1")->Version, "0.1.0");
  EXPECT_EQ(notes.Find("0.3.0"), nullptr);
  EXPECT_EQ(notes.Find("garbage"), nullptr);
}

TEST(ReleaseNotes, MalformedTextsNameTheLine) {
  struct TCase {
    const char* Text;
    const char* Message;
  };
  const TCase cases[] = {
      {"", "no release entry"},
      {"# only a comment\n\n", "no release entry"},
      {"  - a note first\n", "line 1: a note before the first \"Version\" line"},
      {"Version 0.1.0 (2026-12-09)\n  - a\nfree text\n", "line 3: expected \"Version X.Y.Z (yyyy-mm-dd)\" or an indented note"},
      {"Version 0.1.0\n  - a\n", "line 1: expected \"Version X.Y.Z (yyyy-mm-dd)\""},
      {"Version 0.1.0 2026-12-09\n  - a\n", "line 1: expected \"Version X.Y.Z (yyyy-mm-dd)\""},
      {"Version 0.1.x (2026-12-09)\n  - a\n", "line 1: not a version number"},
      {"Version 0.1.0 (2026-1-09)\n  - a\n", "line 1: expected \"Version X.Y.Z (yyyy-mm-dd)\""},
      {"Version 0.1.0 (2026/12/09)\n  - a\n", "line 1: not a date of the form yyyy-mm-dd"},
      {"Version 0.1.0 (2026-12-09)\n\nVersion 0.0.9 (2026-11-01)\n  - a\n", "line 3: a release without notes"},
      {"Version 0.1.0 (2026-12-09)\n  - a\nVersion 0.1 (2026-12-10)\n  - b\n",
       "line 3: this version has an entry already"},
      {"Version 0.1.0 (2026-12-09)\n", "line 1: a release without notes"},
  };
  for (const auto& c : cases) {
    try {
      TReleaseNotes::Parse(c.Text);
      ADD_FAILURE() << "accepted: " << c.Text;
    } catch (const EReleaseNotesError& e) {
      EXPECT_EQ(std::string(e.what()), c.Message) << c.Text;
    }
  }
}

TEST(ReleaseNotes, WhatsNewExplainsAMissingMalformedOrIncompleteFileInsteadOfFailing) {
  TTempFolder folder;
  const auto good = folder / "good";
  const auto bad = folder / "bad";
  WriteWholeFile(good, TwoReleases);
  WriteWholeFile(bad, "Version 0.1.0 (2026-12-09)\nno indent\n");

  // The first existing candidate wins; a missing one before it is skipped.
  TWhatsNew news = WhatsNewFor("0.2.0", {folder / "missing", good, bad});
  EXPECT_TRUE(news.Found);
  EXPECT_EQ(news.Heading, "Version 0.2.0 (2027-01-15)");
  EXPECT_EQ(news.File, good);
  EXPECT_EQ(news.Text.substr(0, 8), "- second");

  news = WhatsNewFor("0.2.0", {bad, good});
  EXPECT_FALSE(news.Found);
  EXPECT_EQ(news.Text, "The release notes in " + bad.string() +
                           " could not be read: line 2: expected \"Version X.Y.Z (yyyy-mm-dd)\" or an indented note");

  news = WhatsNewFor("0.3.0", {good});
  EXPECT_FALSE(news.Found);
  EXPECT_EQ(news.Text, "The release notes in " + good.string() + " hold no entry for version 0.3.0.");

  news = WhatsNewFor("0.2.0", {folder / "missing", folder / "also-missing"});
  EXPECT_FALSE(news.Found);
  EXPECT_TRUE(news.File.empty());
  EXPECT_EQ(news.Text, "The release notes (NEWS) were not found. Looked for:\n" + (folder / "missing").string() +
                           "\n" + (folder / "also-missing").string());

  // A folder in the place of the file, and a file that is far too large for release notes.
  std::filesystem::create_directory(folder / "dir");
  EXPECT_FALSE(WhatsNewFor("0.2.0", {folder / "dir"}).Found);
  WriteWholeFile(folder / "huge", std::string("Version 0.2.0 (2027-01-15)\n") + std::string(2 << 20, ' ') + "\n");
  news = WhatsNewFor("0.2.0", {folder / "huge"});
  EXPECT_FALSE(news.Found);
  EXPECT_NE(news.Text.find("too large"), std::string::npos) << news.Text;
}

TEST(ReleaseNotes, TheShippedNewsHoldsTheRunningVersion) {
  const auto candidates = ReleaseNotesCandidates();
  ASSERT_FALSE(candidates.empty());
  // The build tree has no installed copy, so the source tree's file is the one found.
  const TWhatsNew news = WhatsNewFor(PITCHBOOK_VERSION, candidates);
  EXPECT_TRUE(news.Found) << news.Text;
  EXPECT_EQ(news.File.filename(), "NEWS");
  EXPECT_FALSE(news.Text.empty());
}
