#include "TestSupport.h"

#include "download/TeamTitles.h"

#include <gtest/gtest.h>

namespace {
std::string MatchData(const std::string& id, const std::string& lineup) {
  return "<MatchData ID=\"" + id + "\"><Season>07</Season><MatchRound>03</MatchRound>" + lineup + "</MatchData>";
}

std::string Lineup(const std::string& homeID, const std::string& homeName, const std::string& awayID,
                   const std::string& awayName) {
  return "<matchLineup.asp><HomeTeam><HomeTeamID>" + homeID + "</HomeTeamID><HomeTeamName>" + homeName +
         "</HomeTeamName></HomeTeam><AwayTeam><AwayTeamID>" + awayID + "</AwayTeamID><AwayTeamName>" + awayName +
         "</AwayTeamName></AwayTeam></matchLineup.asp>";
}

std::string MatchFile(const std::string& body) {
  return "<?xml version=\"1.0\" ?>\n<PitchbookTeamData>" + body + "</PitchbookTeamData>\n";
}
}  // namespace

TEST(TeamTitles, EachMatchFileGivesTheNameOfItsClubInTheNewestLineup) {
  TTempFolder folder;
  // The club plays at home in its newest match; its older match (away, under an old name) does not count.
  WriteWholeFile(folder / "100.xml",
                 MatchFile(MatchData("1", Lineup("7", "Other", "100", "Old Name")) +
                           MatchData("2", Lineup("100", "Red Lions", "8", "Blue Birds"))));
  // Away in the newest match; text after the last element is no match.
  WriteWholeFile(folder / "200.xml", MatchFile(MatchData("3", Lineup("9", "Hosts", "200", "Grün & Weiß")) + "\n  "));
  // Newest match without a lineup: left out, although an older one has one.
  WriteWholeFile(folder / "300.xml", MatchFile(MatchData("4", Lineup("300", "Gone", "1", "X")) +
                                               "<MatchData ID=\"5\"><Season>07</Season></MatchData>"));
  WriteWholeFile(folder / "400.xml", "<PitchbookTeamData><MatchData");  // malformed
  WriteWholeFile(folder / "500.xml", MatchFile(""));                     // no match yet
  WriteWholeFile(folder / "600.txt", MatchFile(MatchData("6", Lineup("600", "Text", "1", "X"))));
  WriteWholeFile(folder / "050.XML", MatchFile(MatchData("7", Lineup("1", "Host", "050", "Upper Case"))));

  const std::vector<std::string> expected = {"Upper Case (050)", "Red Lions (100)", "Grün & Weiß (200)"};
  EXPECT_EQ(TeamTitles(folder.Path()), expected);
  EXPECT_TRUE(TeamTitles(folder / "missing").empty());
}

TEST(TeamTitles, TheTeamIDIsTakenFromTheLastParentheses) {
  const struct {
    const char* Title;
    const char* ID;
  } cases[] = {
      {"Red Lions (123456)", "123456"},
      {"Red (Lions) (123456)", "123456"},
      {"Red Lions ( 42 )", "42"},
      {"Red Lions", ""},           // no parentheses: nothing to delete or load
      {"Red Lions (123456", ""},   // not closed
      {"", ""},
      {"Red Lions 77)", "Red Lions 77"},  // no "(": everything before the ")"
  };
  for (const auto& c : cases) EXPECT_EQ(TeamIDOfTitle(c.Title), c.ID) << c.Title;
}
