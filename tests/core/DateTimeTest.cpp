#include "core/DateTime.h"
#include "core/Errors.h"
#include "core/Utils.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sstream>

namespace {
// Runs the test body in a fixed time zone and restores the previous one.
class TTimeZone {
public:
  explicit TTimeZone(const char* zone) {
    const char* old = std::getenv("TZ");
    FHad = old != nullptr;
    if (old) FOld = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~TTimeZone() {
    if (FHad) setenv("TZ", FOld.c_str(), 1); else unsetenv("TZ");
    tzset();
  }

private:
  bool FHad = false;
  std::string FOld;
};

TClock::time_point At(std::time_t seconds) { return std::chrono::system_clock::from_time_t(seconds); }

std::string Printed(const char* format, double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}
}  // namespace

// The German locale writes "1,5" and "1.234.567": the program's texts must keep "." and no grouping.
TEST(DateTime, ProgramFormatKeepsThePointUnderAGermanLocale) {
  const std::string savedLocale = std::setlocale(LC_ALL, nullptr);
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
    FAIL() << "locale de_DE.UTF-8 missing: run localedef -i de_DE -f UTF-8 de_DE.UTF-8";
  std::locale::global(std::locale("de_DE.UTF-8"));
  ASSERT_EQ(Printed("%.1f", 1.5), "1,5");  // the locale is in effect

  ApplyProgramFormatSettings();
  EXPECT_EQ(Printed("%.1f", 1.5), "1.5");
  EXPECT_STREQ(std::localeconv()->decimal_point, ".");
  std::ostringstream stream;
  stream << 1.5 << ' ' << 1234567;
  EXPECT_EQ(stream.str(), "1.5 1234567");

  EXPECT_EQ(FormatFloat(1234.5, 2), "1234.50");
  EXPECT_EQ(FloatToStr(0.25), "0.25");
  EXPECT_DOUBLE_EQ(StrToFloat("1.5"), 1.5);
  EXPECT_THROW(StrToFloat("1,5"), EConvertError);
  {
    TTimeZone zone("UTC");
    EXPECT_EQ(FormatDateTime(At(1254139200)), "2009-09-28 12:00:00");
    EXPECT_EQ(ParseDateTime("2009-09-28 12:00:00"), At(1254139200));
  }

  std::locale::global(std::locale::classic());
  std::setlocale(LC_ALL, savedLocale.c_str());
}

TEST(DateTime, FormatsLocalTime) {
  TTimeZone zone("Europe/Berlin");
  EXPECT_EQ(FormatDateTime(At(1254139200)), "2009-09-28 14:00:00");  // summer time, UTC+2
  EXPECT_EQ(FormatDate(At(1254139200)), "2009-09-28");
  EXPECT_EQ(FormatTime(At(1254139200)), "14:00:00");
  EXPECT_EQ(FormatDateTime(At(1262300399)), "2009-12-31 23:59:59");  // winter time, UTC+1
  // A time point just before the epoch is not rounded up into the next second.
  EXPECT_EQ(FormatDateTime(At(0) - std::chrono::milliseconds(1)), "1970-01-01 00:59:59");
}

TEST(DateTime, ParsesOnlyTheProgramFormat) {
  TTimeZone zone("Europe/Berlin");
  EXPECT_EQ(ParseDateTime("2009-09-28 14:00:00"), At(1254139200));
  EXPECT_EQ(ParseDateTime("2009-12-31 23:59:59"), At(1262300399));
  EXPECT_EQ(ParseDate("2009-09-28"), ParseDateTime("2009-09-28 00:00:00"));
  EXPECT_EQ(FormatDateTime(ParseDateTime("2008-02-29 23:59:59")), "2008-02-29 23:59:59");
  EXPECT_EQ(FormatDateTime(ParseDateTime("2200-01-01 00:00:00")), "2200-01-01 00:00:00");

  for (const char* bad : {"", "2009-09-28", "2009-9-28 12:00:00", "2009-09-28T12:00:00", "2009/09/28 12:00:00",
                          "2009-02-29 12:00:00", "1900-02-29 12:00:00", "2009-13-01 12:00:00",
                          "2009-09-31 12:00:00", "2009-09-00 12:00:00", "2009-09-28 24:00:00",
                          "2009-09-28 12:60:00", "2009-09-28 12:00:60", " 2009-09-28 12:00:00",
                          "2009-09-28 12:00:00 ", "2009-09-28 12:00", "2009-09-28 +2:00:00", "0000-01-01 00:00:00",
                          // calendar dates beyond what the clock can hold (a fuzzed live answer)
                          "4052-12-09 16:10:00", "9999-12-31 23:59:59", "0001-01-01 00:00:00"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(TryParseDateTime(bad));
    try {
      ParseDateTime(bad);
      ADD_FAILURE() << "accepted";
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("'") + bad + "' is not a valid date and time");
    }
  }
  for (const char* bad : {"", "2009-09-28 ", "09-28-2009", "2009-02-29", "2009-1-01"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(ParseDate(bad), EConvertError);
  }
}
