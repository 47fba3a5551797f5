// Keys, labels and fetch dates of the game weeks by which snapshots are ordered and listed.
#include "core/DateTime.h"
#include "core/Errors.h"
#include "data/GameCalendar.h"

#include <gtest/gtest.h>

namespace {
TEST(GameCalendar, RoundKeysAndLabels) {
  struct TCase {
    int32_t Season, Round, Key;
    const char* Label;
  };
  const TCase cases[] = {{38, 5, 3805, "38-05"}, {38, 12, 3812, "38-12"}, {9, 16, 916, "09-16"},
                         {0, 0, 0, "00-00"},     {91, 2, 9102, "91-02"},  {104, 3, 10403, "104-03"}};
  for (const auto& c : cases) {
    EXPECT_EQ(SeasonRoundKey(c.Season, c.Round), c.Key) << c.Label;
    EXPECT_EQ(RoundLabel(c.Season, c.Round), c.Label);
  }
  // Later seasons come after every round of an earlier one, past season 99 too.
  EXPECT_LT(SeasonRoundKey(38, 16), SeasonRoundKey(39, 1));
  EXPECT_LT(SeasonRoundKey(99, 16), SeasonRoundKey(100, 1));
}

TEST(GameCalendar, FetchDatesReadWithOrWithoutTheTime) {
  struct TValid {
    const char* Text;
    const char* DateTime;  // as the program shows it
  };
  const TValid valid[] = {
      {"2009-09-28 12:00:00", "2009-09-28 12:00:00"},
      {"2014-10-28 11:04:50", "2014-10-28 11:04:50"},
      {"2009-09-28", "2009-09-28 00:00:00"},
      {"2012-02-29 23:59:59", "2012-02-29 23:59:59"},
      {"2009-09-28 12:00", "2009-09-28 12:00:00"},
      {"2009-09-28 23:59", "2009-09-28 23:59:00"},
  };
  for (const auto& c : valid) EXPECT_EQ(FormatDateTime(ParseFetchedDate(c.Text)), c.DateTime) << c.Text;

  const char* invalid[] = {"", "28.09.2009", "2011-02-29", "2009-09-28T12:00:00", "2009-09-28 24:00:00",
                           "2009-09-28 12", "2009-09-28 12:60", "2009-09-28 1:00:0", "2009-09-28 12:0:00", "2009-09-28 12:00:",
                           "20090928", "2009-09-28 12:00:00 UTC"};
  for (const char* text : invalid) {
    try {
      ParseFetchedDate(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' is not a valid date and time");
    }
  }
  EXPECT_LT(ParseFetchedDate("2009-09-28"), ParseFetchedDate("2009-09-28 00:00:01"));
}
}  // namespace
