#include "core/Version.h"

#include <gtest/gtest.h>

#include <string>

TEST(Version, DottedVersionsCompareNumberByNumber) {
  struct TCase {
    const char* A;
    const char* B;
    int Expected;
  };
  const TCase cases[] = {
      {"0.1.0", "0.1.0", 0},  {"0.1", "0.1.0", 0},      {"1", "1.0.0.0", 0},   {"0.2.0", "0.1.0", 1},
      {"0.1.0", "0.2.0", -1}, {"0.10.0", "0.9.0", 1},   {"0.9.9", "0.10", -1}, {"1.0.0", "0.99.99", 1},
      {"0.1.1", "0.1", 1},    {"0.1.0.1", "0.1.0", 1},  {"2", "10", -1},       {"007.1", "7.1", 0},
      {"999999.0", "1.0", 1},
  };
  for (const auto& c : cases) {
    const auto a = ParseVersion(c.A);
    const auto b = ParseVersion(c.B);
    ASSERT_TRUE(a && b) << c.A << " " << c.B;
    EXPECT_EQ(CompareVersions(*a, *b), c.Expected) << c.A << " vs " << c.B;
    EXPECT_EQ(CompareVersions(*b, *a), -c.Expected) << c.B << " vs " << c.A;
  }
}

TEST(Version, AnythingButOneToFourGroupsOfDigitsIsNoVersion) {
  for (const char* text : {"", ".", "1.", ".1", "1..2", "1.2.3.4.5", "v1.0", "1.0-beta", "1.0 ", " 1.0", "-1.0",
                           "+1", "1,0", "1.a", "1234567.0", "0x10"})
    EXPECT_FALSE(ParseVersion(text)) << '"' << text << '"';
  EXPECT_EQ(ParseVersion("1.2.3.4"), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(ParseVersion(PITCHBOOK_VERSION).has_value(), true);
}
