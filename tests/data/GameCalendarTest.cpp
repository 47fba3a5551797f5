// Keys, labels and fetch dates of the game weeks by which snapshots are ordered and listed.
#include "core/Errors.h"
#include "data/GameCalendar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {
TEST(GameCalendar, RoundKeysAndLabels) {
  struct TCase {
    int32_t Season, Round, Key;
    const char* Label;
  };
  const TCase cases[] = {{38, 5, 3805, "38-05"}, {38, 12, 3812, "38-12"}, {9, 16, 916, "09-16"},
                         {0, 0, 0, "00-00"},     {91, 2, 9102, "91-02"}};
  for (const auto& c : cases) {
    EXPECT_EQ(RoundKey(c.Season, c.Round), c.Key) << c.Label;
    EXPECT_EQ(RoundLabel(c.Season, c.Round), c.Label);
  }
  // Later seasons always come after every round of an earlier one.
  EXPECT_LT(RoundKey(38, 16), RoundKey(39, 1));
}

TEST(GameCalendar, HistorySortKeysOrderBySeasonRoundAndFetchTime) {
  const std::string round5 = HistorySortKey(38, 5, "2009-09-28 12:00:00");
  EXPECT_EQ(round5, "380520090928120000");
  std::vector<std::string> keys = {
      HistorySortKey(38, 12, "2009-11-20 08:00:00"), HistorySortKey(38, 5, "2009-09-29 07:30:00"), round5,
      HistorySortKey(9, 3, "2007-01-01"),           HistorySortKey(0, 0, "2010-01-01 00:00:00"),
  };
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(keys, (std::vector<std::string>{"000020100101000000", "090320070101", round5, "380520090929073000",
                                            "381220091120080000"}));
  EXPECT_EQ(SortKeySeason(round5), 38);
  EXPECT_EQ(SortKeySeason("0903"), 9);
  EXPECT_EQ(SortKeyRoundKey(round5), "3805");
  EXPECT_THROW(SortKeySeason("x1"), EConvertError);
}

TEST(GameCalendar, FetchDatesReadAsDateAndTime) {
  using namespace std::chrono;
  const auto at = [](int y, unsigned m, unsigned d, int h = 0, int n = 0, int s = 0) {
    return sys_days(year(y) / month(m) / day(d)) + hours(h) + minutes(n) + seconds(s);
  };
  struct TValid {
    const char* Text;
    TGameDateTime Expected;
  };
  const TValid valid[] = {
      {"2009-09-28 12:00:00", at(2009, 9, 28, 12)},
      {"2009-09-28", at(2009, 9, 28)},
      {"2014-10-28 11:04:50", at(2014, 10, 28, 11, 4, 50)},
      {"2009-09-28 12:30", at(2009, 9, 28, 12, 30)},
      {" 2009-9-8 7:05:09 ", at(2009, 9, 8, 7, 5, 9)},
      {"2012-02-29 23:59:59", at(2012, 2, 29, 23, 59, 59)},
  };
  for (const auto& c : valid) EXPECT_EQ(StrToGameDateTime(c.Text), c.Expected) << c.Text;

  const char* invalid[] = {"",           "28.09.2009",          "2009/09/28",          "2011-02-29",
                           "2009-13-01", "2009-09-28T12:00:00", "2009-09-28 24:00:00", "2009-09-28 12",
                           "2009-09-28 12:60", "2009-09-28 12:00:00 UTC", "20090928", "2009-09-28 12:00:"};
  for (const char* text : invalid) {
    try {
      StrToGameDateTime(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' is not a valid date and time");
    }
  }
  EXPECT_LT(StrToGameDateTime("2009-09-28 12:00:00"), StrToGameDateTime("2009-09-28 12:00:01"));
}

TEST(GameCalendar, DatesShowAsYearMonthDayWithTheirWeekday) {
  EXPECT_EQ(FormatGameDate(StrToGameDateTime("2009-09-28 23:59:59")), "2009-09-28");
  EXPECT_EQ(FormatGameDate(StrToGameDateTime("0999-01-02")), "0999-01-02");
  EXPECT_EQ(GameWeekday(StrToGameDateTime("2009-09-28 12:00:00")), 0);  // a Monday
  EXPECT_EQ(GameWeekday(StrToGameDateTime("2025-05-11 23:00:00")), 6);  // a Sunday
  EXPECT_EQ(GameWeekday(StrToGameDateTime("1969-12-31")), 2);           // before the clock's epoch
}
}  // namespace
