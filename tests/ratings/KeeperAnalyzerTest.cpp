#include "ratings/KeeperAnalyzer.h"

#include <gtest/gtest.h>

#include <climits>

TEST(KeeperAnalyzer, PassableAverageKeeperOfTenThousandTSI) {
  const TKeeperEstimate e = EstimateKeeper("10000", KeeperFormDefault, KeeperSecondFormDefault);
  EXPECT_EQ(e.Detail, 864);
  EXPECT_EQ(e.ScalePosition, 86);
  EXPECT_EQ(e.DetailPosition, 64);
  EXPECT_DOUBLE_EQ(e.Skill, 9.64);
  EXPECT_EQ(e.SkillText, "Keeper Skill: 9.64");
  EXPECT_EQ(e.LowerLevel, "formidable");
  EXPECT_EQ(e.UpperLevel, "outstanding");
}

TEST(KeeperAnalyzer, TextThatIsNoPositiveNumberCountsAsZero) {
  for (const char* text : {"abc", "", "   ", "-500", "12a", "inf", "nan", "1e999"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(KeeperTSIValue(text), 0);
    const TKeeperEstimate e = EstimateKeeper(text, KeeperFormDefault, KeeperSecondFormDefault);
    EXPECT_EQ(e.Detail, 0);
    EXPECT_EQ(e.SkillText, "Keeper Skill: 1.00");
    EXPECT_EQ(e.LowerLevel, "disastrous");
    EXPECT_EQ(e.UpperLevel, "wretched");
  }
  EXPECT_EQ(KeeperTSIValue(" 2500.5 "), 2500.5);
}

TEST(KeeperAnalyzer, FormValueMovesByAThirdAndExcellentIgnoresTheSecondBox) {
  struct TCase {
    int Form, Second;
    double Value;
    int Detail;  // at TSI 10000
  };
  for (const TCase& c : {TCase{5, 0, 5.67, 872}, TCase{5, 1, 6, 864}, TCase{5, 2, 6.33, 856}, TCase{7, 0, 7.5, 832},
                         TCase{7, 2, 7.5, 832}, TCase{0, 0, 0.67, -1}}) {
    SCOPED_TRACE(c.Form * 10 + c.Second);
    EXPECT_NEAR(KeeperFormValue(c.Form, c.Second), c.Value, 1e-12);
    if (c.Detail >= 0) {
      EXPECT_EQ(EstimateKeeper("10000", c.Form, c.Second).Detail, c.Detail);
    }
  }
}

TEST(KeeperAnalyzer, IndexesOutsideTheBoxesAreClamped) {
  // An exported form of 0 or 9 must not pick a value from beyond the list.
  EXPECT_DOUBLE_EQ(KeeperFormValue(-1, 1), KeeperFormValue(0, 1));
  EXPECT_DOUBLE_EQ(KeeperFormValue(12, 0), 7.5);
  EXPECT_DOUBLE_EQ(KeeperFormValue(3, -4), KeeperFormValue(3, 0));
  EXPECT_DOUBLE_EQ(KeeperFormValue(3, 9), KeeperFormValue(3, 2));
}

TEST(KeeperAnalyzer, HugeTSIStaysInRangeAndNamesLevelsAboveDivine) {
  const TKeeperEstimate e = EstimateKeeper("250000", KeeperFormLast, 0);
  EXPECT_EQ(e.Detail, 2143);
  EXPECT_EQ(e.LowerLevel, "divine +2");  // levels 22 and 23
  EXPECT_EQ(e.UpperLevel, "divine +3");
  EXPECT_EQ(KeeperSkillDetail(1e300, 1), INT_MAX);
  EXPECT_GT(EstimateKeeper("999999999999999", 0, 0).Detail, 0);
}
