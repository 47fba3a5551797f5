// The grid-file reader and writer: the layout, a file written under one language read under another, and
// damaged files refused with the reader's error.
#include "TestSupport.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"
#include "data/GridFile.h"

#include <gtest/gtest.h>

namespace {
const std::vector<std::string> Titles = {"Name", "Age", "ID"};
const std::vector<std::vector<std::string>> Rows = {{"Name", "Age", "ID"}, {"Jürgen Sæther", " 23 ", "11"}, {"b", "", "12"}};

std::string Int64(int64_t v) {
  std::string out;
  for (int i = 0; i < 8; ++i) out += static_cast<char>((static_cast<uint64_t>(v) >> (8 * i)) & 0xFF);
  return out;
}
}  // namespace

TEST(GridFile, RoundTripsInTheDescribedLayout) {
  for (bool match : {false, true}) {
    SCOPED_TRACE(match ? "match grid" : "player grid");
    const std::string text = FormatGridFile(Rows, Titles, match, 77);
    const int64_t checksum = 1 * TextChecksum("Age") + 2 * TextChecksum("ID");
    std::string head = Int64(checksum) + (match ? Int64(77) : "") + Int64(3) + Int64(3) +
                       Int64(std::string("Name\r\nJürgen Sæther\r\nb\r\n").size()) + "Name\r\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    const TGridFile file = ReadGridFile(text, Titles, match, !match);
    EXPECT_EQ(file.LayoutChecksum, checksum);
    EXPECT_EQ(file.TeamChecksum, match ? 77 : 0);
    ASSERT_EQ(file.Rows.size(), 3u);
    EXPECT_EQ(file.Rows[1][0], "Jürgen Sæther");
    EXPECT_EQ(file.Rows[1][1], match ? " 23 " : "23");  // player grids trim their cells
    EXPECT_EQ(file.Rows[2][2], "12");
  }
}

TEST(GridFile, AFileWrittenUnderOneLanguageLoadsUnderAnother) {
  const std::string english = FormatGridFile(Rows, Titles, false);
  // A file of an earlier version written under German: its checksum is over the German titles.
  std::string germanChecksum;
  {
    TGermanTexts german;
    ASSERT_TRUE(german.Available) << PB_GERMAN_MISSING;
    ASSERT_STREQ(_("Age"), "Alter");
    EXPECT_EQ(FormatGridFile(Rows, Titles, false), english);  // the written file does not follow the language
    EXPECT_EQ(ReadGridFile(english, Titles, false, true).Rows.size(), 3u);
    const int64_t translated = 1 * TextChecksum("Alter") + 2 * TextChecksum("ID");
    germanChecksum = Int64(translated) + english.substr(8);
    EXPECT_EQ(ReadGridFile(germanChecksum, Titles, false, true).Rows[1][0], "Jürgen Sæther");
  }
  EXPECT_EQ(ReadGridFile(english, Titles, false, true).Rows.size(), 3u);
  EXPECT_THROW(ReadGridFile(germanChecksum, Titles, false, true), EInOutError);  // not the English layout
}

TEST(GridFile, DamagedFilesRaiseTheReadersError) {
  const std::string good = FormatGridFile(Rows, Titles, false);
  auto with = [&](size_t at, char byte) {
    std::string data = good;
    data[at] = byte;
    return data;
  };
  // A row count that one column's bytes could hold but not all three columns' (a hostile file would
  // make the reader allocate rows x columns cells up front).
  std::string rowsForOneColumn = good;
  const uint64_t oneColumnRows = good.size() - 24;
  for (int b = 0; b < 8; ++b) rowsForOneColumn[16 + b] = char((oneColumnRows >> (8 * b)) & 0xFF);
  const struct {
    const char* Name;
    std::string Data;
    std::vector<std::string> Titles;
  } cases[] = {
      {"empty", "", Titles},
      {"short header", good.substr(0, 12), Titles},
      {"truncated", good.substr(0, good.size() - 5), Titles},
      {"column count", with(8, 4), Titles},
      {"header row only", with(16, 1), Titles},
      {"row count beyond the data", with(16 + 7, 0x10), Titles},
      {"row count beyond the data of all columns", rowsForOneColumn, Titles},
      {"negative column length", with(24 + 7, char(0x80)), Titles},
      {"renamed column", good, {"Name", "Years", "ID"}},
      {"fewer columns", good, {"Name", "Age"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    try {
      ReadGridFile(c.Data, c.Titles, false, true);
      ADD_FAILURE() << "accepted";
    } catch (const EInOutError& e) {
      EXPECT_STREQ(e.what(), "Invalid grid file");
    }
  }
}
