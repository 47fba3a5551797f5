#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

namespace {
struct TIntCase {
  const char* Text;
  std::optional<int64_t> Int32;  // nothing: StrToInt must raise
  std::optional<int64_t> Int64;  // nothing: StrToInt64 must raise
};

template <typename F>
std::optional<int64_t> Converted(F convert, const char* text) {
  try {
    return convert(text);
  } catch (const EConvertError& e) {
    EXPECT_EQ(std::string(e.what()), std::string("'") + text + "' is not a valid integer value");
    return std::nullopt;
  }
}
}  // namespace

TEST(Utils, StrictIntegerConversionAcceptsOnlyBlanksSignAndDigits) {
  const TIntCase cases[] = {
      {"0", 0, 0},
      {"  42", 42, 42},
      {"\t-7", -7, -7},
      {"+5", 5, 5},
      {"-0", 0, 0},
      {"", std::nullopt, std::nullopt},
      {" ", std::nullopt, std::nullopt},
      {"-", std::nullopt, std::nullopt},
      {"12a", std::nullopt, std::nullopt},
      {"12 ", std::nullopt, std::nullopt},
      {"1 2", std::nullopt, std::nullopt},
      {"--5", std::nullopt, std::nullopt},
      {"+-5", std::nullopt, std::nullopt},
      {"0x10", std::nullopt, std::nullopt},
      {"1.0", std::nullopt, std::nullopt},
      {"2147483647", 2147483647, 2147483647},
      {"-2147483648", -2147483648LL, -2147483648LL},
      {"2147483648", std::nullopt, 2147483648LL},
      {"-2147483649", std::nullopt, -2147483649LL},
      {"9223372036854775807", std::nullopt, std::numeric_limits<int64_t>::max()},
      {"-9223372036854775808", std::nullopt, std::numeric_limits<int64_t>::min()},
      {"9223372036854775808", std::nullopt, std::nullopt},
      {"99999999999999999999999", std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(Converted([](const char* t) { return int64_t(StrToInt(t)); }, c.Text), c.Int32);
    EXPECT_EQ(Converted([](const char* t) { return StrToInt64(t); }, c.Text), c.Int64);
  }
}

TEST(Utils, DecimalConversionUsesPointAndRejectsTheRest) {
  EXPECT_DOUBLE_EQ(StrToFloat("12.5"), 12.5);
  EXPECT_DOUBLE_EQ(StrToFloat(" -0.25 "), -0.25);
  EXPECT_DOUBLE_EQ(StrToFloat("+3"), 3);
  for (const char* bad : {"", "12,5", "1.2.3", "abc", "inf", "nan", "1e999"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(StrToFloat(bad), EConvertError);
  }
}

TEST(Utils, FloatTextReadsBackAndRoundsHalvesAwayFromZero) {
  EXPECT_EQ(FloatToStr(12.5), "12.5");
  EXPECT_EQ(FloatToStr(3), "3");
  EXPECT_EQ(FloatToStr(-0.25), "-0.25");
  EXPECT_EQ(FloatToStr(-0.0), "0");
  EXPECT_EQ(StrToFloat(FloatToStr(0.1 + 0.2)), 0.1 + 0.2);

  struct {
    double Value;
    int Decimals;
    const char* Text;
  } cases[] = {{2.675, 2, "2.68"},   {-2.675, 2, "-2.68"}, {1.005, 2, "1.01"}, {2.674, 2, "2.67"},
               {0.125, 2, "0.13"},   {2.5, 0, "3"},        {-0.001, 2, "0.00"}, {1234.5, 1, "1234.5"},
               {1e20, 2, "100000000000000000000.00"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(FormatFloat(c.Value, c.Decimals), c.Text);
  }
}

TEST(Utils, RoundingHalvesToEvenAndAwayFromZero) {
  struct {
    double Value;
    int64_t Even;
  } even[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {2.4999, 2}, {2.5001, 3}};
  for (const auto& c : even) {
    SCOPED_TRACE(c.Value);
    EXPECT_EQ(RoundHalfEven(c.Value), c.Even);
  }
  EXPECT_THROW(RoundHalfEven(std::nan("")), ERangeError);
  EXPECT_THROW(RoundHalfEven(1e19), ERangeError);
  EXPECT_EQ(RoundHalfEven(-9223372036854775808.0), std::numeric_limits<int64_t>::min());

  EXPECT_DOUBLE_EQ(RoundHalfAway(2.675, 2), 2.68);
  EXPECT_DOUBLE_EQ(RoundHalfAway(-2.675, 2), -2.68);
  EXPECT_DOUBLE_EQ(RoundHalfAway(0.1 * 3 * 5, 1), 1.5);  // 1.5000000000000002
  EXPECT_DOUBLE_EQ(RoundHalfAway(2.5, 0), 3);
  EXPECT_DOUBLE_EQ(RoundHalfAway(2.4949, 2), 2.49);
  EXPECT_DOUBLE_EQ(RoundHalfAway(7.123456, 4), 7.1235);
}

TEST(Utils, TextFieldHelpers) {
  EXPECT_EQ(KeepDigits("2009-09-28 12:00:00"), "20090928120000");
  EXPECT_EQ(KeepDigits("abc"), "");

  struct {
    const char* Text;
    bool Integer;
  } integers[] = {{"123", true},  {"-5", true},   {"", false},     {" 5", false},         {"+5", false},
                  {"--5", false}, {"5-", false},  {"-", false},    {"2147483648", false}, {"1a", false}};
  for (const auto& c : integers) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(IsIntegerText(c.Text), c.Integer);
  }

  EXPECT_EQ(PosText("CD", "abcdef"), 3);
  EXPECT_EQ(PosText("ab", "xAB"), 2);
  EXPECT_EQ(PosText("x", "abc"), 0);
  EXPECT_EQ(PosText("", "abc"), 0);
  EXPECT_EQ(PosText("abcd", "abc"), 0);

  EXPECT_EQ(CleanFileName(" A.B:C? "), "ABC");
  EXPECT_EQ(CleanFileName("a\\b/c*d\"e<f>g|h"), "abcdefgh");
  EXPECT_EQ(CleanFileName(" . "), "");
  EXPECT_EQ(Trim("\t a b \r\n"), "a b");
}

TEST(Utils, PaddingCountsCharactersNotBytes) {
  EXPECT_EQ(PadLeft(" ab ", 5), "   ab");
  EXPECT_EQ(PadRight("ab", 4), "ab  ");
  EXPECT_EQ(PadLeft("abcdef", 3), "abcdef");
  EXPECT_EQ(PadRight("Müller", 8), "Müller  ");
  struct {
    const char* Text;
    int Width;
    const char* Centered;
  } cases[] = {{"ab", 7, "  ab   "},  // five blanks: round(2.5) = 2 before
               {"ab", 5, "  ab "},    // three blanks: round(1.5) = 2 before
               {"ab", 6, "  ab  "},
               {" ab ", 3, "ab "},     // one blank: round(0.5) = 0 before
               {"abc", 2, "abc"},
               {"ü", 3, " ü "}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(CenterText(c.Text, c.Width), c.Centered);
  }
}

TEST(Utils, GroupDigitsCoversSignsZeroAndTheWholeRange) {
  struct {
    char Separator;
    int64_t Value;
    const char* Text;
  } cases[] = {{'.', -1234, "-1.234"},
               {'.', 999, "999"},
               {'.', -999, "-999"},
               {'.', 0, "0"},
               {' ', 1234567, "1 234 567"},
               {' ', 100000, "100 000"},
               {'.', std::numeric_limits<int64_t>::min(), "-9.223.372.036.854.775.808"},
               {'.', std::numeric_limits<int64_t>::max(), "9.223.372.036.854.775.807"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(GroupDigits(c.Separator, c.Value), c.Text);
  }
  EXPECT_EQ(GroupDigitsOfText(" -1234567", ' '), "-1 234 567");
  EXPECT_THROW(GroupDigitsOfText("12a", ' '), EConvertError);
}

TEST(Utils, DigitAtCountsFromTheUnits) {
  EXPECT_EQ(DigitAt(1234, 1), 4);
  EXPECT_EQ(DigitAt(1234, 4), 1);
  EXPECT_EQ(DigitAt(1234, 5), 0);
  EXPECT_EQ(DigitAt(-1234, 2), -3);
  EXPECT_EQ(DigitAt(std::numeric_limits<int64_t>::max(), 19), 9);
  EXPECT_EQ(DigitAt(std::numeric_limits<int64_t>::max(), 20), 0);
  EXPECT_THROW(DigitAt(5, 0), ERangeError);
}

TEST(Utils, TextChecksumWeighsEveryTenthPositionMore) {
  EXPECT_EQ(TextChecksum("abc"), 294);
  EXPECT_EQ(TextChecksum(""), 0);
  // Positions 1..9 weigh 1, 10..19 weigh 2.
  EXPECT_EQ(TextChecksum("aaaaaaaaaa"), 9 * 97 + 2 * 97);
  // Bytes count as unsigned: é is C3 A9.
  EXPECT_EQ(TextChecksum("é"), 0xC3 + 0xA9);
}

TEST(Utils, Cp1252ConversionAndUtf8Validation) {
  EXPECT_EQ(Cp1252ToUtf8("M\xFCller \x80 \x9C"), "Müller € œ");
  EXPECT_EQ(Cp1252ToUtf8("plain"), "plain");
  EXPECT_TRUE(IsValidUtf8(Cp1252ToUtf8(std::string("\x81\x8D\x8F\x90\x9D\xFF", 6))));

  struct {
    std::string Bytes;
    bool Valid;
  } cases[] = {{"", true},
               {"Müller €", true},
               {"\xF0\x9F\x98\x80", true},   // U+1F600
               {"M\xFCller", false},         // Latin-1
               {"\xC0\xAF", false},          // overlong "/"
               {"\xE0\x80\xAF", false},      // overlong, three bytes
               {"\xED\xA0\x80", false},      // surrogate
               {"\xF4\x90\x80\x80", false},  // above U+10FFFF
               {"\xC3", false},              // cut short
               {"\x80", false},
               // Runs of ASCII are checked eight bytes at a time: a bad byte at either end of a run, or a
               // sequence across the eight-byte steps, is still seen.
               {"abcdefgh\xFC", false},
               {"abcdefg\xC3\xA9hijklmnop", true},
               {"abcdefghijklmno\xC3", false},
               {"abcdefghijklmnopqrstuvw\xE2\x82\xAC", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Bytes);
    EXPECT_EQ(IsValidUtf8(c.Bytes), c.Valid);
  }
}

// Runs with the German catalogue of the build tree, then goes back to the built-in texts.
TEST(Utils, OrdinalSuffixKeepsTeenthsEnglishOnlyWithEnglishTexts) {
  TTempFolder programFolder;  // has no "locale": the build tree's catalogues are used
  const char* oldLanguage = std::getenv("LANGUAGE");
  const std::string savedLanguage = oldLanguage ? oldLanguage : "";
  const std::string savedLocale = setlocale(LC_ALL, nullptr);
  const char* oldAll = std::getenv("LC_ALL");
  const std::string savedAll = oldAll ? oldAll : "";
  auto restore = [&] {
    if (oldLanguage) setenv("LANGUAGE", savedLanguage.c_str(), 1); else unsetenv("LANGUAGE");
    if (oldAll) setenv("LC_ALL", savedAll.c_str(), 1); else unsetenv("LC_ALL");
    InitTranslations(programFolder.Path());
    setlocale(LC_ALL, savedLocale.c_str());
  };

  setenv("LC_ALL", "C.UTF-8", 1);
  setenv("LANGUAGE", "en", 1);
  InitTranslations(programFolder.Path());
  ASSERT_TRUE(IsEnglishText());
  struct {
    int N;
    const char* English;
    const char* Translated;
  } cases[] = {{1, "st", "st"},     {2, "nd", "nd"},     {3, "rd", "rd"},     {4, "th", "th"},
               {11, "th", "st"},    {12, "th", "nd"},    {13, "th", "rd"},    {21, "st", "st"},
               {111, "th", "st"},   {112, "th", "nd"},   {0, "th", "th"},     {-12, "th", "nd"}};
  for (const auto& c : cases) EXPECT_EQ(OrdinalSuffix(c.N), c.English) << c.N;

  if (!setlocale(LC_ALL, "de_DE.UTF-8")) {
    restore();
    FAIL() << "locale de_DE.UTF-8 missing: run localedef -i de_DE -f UTF-8 de_DE.UTF-8";
  }
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  setenv("LANGUAGE", "de", 1);
  InitTranslations(programFolder.Path());
  EXPECT_STREQ(_("divine"), "göttlich") << "catalogue folder: " << TranslationsFolder();
  EXPECT_FALSE(IsEnglishText());
  for (const auto& c : cases) EXPECT_EQ(OrdinalSuffix(c.N), c.Translated) << c.N;

  restore();
  EXPECT_TRUE(IsEnglishText());
}
