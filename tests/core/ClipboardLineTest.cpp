// The one-line text of a player for the clipboard.
#include "core/ClipboardLine.h"
#include "core/Errors.h"

#include <gtest/gtest.h>

namespace {
struct TKeeper : TPlayer {
  TKeeper() {
    PlayerID = 12345;
    StaminaSkill = 5;
    PlaymakerSkill = 1;
    WingerSkill = 0;
    ScorerSkill = 10.9;
    KeeperSkill = 10;
    PassingSkill = 2;
    DefenderSkill = 3;
    PlayerForm = 8;
    Experience = 1;
    Age = 24;
    TSI = 2750;
    InjuryLevel = -1;
    CountryID = 38;
  }
};
}  // namespace

TEST(ClipboardLine, LeadingZerosBecomeBlanksAndAnEmptySpecialtyKeepsItsWidth) {
  TKeeper p;
  // forward (10.9 x 0.85 + 0.3 - 1) x 5 = 42.8; inner midfield 0.15 x 5 x 0.7 = 0.53;
  // winger -0.7 x 5 + 0.3 x 0.53 = -3.34; wing back 7; central defender 10; keeper 45; best 45.
  EXPECT_EQ(FormatClipboardLine(p, std::nullopt),
            "|    12345| 5| 1| 0|10|10| 2| 3| 8| 1|24|  2750|  |43|-3| 1| 7|10|45|45|");
}

TEST(ClipboardLine, SpecialtyShowsTwoLettersOfItsShortName) {
  TKeeper p;
  p.Specialty = spUnpredictable;
  const std::string line = FormatClipboardLine(p, 99);
  EXPECT_NE(line.find("|  2750|Un|"), std::string::npos) << line;
  p.Specialty = 9;
  EXPECT_THROW(FormatClipboardLine(p, 99), ERangeError);
}

TEST(ClipboardLine, PlayersOfTheLeaguesCountryAreMarked) {
  TKeeper p;
  EXPECT_EQ(FormatClipboardLine(p, 38).substr(0, 11), "|*   12345|");
  EXPECT_EQ(FormatClipboardLine(p, 39).substr(0, 11), "|    12345|");
  p.PlayerID = 212345678;
  EXPECT_EQ(FormatClipboardLine(p, 38).substr(0, 11), "|*12345678|");
  p.CountryID = 0;  // no page shown: nobody is marked
  EXPECT_EQ(FormatClipboardLine(p, std::nullopt).substr(0, 11), "|212345678|");
}
