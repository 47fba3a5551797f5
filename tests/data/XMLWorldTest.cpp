// The world file reader: the fetch date, and season, round and country of the team's own league, from the
// full answer of the server as well as from the copy trimmed to the own league.
#include "XMLFixtureEdit.h"

#include "core/DateTime.h"
#include "core/Errors.h"
#include "core/Snapshot.h"
#include "data/XMLTeam.h"
#include "data/XMLWorld.h"

#include <gtest/gtest.h>

namespace {
struct TWorldExpectation {
  const char* File;
  const char* LeagueID;
  int32_t Season, MatchRound, CountryID;
};

TEST(XMLWorld, ReadsTheOwnLeagueFromTheFullAndTheTrimmedFile) {
  const TWorldExpectation cases[] = {
      {"data/WorldDetails.xml", "5", 38, 5, 5},
      {"data/WorldDetailsTrimmed.xml", "5", 38, 5, 5},
      {"data/WorldDetails.xml", "50", 24, 9, 48},
      {"data/WorldDetails.xml", "18", 26, 14, 17},
      // A league that is not in the file loads as season and round 0.
      {"data/WorldDetails.xml", "7", 0, 0, 0},
      {"data/WorldDetailsTrimmed.xml", "18", 0, 0, 0},
      {"data/WorldDetails.xml", "", 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.File) + " league " + c.LeagueID);
    TXMLTeam team;
    team.LeagueID = c.LeagueID;
    TXMLWorld world(team);
    world.Read(FixturePath(c.File));
    EXPECT_EQ(world.FetchedDate, "2009-09-28 12:00:00");
    EXPECT_EQ(world.Season, c.Season);
    EXPECT_EQ(world.MatchRound, c.MatchRound);
    EXPECT_EQ(world.CountryID, c.CountryID);
  }
}

TEST(XMLWorld, StrictOnlyInTheOwnLeague) {
  TXMLTeam team;
  team.LeagueID = "5";
  const auto make = [&team] { return std::make_unique<TXMLWorld>(team); };
  using TInt = TFieldCase<TXMLWorld, int32_t>;
  RunFieldCases<TXMLWorld, int32_t>(
      "WorldDetails.xml",
      {
          TInt{"season with letters", "<Season>38<", "<Season>S38<", &TXMLWorld::Season, 0,
               "'S38' is not a valid integer value"},
          TInt{"empty round", "<MatchRound>5<", "<MatchRound><", &TXMLWorld::MatchRound, 0,
               "'' is not a valid integer value"},
          TInt{"no country", "<CountryID>5</CountryID>", "", &TXMLWorld::CountryID, 0,
               "'' is not a valid integer value"},
          TInt{"another league's bad season is not read", "<Season>26<", "<Season>?<", &TXMLWorld::Season, 38,
               ""},
          TInt{"leagues outside LeagueList are not read", "LeagueList>", "Leagues>", &TXMLWorld::Season, 0, ""},
      },
      make);
  using TText = TFieldCase<TXMLWorld, std::string>;
  RunFieldCases<TXMLWorld, std::string>(
      "WorldDetailsTrimmed.xml",
      {
          TText{"missing fetch date", "<FetchedDate>2009-09-28 12:00:00</FetchedDate>", "",
                &TXMLWorld::FetchedDate, "", ""},
          TText{"fetch date as served", "2009-09-28 12:00:00", "2009-09-28", &TXMLWorld::FetchedDate,
                "2009-09-28", ""},
      },
      make);
}

TEST(XMLWorld, GivesTheCalendarValuesOfItsWeek) {
  TXMLTeam team;
  team.LeagueID = "5";
  TXMLWorld world(team);
  world.Read(FixturePath("data/WorldDetailsTrimmed.xml"));
  EXPECT_EQ(world.RoundKey(), 3805);
  EXPECT_EQ(world.RoundLabel(), "38-05");
  EXPECT_EQ(world.SortKey(), SnapshotKey(38, 5, "2009-09-28 12:00:00"));
  EXPECT_EQ(FormatDateTime(world.FetchedDateTime()), "2009-09-28 12:00:00");

  TXMLWorld copy(team);
  copy.Assign(world);
  EXPECT_EQ(copy.FetchedDate, world.FetchedDate);
  EXPECT_EQ(copy.RoundKey(), 3805);
  EXPECT_EQ(copy.CountryID, 5);

  world.FetchedDate.clear();
  EXPECT_THROW(world.FetchedDateTime(), EConvertError);
}
}  // namespace
