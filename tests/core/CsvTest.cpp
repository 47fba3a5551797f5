// The CSV writer: fields quoted where a spreadsheet would split or trim them, numbers with "." whatever the
// locale, and every file read back field for field.
#include "CsvReader.h"
#include "TestSupport.h"

#include "core/Csv.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

TEST(CsvWriter, QuotesOnlyTheFieldsThatNeedItAndReadsBackTheSame) {
  struct TCase {
    std::string Field;
    std::string Written;
  };
  const TCase cases[] = {
      {"plain", "plain"},
      {"", ""},
      {"Kučera, Miloš", "\"Kučera, Miloš\""},
      {"the \"Rock\"", "\"the \"\"Rock\"\"\""},
      {"two\r\nlines", "\"two\r\nlines\""},
      {"line\nfeed", "\"line\nfeed\""},
      {" leading", "\" leading\""},
      {"trailing ", "\"trailing \""},
      {"Přemysl Šťastný", "Přemysl Šťastný"},
      {"\"", "\"\"\"\""},
  };
  TCsvWriter csv;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Field);
    EXPECT_EQ(CsvField(c.Field), c.Written);
    csv.Text("a").Text(c.Field).Text("z").EndRow();
  }
  const TCsvRows rows = ReadCsv(csv.Result());
  ASSERT_EQ(rows.size(), std::size(cases));
  for (size_t i = 0; i < rows.size(); ++i)
    EXPECT_EQ(rows[i], (std::vector<std::string>{"a", cases[i].Field, "z"})) << i;
  EXPECT_TRUE(csv.Result().ends_with("\r\n"));
}

TEST(CsvWriter, NumbersKeepTheDecimalPointUnderAGermanLocale) {
  const std::string before = std::setlocale(LC_ALL, nullptr);
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << PB_GERMAN_MISSING;
  TCsvWriter csv;
  csv.Number(12.5).Number(-0.25).Number(3).Integer(-1234567).Number(0.1 + 0.2).EndRow();
  csv.Row({"x", "y"});
  TCsvWriter unfinished = csv;
  unfinished.Text("never ended");
  std::setlocale(LC_ALL, before.c_str());
  EXPECT_EQ(csv.Result(), "12.5,-0.25,3,-1234567,0.30000000000000004\r\nx,y\r\n");
  // A row that was not ended is not part of the result.
  EXPECT_EQ(unfinished.Result(), csv.Result());
}
