// The live match model: what one answer changes in a tab, and what an event text may put on the screen.
#include "core/DateTime.h"
#include "core/Errors.h"
#include "TestSupport.h"
#include "download/MatchPages.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <string>
#include <vector>

// Readable failures: the piece's text and format.
void PrintTo(const TDisplayElement& e, std::ostream* os) {
  *os << LiveColourName(e.Colour) << (e.Bold ? " bold" : "") << " \"" << e.Text << "\"";
}

namespace {

struct TEv {
  std::string Minute, Object, Key, Text;
};

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else if (c == '&') out += "&amp;";
    else out += c;
  }
  return out;
}

// One live answer with one match "7" (Home vs Away) and the given events.
std::string Answer(const std::string& action, const std::string& fetched, const std::string& start,
                   const std::string& homeGoals, const std::string& awayGoals, const std::vector<TEv>& events,
                   const std::string& matchID = "7") {
  std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<KickvaleData>";
  if (!action.empty()) xml += "<ActionType>" + action + "</ActionType>";
  xml += "<FetchedDate>" + fetched + "</FetchedDate><MatchList><Match><MatchID>" + matchID + "</MatchID>";
  xml += "<MatchDate>" + start + "</MatchDate>";
  xml += "<HomeTeam><HomeTeamName>Home</HomeTeamName><HomeTeamID>1</HomeTeamID></HomeTeam>";
  xml += "<AwayTeam><AwayTeamName>Away</AwayTeamName><AwayTeamID>2</AwayTeamID></AwayTeam>";
  xml += "<HomeGoals>" + homeGoals + "</HomeGoals><AwayGoals>" + awayGoals + "</AwayGoals><EventList>";
  for (const TEv& e : events)
    xml += "<Event><Minute>" + e.Minute + "</Minute><ObjectPlayerID>" + e.Object + "</ObjectPlayerID><EventKey>" +
           e.Key + "</EventKey><EventText>" + Escape(e.Text) + "</EventText></Event>";
  xml += "</EventList></Match></MatchList></KickvaleData>";
  return xml;
}

const TEv Kickoff{"0", "12345", "31_0", "Kick-off in front of 12&nbsp;345."};

// The commentary without the line break every new tab starts with.
std::vector<TDisplayElement> Written(const TMatch& tab) {
  return std::vector<TDisplayElement>(tab.Commentary.begin() + 1, tab.Commentary.end());
}

TDisplayElement Black(std::string t) { return {std::move(t), TLiveColour::Black, false}; }
TDisplayElement Green(std::string t) { return {std::move(t), TLiveColour::Green, true}; }
TDisplayElement Blue(std::string t) { return {std::move(t), TLiveColour::Blue, true}; }

TEST(LiveMatch, MatchNotYetStartedGetsNoOutput) {
  TMatchPages pages;
  TMatch& tab = *pages.AddMatch("7");
  pages.ApplyLiveAnswer(Answer("viewAll", "2026-12-09 14:59:00", "2026-12-09 15:00:00", "0", "0", {Kickoff}));
  EXPECT_TRUE(Written(tab).empty());
  EXPECT_EQ(tab.Caption, "");
  EXPECT_EQ(tab.MinuteText, "--");
  EXPECT_EQ(tab.AttendanceText, "");
}

TEST(LiveMatch, FirstEventWithoutMinuteStopsThePass) {
  TMatchPages pages;
  TMatch& tab = *pages.AddMatch("7");
  pages.ApplyLiveAnswer(
      Answer("viewAll", "2026-12-09 15:10:00", "2026-12-09 15:00:00", "1", "0", {{"", "12345", "31_0", "x"}}));
  EXPECT_TRUE(Written(tab).empty());
  EXPECT_EQ(tab.AttendanceText, "");
  EXPECT_EQ(tab.WeatherText, "");
  EXPECT_EQ(tab.Caption, "");
}

TEST(LiveMatch, ViewAllWritesEachMinuteOnceWithOneHeader) {
  TMatchPages pages;
  TMatch& tab = *pages.AddMatch("7");
  const std::vector<TEv> first{Kickoff, {"3", "5", "100_1", "Chance."}};
  pages.ApplyLiveAnswer(Answer("viewAll", "2026-12-09 15:05:00", "2026-12-09 15:00:00", "0", "0", first));
  EXPECT_EQ(tab.AttendanceText, "12 345");
  EXPECT_EQ(tab.WeatherText, "Overcast");
  EXPECT_EQ(tab.Caption, "Home (0) vs (0) Away");
  EXPECT_EQ(tab.ScoreText, "0:0");
  EXPECT_EQ(tab.MinuteText, "5th");
  const std::vector<TDisplayElement> once{Black("Kick-off in front of 12 345."), Black("\r\n"),
                                          Blue("\r\n\r\n3rd minute:\r\n"), Black("Chance."), Black("\r\n")};
  EXPECT_EQ(Written(tab), once);

  // The same answer again writes nothing.
  pages.ApplyLiveAnswer(Answer("viewAll", "2026-12-09 15:06:00", "2026-12-09 15:00:00", "0", "0", first));
  EXPECT_EQ(Written(tab), once);

  // A new minute: one blue header, then all of its events.
  std::vector<TEv> second = first;
  second.push_back({"22", "9", "101_1", "Goal!"});
  second.push_back({"22", "9", "102_1", "Still 22."});
  pages.ApplyLiveAnswer(Answer("viewAll", "2026-12-09 15:23:00", "2026-12-09 15:00:00", "1", "0", second));
  std::vector<TDisplayElement> expected = once;
  for (const auto& e : {Blue("\r\n\r\n22nd minute:\r\n"), Black("Goal!"), Black("\r\n"), Black("Still 22."),
                        Black("\r\n")})
    expected.push_back(e);
  EXPECT_EQ(Written(tab), expected);
  EXPECT_EQ(tab.Caption, "Home (1) vs (0) Away");
  EXPECT_FALSE(pages.GoalFlag) << "a viewAll answer never rings";
}

TEST(LiveMatch, ViewNewKeepsASecondEventOfTheLastMinute) {
  TMatchPages pages;
  TMatch& tab = *pages.AddMatch("7");
  pages.ApplyLiveAnswer(Answer("viewAll", "2026-12-09 15:13:00", "2026-12-09 15:00:00", "0", "0",
                               {Kickoff, {"12", "5", "100_1", "First."}}));
  pages.ApplyLiveAnswer(
      Answer("viewNew", "2026-12-09 15:14:00", "", "0", "0", {{"12", "5", "100_1", "Second."}}));
  const auto written = Written(tab);
  ASSERT_GE(written.size(), 2u);
  EXPECT_EQ(written[written.size() - 2], Black("Second."));
  EXPECT_EQ(tab.MinuteText, "14th");
}

TEST(LiveMatch, MinuteTextSkipsTheBreak) {
  const auto start = ParseDateTime("2026-12-09 15:00:00");
  const struct {
    int Minutes;
    const char* Text;
  } cases[] = {{-1, "--"}, {1, "1st"},   {2, "2nd"},   {3, "3rd"},   {11, "11th"}, {21, "21st"},
               {45, "45th"}, {46, "45th"}, {60, "45th"}, {61, "46th"}, {75, "60th"}, {105, "90th"}};
  for (const auto& c : cases)
    EXPECT_EQ(LiveMinuteText(start, start + std::chrono::minutes(c.Minutes), false), c.Text) << c.Minutes;
  EXPECT_EQ(LiveMinuteText(start, start + std::chrono::minutes(30), true), "End");
}

TEST(LiveMatch, GoalSoundFollowsTheSwitchesAndOnlyViewNew) {
  const struct {
    const char* Action;
    bool HomeScores, AwayScores;
    const char *Home, *Away;
    bool Goal;
  } cases[] = {
      {"viewNew", true, true, "1", "0", true},   {"viewNew", false, true, "1", "0", false},
      {"viewNew", false, true, "0", "1", true},  {"viewNew", true, false, "0", "1", false},
      {"viewNew", true, true, "0", "0", false},  {"viewAll", true, true, "1", "1", false},
      {"", true, true, "1", "1", false},  // no ActionType: read as viewAll
  };
  for (const auto& c : cases) {
    TMatchPages pages;
    pages.HomeScoresDefault = c.HomeScores;
    pages.AwayScoresDefault = c.AwayScores;
    pages.AddMatch("7");
    pages.ApplyLiveAnswer(Answer("viewAll", "2026-12-09 15:10:00", "2026-12-09 15:00:00", "0", "0", {Kickoff}));
    pages.ApplyLiveAnswer(Answer(c.Action, "2026-12-09 15:11:00", "2026-12-09 15:00:00", c.Home, c.Away,
                                 {{"11", "4", "100_1", "Shot."}}));
    EXPECT_EQ(pages.GoalFlag, c.Goal) << c.Action << " " << c.HomeScores << c.AwayScores << " " << c.Home << ":"
                                      << c.Away;
  }
}

TEST(LiveMatch, EventSixHundredEndsTheMatchAndLaterAnswersChangeNothing) {
  TMatchPages pages;
  TMatch& tab = *pages.AddMatch("7");
  EXPECT_TRUE(pages.ApplyLiveAnswer(
      Answer("viewAll", "2026-12-09 15:50:00", "2026-12-09 15:00:00", "2", "1", {Kickoff})));
  EXPECT_FALSE(pages.ApplyLiveAnswer(Answer("viewNew", "2026-12-09 16:50:00", "", "2", "1",
                                            {{"90", "0", "599_0", "The end."}})));
  EXPECT_TRUE(tab.Ended);
  EXPECT_EQ(tab.MinuteText, "End");
  const size_t written = tab.Commentary.size();
  pages.ApplyLiveAnswer(Answer("viewNew", "2026-12-09 16:51:00", "", "3", "1", {{"91", "0", "100", "Late."}}));
  EXPECT_EQ(tab.Commentary.size(), written);
  EXPECT_EQ(tab.Caption, "Home (2) vs (1) Away");
}

TEST(LiveMatch, MalformedAnswersAreRejectedAndChangeNothing) {
  const std::string good = Answer("viewAll", "2026-12-09 15:10:00", "2026-12-09 15:00:00", "0", "0", {Kickoff});
  const std::string cases[] = {
      "",
      "not xml at all",
      good.substr(0, good.size() / 2),
      Answer("viewAll", "yesterday", "2026-12-09 15:00:00", "0", "0", {Kickoff}),
      Answer("viewAll", "2026-12-09 15:10:00", "2026-12-09 15:00", "0", "0", {Kickoff}),
      Answer("viewAll", "2026-12-09 15:10:00", "2026-12-09 15:00:00", "one", "0", {Kickoff}),
      Answer("viewAll", "2026-12-09 15:10:00", "2026-12-09 15:00:00", "0", "0", {{"4x", "1", "31", "a"}}),
      Answer("viewAll", "2026-12-09 15:10:00", "2026-12-09 15:00:00", "0", "0", {{"4", "lots", "31", "a"}}),
      Answer("viewAll", "2026-12-09 15:10:00", "2026-12-09 15:00:00", "0", "0", {{"4", "1", "x_31", "a"}}),
  };
  for (const std::string& bytes : cases) {
    TMatchPages pages;
    TMatch& tab = *pages.AddMatch("7");
    EXPECT_THROW(pages.ApplyLiveAnswer(bytes), EPitchbookError) << bytes;
    EXPECT_EQ(tab.Commentary.size(), 1u);
    EXPECT_EQ(tab.Caption, "");
    EXPECT_EQ(tab.ScoreText, " 0:0 ");
  }
}

TEST(LiveMatch, AnswersWithoutEventsOrWithoutTheMatch) {
  TMatchPages pages;
  TMatch& tab = *pages.AddMatch("7");
  pages.ApplyLiveAnswer(Answer("viewAll", "2026-12-09 15:10:00", "2026-12-09 15:00:00", "0", "0", {}, "8"));
  EXPECT_EQ(tab.Caption, "");
  pages.ApplyLiveAnswer(Answer("viewAll", "2026-12-09 15:10:00", "2026-12-09 15:00:00", "0", "0", {}));
  EXPECT_EQ(tab.Caption, "Home (0) vs (0) Away");
  EXPECT_EQ(tab.AttendanceText, "");
  EXPECT_EQ(tab.MinuteText, "10th");
  EXPECT_EQ(tab.Commentary.size(), 1u);
}

TEST(LiveMatch, EventTextsBecomePlainPieces) {
  const struct {
    const char* Text;
    std::vector<TDisplayElement> Pieces;
  } cases[] = {
      {"Goal by <A HREF=\"/p?id=1\">Jo</A>!", {Black("Goal by "), Green("Jo"), Black("!")}},
      {"<a class=\"x\" HrEf='/p'><span class=\"n\">Jo Smith</span></a> runs",
       {Green("Jo Smith"), Black(" runs")}},
      {"<span class=\"team\">Home</span>&nbsp;&nbsp;leads<BR />now<br>", {Black("Home leads\r\nnow\r\n")}},
      {"1 < 2 and 3 > 2", {Black("1 < 2 and 3 > 2")}},
      {"a <A HREF=\"never closed", {Black("a <A HREF=\"never closed")}},
      {"<A HREF=x>open link", {Green("open link")}},
      {"<script>alert(1)</script><img src=x onerror=y>", {Black("alert(1)")}},
      {"&lt;b&gt;bold&lt;/b&gt; &amp; &#39;q&#39; &#0; &bogus;", {Black("<b>bold</b> & 'q' &#0; &bogus;")}},
      {"<", {Black("<")}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(EventTextPieces(c.Text), c.Pieces) << c.Text;
}

TEST(LiveMatch, HostileTextsAreReadInOnePass) {
  const std::string megabyte(1 << 20, 'x');
  const std::string texts[] = {
      std::string(1 << 20, '<'),
      [] {
        std::string s;
        while (s.size() < (2u << 20)) s += "<A HREF";
        return s;
      }(),
      [] {
        std::string s;
        while (s.size() < (2u << 20)) s += "<a href=1>x</a><br />&nbsp; ";
        return s;
      }(),
      "<b" + megabyte,
  };
  for (const std::string& text : texts) {
    const auto begin = std::chrono::steady_clock::now();
    const auto pieces = EventTextPieces(text);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(3));
    EXPECT_FALSE(pieces.empty());
  }
  // Invalid UTF-8 in an answer is read as Windows-1252, so that only valid UTF-8 reaches a tab.
  std::string bytes = Answer("viewAll", "2026-12-09 15:10:00", "2026-12-09 15:00:00", "0", "0",
                             {Kickoff, {"3", "1", "100", "Caf\xE9 <A HREF=\"x"}});
  TMatchPages pages;
  TMatch& tab = *pages.AddMatch("7");
  pages.ApplyLiveAnswer(bytes);
  bool found = false;
  for (const auto& e : tab.Commentary) found = found || e.Text == "Caf\xC3\xA9 <A HREF=\"x";
  EXPECT_TRUE(found);
}

TEST(LiveMatch, TabsAtMostTenOncePerMatchWithHighlightAndBuffering) {
  TMatchPages pages;
  for (int i = 1; i <= 10; ++i) ASSERT_NE(pages.AddMatch(std::to_string(i)), nullptr);
  EXPECT_EQ(pages.AddMatch("11"), nullptr);
  EXPECT_EQ(pages.Count(), 10u);
  EXPECT_EQ(pages.AddMatch("3"), nullptr);
  EXPECT_EQ(pages.ActiveIndex(), 9);

  // Output of a tab that is not active highlights it; selecting it clears the highlight.
  TMatch& first = pages.Tab(0);
  first.Highlighted = false;
  first.Buffering = true;
  first.Write("a", TLiveColour::Black, false);
  first.Write("b", TLiveColour::Blue, true);
  EXPECT_FALSE(first.Highlighted) << "buffered output is not on screen yet";
  std::vector<std::string> shown;
  first.OnWrite = [&shown](const TDisplayElement& e) { shown.push_back(e.Text); };
  first.Flush();
  EXPECT_EQ(shown, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(first.Queue.Count(), 0u);
  EXPECT_FALSE(first.Buffering);
  EXPECT_TRUE(first.Highlighted);
  pages.SetActiveIndex(0);
  EXPECT_FALSE(first.Highlighted);

  // Removing keeps the position, or the one before at the end; the last removal leaves no active tab.
  pages.Remove(9);
  EXPECT_EQ(pages.ActiveIndex(), 8);
  while (pages.Count() > 0) pages.Remove(0);
  EXPECT_EQ(pages.ActiveIndex(), -1);
}

}  // namespace

namespace {

TEST(LiveMatchCli, ReadLivePrintsTheTabState) {
  TTempFolder folder;
  const std::filesystem::path file = folder.Path() / "Live.XML";
  WriteWholeFile(file, Answer("viewAll", "2026-12-09 17:00:00", "2026-12-09 15:00:00", "1", "0",
                              {Kickoff, {"12", "4", "100_1", "Goal by <a href=\"/p\">Jo</a>"},
                               {"90", "0", "599_0", "End."}}));
  TCommandResult result = RunCli("read live '" + file.string() + "' --match 7 --json");
  ASSERT_EQ(result.ExitCode, 0) << result.Err;
  const auto json = nlohmann::json::parse(result.Out);
  EXPECT_EQ(json["caption"], "Home (1) vs (0) Away");
  EXPECT_EQ(json["score"], "1:0");
  EXPECT_EQ(json["minute"], "End");
  EXPECT_EQ(json["attendance"], "12 345");
  EXPECT_EQ(json["weather"], "Overcast");
  EXPECT_EQ(json["ended"], true);
  bool link = false;
  for (const auto& p : json["pieces"]) link = link || (p["text"] == "Jo" && p["colour"] == "green" && p["bold"] == true);
  EXPECT_TRUE(link);

  WriteWholeFile(file, "<KickvaleData><FetchedDate>soon</FetchedDate></KickvaleData>");
  result = RunCli("read live '" + file.string() + "' --match 7");
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_NE(result.Err.find("'soon' is not a valid date and time"), std::string::npos) << result.Err;
}

}  // namespace
