#include "core/Errors.h"
#include "core/MatchPage.h"
#include "core/TeamMatchFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {
// A downloaded answer: root, FileName and a few children.
void MakeAnswer(pugi::xml_document& doc, const char* fileName, const char* matchID) {
  pugi::xml_node root = doc.append_child("KickvaleData");
  root.append_child("FileName").text().set(fileName);
  root.append_child("MatchID").text().set(matchID);
  root.append_child("MatchType").text().set("1");
}

std::vector<std::string> ChildNames(const pugi::xml_node& node) {
  std::vector<std::string> names;
  for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) names.push_back(c.name());
  return names;
}
}  // namespace

TEST(TeamMatchFile, MatchDataHoldsSeasonRoundAndCopiesInStoredOrder) {
  pugi::xml_document details, own, opponent;
  MakeAnswer(details, "matchDetails.asp", "77");
  MakeAnswer(own, "matchLineup.asp", "77");
  MakeAnswer(opponent, "matchlineup.xml", "77");
  TTeamMatchFile file;
  EXPECT_STREQ(file.Root().name(), "PitchbookTeamData");
  const pugi::xml_node m =
      file.AddMatch("77", 7, 3, details.document_element(), own.document_element(), opponent.document_element());
  EXPECT_STREQ(m.attribute("ID").value(), "77");
  EXPECT_EQ(ChildNames(m), (std::vector<std::string>{"Season", "MatchRound", "matchDetails.asp", "matchLineup.asp",
                                                      "matchlineup.xml"}));
  EXPECT_STREQ(m.child("Season").child_value(), "07");
  EXPECT_STREQ(m.child("MatchRound").child_value(), "03");
  // The copies hold the answers' root children, not the roots.
  EXPECT_EQ(ChildNames(m.child("matchLineup.asp")), (std::vector<std::string>{"FileName", "MatchID", "MatchType"}));
}

TEST(TeamMatchFile, OpponentLineupWithoutUsableFileNameFollowsAsSecondLineup) {
  pugi::xml_document details, own, opponent;
  MakeAnswer(details, "matchDetails.asp", "5");
  MakeAnswer(own, "matchLineup.asp", "5");
  MakeAnswer(opponent, "", "5");
  opponent.document_element().child("MatchType").text().set("4");
  TTeamMatchFile file;
  const pugi::xml_node m =
      file.AddMatch("5", 12, 16, details.document_element(), own.document_element(), opponent.document_element());
  EXPECT_EQ(ChildNames(m), (std::vector<std::string>{"Season", "MatchRound", "matchDetails.asp", "matchLineup.asp",
                                                      "matchLineup.asp"}));
  // Asking by name finds the club's own lineup.
  EXPECT_STREQ(m.child("matchLineup.asp").child("MatchType").child_value(), "1");
}

TEST(TeamMatchFile, AddingAMatchAgainReplacesTheOldElement) {
  pugi::xml_document details, own;
  MakeAnswer(details, "matchDetails.asp", "1");
  MakeAnswer(own, "matchLineup.asp", "1");
  TTeamMatchFile file;
  file.AddMatch("1", 30, 1, details.document_element(), own.document_element());
  file.AddMatch("2", 30, 2, details.document_element(), own.document_element());
  file.AddMatch("1", 30, 9, details.document_element(), own.document_element());
  const auto matches = file.Matches();
  ASSERT_EQ(matches.size(), 2u);
  EXPECT_STREQ(matches[0].attribute("ID").value(), "2");
  EXPECT_STREQ(matches[1].attribute("ID").value(), "1");
  EXPECT_STREQ(file.FindMatch("1").child("MatchRound").child_value(), "09");
  EXPECT_TRUE(file.DeleteMatch("2"));
  EXPECT_FALSE(file.DeleteMatch("2"));
  EXPECT_FALSE(file.FindMatch("2"));
  EXPECT_EQ(file.Matches().size(), 1u);
}

TEST(TeamMatchFile, SavedFileReadsBackAndMissingFileIsCreatedEmpty) {
  TTempFolder folder;
  const auto path = TTeamMatchFile::PathOf(folder.Path(), "4711");
  EXPECT_EQ(path.filename(), "4711.xml");
  TTeamMatchFile file;
  file.Open(path);
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_TRUE(file.Matches().empty());

  pugi::xml_document source;
  ASSERT_TRUE(source.load_file(FixturePath("core/matches/4711.xml").c_str()));
  const pugi::xml_node stored = source.document_element().find_child_by_attribute("MatchData", "ID", "1001");
  file.Root().append_copy(stored);
  file.SaveToFile(path);

  TTeamMatchFile again;
  again.LoadFromFile(path);
  ASSERT_EQ(again.Matches().size(), 1u);
  TMatchPage page;
  page.ReadMatchData(again.FindMatch("1001"));
  EXPECT_EQ(page.HomeTeamName, "FC Kickvale Süd");
  EXPECT_EQ(page.LineupEntry(21).PlayerID, 104);
}

TEST(TeamMatchFile, UnreadableFileRaisesAndKeepsTheLoadedContent) {
  TTempFolder folder;
  WriteWholeFile(folder / "1.xml", "<PitchbookTeamData><MatchData ID=\"1\"></Match");
  TTeamMatchFile file;
  pugi::xml_document details, own;
  MakeAnswer(details, "matchDetails.asp", "9");
  MakeAnswer(own, "matchLineup.asp", "9");
  file.AddMatch("9", 1, 1, details.document_element(), own.document_element());
  EXPECT_THROW(file.LoadFromFile(folder / "1.xml"), EInOutError);
  EXPECT_THROW(file.LoadFromFile(folder / "missing.xml"), EInOutError);
  EXPECT_TRUE(file.FindMatch("9"));
}
