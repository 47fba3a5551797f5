// The players file reader against hostile files: each is refused with the reader's message or loaded whole,
// never a crash, a hang or a half-loaded list. (Time and memory of each: bench/hostile.cpp.)
#include "TestSupport.h"

#include "core/Errors.h"
#include "core/PlayerList.h"
#include "core/Utils.h"
#include "demo/HostileFiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

struct TOutcome {
  std::string Refusal;  // the start of the reader's message; "" when the file loads
  std::function<void(const TPlayerList&)> Check;
};

TEST(HostileInput, EachFileIsRefusedWithTheReadersMessageOrLoadedWhole) {
  const std::map<std::string, TOutcome> expected = {
      {"100 MB file", {"Cannot read file \"", nullptr}},
      {"element nested 100 000 deep",
       {"", [](const TPlayerList& list) {
          ASSERT_EQ(list.Count(), 1);
          EXPECT_EQ(list[1].PlayerName, "Deep Diver");
        }}},
      {"number of 10 000 digits", {"'" + std::string(10000, '9') + "' is not a valid integer value", nullptr}},
      {"invalid UTF-8",
       {"", [](const TPlayerList& list) {
          ASSERT_EQ(list.Count(), 1);
          // Read as Windows-1252: every byte becomes a character, the text is UTF-8.
          EXPECT_TRUE(IsValidUtf8(list[1].PlayerName)) << list[1].PlayerName;
          EXPECT_TRUE(list[1].PlayerName.starts_with("Bad ")) << list[1].PlayerName;
        }}},
      {"entity-expansion bomb",
       {"", [](const TPlayerList& list) {
          ASSERT_EQ(list.Count(), 1);
          // Custom entities stay as written; the predefined ones are decoded once.
          EXPECT_EQ(list[1].PlayerName, "&lol9;&amp;&#38;");
        }}},
      // Some 90 MB as the server writes players: over the reader's size limit.
      {"100 000 players", {"Cannot read file \"", nullptr}},
      {"50 000 players",
       {"", [](const TPlayerList& list) {
          ASSERT_EQ(list.Count(), 50000);
          EXPECT_EQ(list[50000].PlayerName, "Player 49999");
        }}},
  };
  TTempFolder tmp;
  ASSERT_EQ(HostileFiles().size(), expected.size());
  for (const THostileFile& file : HostileFiles()) {
    SCOPED_TRACE(file.Name);
    const TOutcome& outcome = expected.at(file.Name);
    const std::filesystem::path path = WriteHostileFile(file, tmp.Path());
    TPlayerList list;
    try {
      list.LoadFromPlayersFile(path);
      EXPECT_EQ(outcome.Refusal, "") << "loaded, not refused";
      if (outcome.Check) outcome.Check(list);
    } catch (const std::exception& e) {
      const std::string message = e.what();
      EXPECT_FALSE(outcome.Refusal.empty()) << "refused: " << message.substr(0, 300);
      EXPECT_EQ(message.substr(0, outcome.Refusal.size()), outcome.Refusal) << message.substr(0, 300);
      EXPECT_EQ(list.Count(), 0) << "a refused file changes nothing";
    }
    std::filesystem::remove(path);
  }
}

}  // namespace
