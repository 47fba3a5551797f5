// The match rating panel draws what the rating model computes: bars, colours, level labels, thin level
// bars, the tactic bar and the relative-strength column; values off the tables never reach outside them.
#include "core/Errors.h"
#include "TestSupport.h"
#include "ratings/LineupArrangementTestXml.h"
#include "ratings/MatchNames.h"
#include "ui/MatchRatingWidget.h"

#include <QFontMetrics>
#include <QImage>

#include <cstdlib>
#include <memory>

#include <gtest/gtest.h>

using namespace lineuptest;

namespace {
pugi::xml_document Details(const TDetailsSpec& spec) {
  pugi::xml_document document;
  EXPECT_TRUE(document.load_string(DetailsXml(spec).c_str()));
  return document;
}

pugi::xml_node MatchOf(const pugi::xml_document& document) { return document.child("matchDetails.asp").child("Match"); }

// The panel shows exactly what the model holds.
void ExpectDrawsModel(const TkvMatchRating& panel, const TMatchRatingModel& model) {
  for (int i = 0; i < TMatchRatingModel::BarCount; ++i) {
    SCOPED_TRACE(i);
    const TMatchRatingBar& bar = model.Bar(i);
    const TkvMatchRatingBar& drawn = *panel.Bar(i);
    EXPECT_EQ(drawn.Percent(), bar.Percent);
    EXPECT_EQ(drawn.CaptionLabel()->text().toStdString(), bar.Caption);
    EXPECT_EQ(drawn.LevelLabel()->text().toStdString(), bar.LevelText);
    EXPECT_EQ(drawn.LevelBar()->Parts(), bar.LevelParts);
    EXPECT_EQ(!drawn.LevelBar()->isHidden(), bar.LevelBarVisible);
    EXPECT_EQ(drawn.pos(), QPoint(TMatchRatingModel::CaptionLeft, TMatchRatingModel::BarTop(i)));
  }
  for (int i = 0; i < 7; ++i) EXPECT_EQ(panel.Relative()->Label(i)->text().toStdString(), model.Relative().Labels()[i]) << i;
  EXPECT_EQ(panel.Relative()->Total()->text().toStdString(), model.Relative().Total());
}

QColor GaugePixel(const TkvMatchRatingBar& bar, int x) {
  return bar.Gauge()->grab().toImage().pixelColor(x, 3);
}
}  // namespace

TEST(MatchRatingWidget, ANewPanelShowsEmptyBarsDashesAndTheGroupCaptions) {
  TkvMatchRating panel;
  ExpectDrawsModel(panel, TMatchRatingModel());
  EXPECT_EQ(panel.Relative()->Label(0)->text(), "-");
  EXPECT_EQ(panel.Relative()->Total()->text(), "100");
  EXPECT_EQ(panel.Relative()->Heading()->text(), "Relative Strength");
  const char* groups[] = {"Midfield", "Defence", "Attack"};
  for (int g = 0; g < 3; ++g) {
    EXPECT_EQ(panel.GroupCaption(g)->text(), groups[g]);
    EXPECT_EQ(panel.GroupCaption(g)->font().pointSize(), 10);
    EXPECT_EQ(panel.GroupCaption(g)->geometry().bottom() + 1, TMatchRatingModel::BarTop(g == 0 ? 0 : g == 1 ? 1 : 4));
  }
  EXPECT_EQ(panel.size(), QSize(TMatchRatingModel::Width, TMatchRatingModel::Height()));
  EXPECT_EQ(panel.Relative()->x(), TMatchRatingModel::BarLeft + TMatchRatingModel::BarWidth + 104);
  EXPECT_THROW(panel.Bar(8), ERangeError);
  EXPECT_THROW(panel.GroupCaption(3), ERangeError);
  EXPECT_THROW(panel.Relative()->Label(7), ERangeError);
}

TEST(MatchRatingWidget, ShowsEitherSideOfAMatchAsTheModelComputesIt) {
  TDetailsSpec spec;
  spec.Home.Ratings = {"21", "30", "44", "12", "80", "5", "1"};
  spec.Away.Ratings = {"7", "25", "40", "33", "9", "61", "3"};
  spec.Home.TacticType = "1";
  spec.Home.TacticSkill = "10";
  spec.Away.TacticType = "3";
  spec.Away.TacticSkill = "6";
  spec.FirstHalfHome = "58";
  spec.FirstHalfAway = "42";
  spec.SecondHalfHome = "61";
  spec.SecondHalfAway = "39";
  const pugi::xml_document details = Details(spec);
  for (bool home : {true, false}) {
    SCOPED_TRACE(home);
    TkvMatchRating panel;
    panel.ShowMatch(MatchOf(details), home);
    TMatchRatingModel model;
    model.ShowMatch(MatchOf(details), home);
    ExpectDrawsModel(panel, model);
  }
  TkvMatchRating home;
  home.ShowMatch(MatchOf(details), true);
  EXPECT_EQ(home.Bar(0)->Percent(), 75);
  EXPECT_EQ(home.Bar(0)->LevelLabel()->text(), "passable\n(Very low)");
  EXPECT_EQ(home.Bar(0)->LevelBar()->Parts(), 6);
  EXPECT_EQ(home.Bar(7)->CaptionLabel()->text(), "Pressing");
  EXPECT_EQ(home.Bar(7)->Percent(), 50);
  EXPECT_EQ(home.Bar(7)->LevelLabel()->text(), "outstanding");
  EXPECT_TRUE(home.Bar(7)->LevelBar()->isHidden());

  // A model computed elsewhere is drawn as it is.
  TMatchRatingModel away;
  away.ShowMatch(MatchOf(details), false);
  home.ShowModel(away);
  ExpectDrawsModel(home, away);
}

TEST(MatchRatingWidget, BarsTakeTheRedTealOrBlueColoursOfTheirShare) {
  TDetailsSpec spec;
  spec.Home.Ratings = {"10", "5", "30", "20", "20", "20", "20"};
  spec.Away.Ratings = {"10", "20", "20", "20", "20", "20", "15"};  // opposing: midfield 10, LeftAtt 15 faces RightDef
  const pugi::xml_document details = Details(spec);
  TkvMatchRating panel;
  panel.ShowMatch(MatchOf(details), true);
  for (int i : {0, 1, 2}) {
    SCOPED_TRACE(i);
    const TkvMatchRatingBar& bar = *panel.Bar(i);
    const TBarColours colours = panel.Model().Bar(i).Colours;
    // At the bar's left end the gradient starts with the bar's colour.
    const QColor left = GaugePixel(bar, 2);
    const QColor want = QColor::fromRgb(colours.Colour);
    EXPECT_LE(std::abs(left.red() - want.red()) + std::abs(left.green() - want.green()) + std::abs(left.blue() - want.blue()),
              12);
  }
  EXPECT_EQ(panel.Model().Bar(0).Colours, BarColours(50));
  EXPECT_LT(panel.Bar(1)->Percent(), 50);
  EXPECT_GT(panel.Bar(2)->Percent(), 50);
  // The empty part of a bar is not painted in the bar's colour.
  const QColor empty = GaugePixel(*panel.Bar(1), TMatchRatingModel::BarWidth - 3);
  EXPECT_GT(empty.lightness(), 230);
}

TEST(MatchRatingWidget, ValuesOffTheTablesShowPlainlyInsideTheBars) {
  TDetailsSpec spec;
  spec.Home.Ratings = {"200", "-5", "0", "81", "99999", "4", "-2147483648"};
  spec.Away.Ratings = {"0", "-9", "0", "-81", "1", "4", "2147483647"};
  spec.Home.TacticType = "12";
  spec.Home.TacticSkill = "40";
  spec.Away.TacticType = "-3";
  spec.Away.TacticSkill = "-7";
  spec.FirstHalfHome = "140";
  spec.SecondHalfHome = "-20";
  const pugi::xml_document details = Details(spec);
  TkvMatchRating panel;
  ASSERT_NO_THROW(panel.ShowMatch(MatchOf(details), true));
  TMatchRatingModel model;
  model.ShowMatch(MatchOf(details), true);
  ExpectDrawsModel(panel, model);
  for (int i = 0; i < TMatchRatingModel::BarCount; ++i) {
    EXPECT_GE(panel.Bar(i)->Percent(), 0) << i;
    EXPECT_LE(panel.Bar(i)->Percent(), 100) << i;
    EXPECT_GE(panel.Bar(i)->LevelBar()->Parts(), 0) << i;
    EXPECT_LE(panel.Bar(i)->LevelBar()->Parts(), LevelBarParts) << i;
    // Painting them must not fail either.
    EXPECT_FALSE(panel.Bar(i)->grab().isNull());
  }
  EXPECT_EQ(panel.Bar(0)->LevelLabel()->text(), "200");
  // The gauge and the thin bar hold what they are given to their scale.
  TRatingGauge gauge;
  gauge.SetValue(250, BarColours(250));
  EXPECT_EQ(gauge.Percent(), 100);
  gauge.SetValue(-4, BarColours(-4));
  EXPECT_EQ(gauge.Percent(), 0);
  TLevelBar thin;
  thin.SetParts(44);
  EXPECT_EQ(thin.Parts(), 20);
  thin.SetParts(-1);
  EXPECT_EQ(thin.Parts(), 0);
}

TEST(MatchRatingWidget, AMatchThatCannotBeShownLeavesThePanelAsItWas) {
  TDetailsSpec spec;
  spec.Home.Ratings = {"21", "30", "44", "12", "80", "5", "1"};
  const pugi::xml_document good = Details(spec);
  TkvMatchRating panel;
  panel.ShowMatch(MatchOf(good), true);
  const TMatchRatingModel before = panel.Model();

  spec.Home.Ratings[3] = "twelve";
  const pugi::xml_document malformed = Details(spec);
  EXPECT_THROW(panel.ShowMatch(MatchOf(malformed), true), EConvertError);
  ExpectDrawsModel(panel, before);

  pugi::xml_document empty;
  EXPECT_THROW(panel.ShowMatch(empty.child("Match"), true), EPitchbookError);
  ExpectDrawsModel(panel, before);
}

TEST(MatchRatingWidget, TheThinBarFillsItsPartsFromTheLeft) {
  TLevelBar thin;
  thin.resize(200, 8);
  thin.SetParts(5);
  const QImage image = thin.grab().toImage();
  // Part 5 (index 4) is filled, part 6 is not, and they differ.
  const QColor filled = image.pixelColor(200 * 4 / 20 + 3, 4);
  const QColor emptyPart = image.pixelColor(200 * 5 / 20 + 3, 4);
  EXPECT_NE(filled, emptyPart);
  EXPECT_EQ(image.pixelColor(3, 4), filled);
  EXPECT_EQ(image.pixelColor(199 - 3, 4), emptyPart);
}

// The tactic bar's caption shows every line of the tactic's name, in English and in German: its lines fit
// the label, the label fits the bar, and the bar the panel.
TEST(MatchRatingWidget, TheTacticCaptionShowsAllOfItsLines) {
  for (bool german : {false, true}) {
    std::unique_ptr<TGermanTexts> texts;
    if (german) {
      texts = std::make_unique<TGermanTexts>();
      ASSERT_TRUE(texts->Available) << PB_GERMAN_MISSING;
    }
    for (int tactic : {0, 1, 2, 3, 4, 5, 7}) {
      SCOPED_TRACE(testing::Message() << (german ? "de " : "en ") << tactic);
      TDetailsSpec spec;
      spec.Home.TacticType = std::to_string(tactic);
      spec.Home.TacticSkill = "8";
      const pugi::xml_document details = Details(spec);
      TkvMatchRating panel;
      panel.ShowMatch(MatchOf(details), true);
      const TkvMatchRatingBar& bar = *panel.Bar(TMatchRatingModel::TacticBar);
      const QLabel& caption = *bar.CaptionLabel();
      ASSERT_EQ(caption.text().toStdString(), TacticName(tactic));
      const QRect lines = QFontMetrics(caption.font())
                              .boundingRect(QRect(0, 0, caption.width(), 1000), Qt::TextWordWrap, caption.text());
      EXPECT_LE(lines.width(), caption.width()) << caption.text().toStdString();
      EXPECT_LE(lines.height(), caption.height()) << caption.text().toStdString();
      EXPECT_TRUE(bar.rect().contains(caption.geometry()));
      EXPECT_TRUE(panel.rect().contains(bar.geometry()));
      // The caption stays beside the bar: it does not reach into the bar itself.
      EXPECT_LE(bar.mapTo(&panel, caption.geometry().topRight()).x(), TMatchRatingModel::BarLeft);
      if (const char* folder = std::getenv("PITCHBOOK_SCREENSHOT_DIR"))
        panel.grab().save(QString("%1/matchrating-tactic-%2-%3.png").arg(folder).arg(german ? "de" : "en").arg(tactic));
    }
  }
}
