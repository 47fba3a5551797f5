// The player box and the pitch: stars, behaviour offsets, icons, header styles, and the pitch drawing what
// the lineup arrangement computes.
#include "core/Errors.h"
#include "ratings/LineupArrangementTestXml.h"
#include "ui/PlayerPanel.h"
#include "ui/TeamDisplayPitch.h"

#include <QApplication>
#include <QImage>
#include <QPointer>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

using namespace lineuptest;

namespace {
// A box on a parent, placed at (100, 50).
class PlayerPanelTest : public ::testing::Test {
protected:
  void SetUp() override {
    FParent.resize(400, 300);
    FBox = new TkvPlayerPanel(&FParent);
    FBox->SetPlace(100, 50);
  }
  QWidget FParent;
  TkvPlayerPanel* FBox = nullptr;
};

QImage Grab(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

pugi::xml_document Lineup(const std::vector<TPlace>& places) {
  pugi::xml_document document;
  TLineupSpec spec;
  spec.Places = places;
  EXPECT_TRUE(document.load_string(LineupXml(spec).c_str()));
  return document;
}

// Every box where and as the arrangement says.
void ExpectDrawsArrangement(const TkvTeamDisplay& display) {
  const TPitchArrangement& arrangement = display.Arrangement();
  EXPECT_EQ(display.height(), arrangement.Height());
  EXPECT_EQ(display.width(), TPitchArrangement::Width);
  for (int i = 0; i < TkvTeamDisplay::BoxCount; ++i) {
    SCOPED_TRACE(i);
    const TPlayerBox& box = arrangement.Panel(i);
    const TkvPlayerPanel& panel = *display.GetPanel(i);
    EXPECT_EQ(!panel.isHidden(), box.Visible);
    EXPECT_EQ(panel.pos(), QPoint(box.ShownLeft(), box.ShownTop()));
    EXPECT_EQ(panel.Place(), QPoint(box.Left, box.Top));
    EXPECT_EQ(panel.GetCaption().toStdString(), box.Caption);
    EXPECT_EQ(panel.GetPlayerName().toStdString(), box.PlayerName);
    EXPECT_EQ(panel.PlayerID(), box.PlayerID);
    EXPECT_EQ(panel.HeaderStyle(), box.HeaderStyle);
    EXPECT_EQ(panel.Behaviour(), box.Behaviour);
    EXPECT_DOUBLE_EQ(panel.Stars(), box.Stars);
  }
}
}  // namespace

TEST_F(PlayerPanelTest, StarStripsAreSizedByTheStarsAndCentredUnderTheBox) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct TCase {
    double Stars;
    int Big;
    int Small;
  } const cases[] = {{7.5, 24, 40}, {5.0, 24, 0}, {0, 0, 0}, {0.5, 0, 8}, {10, 48, 0}, {4.5, 0, 72},
                     {-3, 0, 0},    {nan, 0, 0},  {1e9, 480, 0}};
  FBox->SetStarsVisible(true);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Stars);
    FBox->SetStars(c.Stars);
    const TStarStrip& big = *FBox->BigStarImage();
    const TStarStrip& small = *FBox->SmallStarImage();
    EXPECT_EQ(big.width(), c.Big);
    EXPECT_EQ(small.width(), c.Small);
    EXPECT_EQ(big.height(), 24);
    EXPECT_EQ(small.height(), 16);
    // Right under the box, side by side, the pair centred.
    EXPECT_EQ(big.y(), FBox->y() + TkvPlayerPanel::BoxHeight);
    EXPECT_EQ(small.y(), big.y());
    EXPECT_EQ(small.x(), big.x() + c.Big);
    EXPECT_EQ(big.x(), FBox->x() + (TkvPlayerPanel::BoxWidth - c.Big - c.Small) / 2);
    EXPECT_EQ(big.parentWidget(), &FParent) << "the stars show outside the box";
  }
}

TEST_F(PlayerPanelTest, BehaviourMovesTheBoxAndItsStarsFromItsPlaceWithoutDrift) {
  FBox->SetStarsVisible(true);
  FBox->SetStars(7.5);
  const QPoint place(100, 50);
  struct TCase {
    int Behaviour;
    int PositionCode;
    QPoint Offset;
  } const cases[] = {
      {1, 2, {0, 8}},  {2, 2, {0, -8}}, {3, 2, {8, 0}},  {4, 2, {-8, 0}}, {0, 2, {0, 0}},
      // The left side (codes 4, 5, 8, 9, 11) mirrors the sideways moves.
      {3, 4, {-8, 0}}, {4, 5, {8, 0}},  {3, 8, {-8, 0}}, {4, 9, {8, 0}},  {3, 11, {-8, 0}}, {1, 11, {0, 8}},
      // Extras and unknown codes do not move.
      {5, 2, {0, 0}},  {7, 4, {0, 0}},  {-1, 2, {0, 0}}, {99, 2, {0, 0}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Behaviour << "/" << c.PositionCode);
    FBox->SetPositionCode(c.PositionCode);
    // Twice, and after another behaviour: the place never drifts.
    FBox->SetBehaviour(3);
    FBox->SetBehaviour(c.Behaviour);
    FBox->SetBehaviour(c.Behaviour);
    EXPECT_EQ(FBox->pos(), place + c.Offset);
    EXPECT_EQ(FBox->Place(), place);
    EXPECT_EQ(FBox->BigStarImage()->y(), FBox->y() + TkvPlayerPanel::BoxHeight);
    EXPECT_EQ(FBox->BigStarImage()->x(), FBox->x() + (96 - 64) / 2);
  }
  // Offensive then defensive: 16 up from the offensive place; none puts it back.
  FBox->SetPositionCode(2);
  FBox->SetBehaviour(1);
  const QPoint offensive = FBox->pos();
  FBox->SetBehaviour(2);
  EXPECT_EQ(FBox->pos(), offensive - QPoint(0, 16));
  FBox->SetBehaviour(0);
  EXPECT_EQ(FBox->pos(), place);
  // A new place takes the offset along.
  FBox->SetBehaviour(1);
  FBox->SetPlace(10, 20);
  EXPECT_EQ(FBox->pos(), QPoint(10, 28));
}

TEST_F(PlayerPanelTest, HeaderIconsShowTheSpecialtyAndTheBehavioursArrow) {
  const TSpecialtyImages& specialties = DefaultSpecialtyImages();
  struct TSpecialtyCase {
    int Code;
    const QPixmap* Picture;
    const char* Hint;
  } const specialtyCases[] = {{1, &specialties.Technical, "Technical"}, {2, &specialties.Quick, "Quick"},
                              {3, &specialties.Powerful, "Powerful"},   {4, &specialties.Unpredictable, "Unpredictable"},
                              {5, &specialties.Head, "Head"},           {6, &specialties.Regainer, "Regainer"},
                              {0, nullptr, ""},                         {7, nullptr, ""},
                              {-2, nullptr, ""}};
  for (const TSpecialtyCase& c : specialtyCases) {
    SCOPED_TRACE(c.Code);
    FBox->SetSpecialty(c.Code);
    EXPECT_EQ(!FBox->SpecialtyImage()->isHidden(), c.Picture != nullptr);
    if (!c.Picture) continue;
    EXPECT_EQ(FBox->SpecialtyImage()->pixmap().cacheKey(), c.Picture->cacheKey());
    EXPECT_EQ(FBox->SpecialtyImage()->toolTip(), c.Hint);
  }

  const TBehaviourImages& arrows = DefaultBehaviourImages();
  struct TBehaviourCase {
    int Behaviour;
    int PositionCode;
    const QPixmap* Picture;
  } const behaviourCases[] = {{1, 3, &arrows.Down}, {2, 3, &arrows.Up},    {3, 3, &arrows.Right}, {4, 3, &arrows.Left},
                              {3, 9, &arrows.Left}, {4, 9, &arrows.Right}, {0, 3, nullptr},       {6, 3, nullptr}};
  for (const TBehaviourCase& c : behaviourCases) {
    SCOPED_TRACE(testing::Message() << c.Behaviour << "/" << c.PositionCode);
    FBox->SetPositionCode(c.PositionCode);
    FBox->SetBehaviour(c.Behaviour);
    EXPECT_EQ(!FBox->BehaviourImage()->isHidden(), c.Picture != nullptr);
    if (c.Picture) {
      EXPECT_EQ(FBox->BehaviourImage()->pixmap().cacheKey(), c.Picture->cacheKey());
    }
  }
  // The icons sit at the header's edges.
  EXPECT_EQ(FBox->SpecialtyImage()->geometry(), QRect(0, 0, 16, 16));
  EXPECT_EQ(FBox->BehaviourImage()->geometry().right(), FBox->Header()->width() - 1);
}

TEST_F(PlayerPanelTest, ClearEmptiesTheBoxAndPutsItBackInItsPlace) {
  FBox->SetCaption("IM");
  FBox->SetPlayerName("Hans Meier");
  FBox->SetPlayerID(4711);
  FBox->SetSpecialty(2);
  FBox->SetPositionCode(7);
  FBox->SetBehaviour(1);
  FBox->SetStarsVisible(true);
  FBox->SetStars(6);
  FBox->Clear();
  EXPECT_EQ(FBox->GetCaption(), "");
  EXPECT_EQ(FBox->GetPlayerName(), "");
  EXPECT_EQ(FBox->PlayerID(), 0);
  EXPECT_EQ(FBox->Behaviour(), 0);
  EXPECT_EQ(FBox->Specialty(), 0);
  EXPECT_EQ(FBox->Stars(), 0);
  EXPECT_TRUE(FBox->SpecialtyImage()->isHidden());
  EXPECT_TRUE(FBox->BehaviourImage()->isHidden());
  EXPECT_EQ(FBox->pos(), QPoint(100, 50));
  EXPECT_EQ(FBox->BigStarImage()->width() + FBox->SmallStarImage()->width(), 0);
}

TEST_F(PlayerPanelTest, StarsShowOnlyWhileShownAndTheBoxIsAndNeedRoomOnlyWithPictures) {
  FParent.show();
  FBox->show();
  FBox->SetStars(3);
  EXPECT_FALSE(FBox->BigStarImage()->isVisible());
  EXPECT_EQ(FBox->TotalHeight(), 48);
  FBox->SetStarsVisible(true);
  EXPECT_TRUE(FBox->SmallStarImage()->isVisible());
  EXPECT_EQ(FBox->TotalHeight(), 72);
  FBox->hide();
  EXPECT_FALSE(FBox->SmallStarImage()->isVisible()) << "the stars of a hidden box stay behind";
  FBox->show();
  EXPECT_TRUE(FBox->SmallStarImage()->isVisible());

  // Without pictures there is nothing to make room for.
  TStarImages none;
  FBox->SetImages(&none, nullptr, nullptr);
  EXPECT_EQ(FBox->TotalHeight(), 48);
  FBox->SetImages(nullptr, nullptr, nullptr);
  EXPECT_EQ(FBox->TotalHeight(), 72);

  // Colours 0..2 pick their pictures; anything else draws yellow rather than reaching outside.
  const TStarImages& drawn = DefaultStarImages();
  const struct {
    int Colour;
    const TCustomStarImages* Pictures;
  } colours[] = {{0, &drawn.YellowStars}, {1, &drawn.OrangeStars}, {2, &drawn.RedStars}, {3, &drawn.YellowStars},
                 {-1, &drawn.YellowStars}};
  for (const auto& c : colours) {
    FBox->SetStarColour(c.Colour);
    EXPECT_EQ(FBox->BigStarImage()->Picture().cacheKey(), c.Pictures->Big.cacheKey()) << c.Colour;
    EXPECT_EQ(FBox->SmallStarImage()->Picture().cacheKey(), c.Pictures->Small.cacheKey()) << c.Colour;
  }
  FParent.hide();
}

TEST_F(PlayerPanelTest, StarsFollowTheBoxToAnotherParentAndGoWithIt) {
  FBox->SetStarsVisible(true);
  QWidget other;
  FBox->setParent(&other);
  EXPECT_EQ(FBox->BigStarImage()->parentWidget(), &other);
  EXPECT_EQ(FBox->SmallStarImage()->parentWidget(), &other);
  QPointer<TStarStrip> big = FBox->BigStarImage();
  delete FBox;
  EXPECT_TRUE(big.isNull());

  // A parent that goes first takes box and stars without deleting anything twice.
  auto parent = std::make_unique<QWidget>();
  auto* box = new TkvPlayerPanel(parent.get());
  QPointer<TStarStrip> strip = box->SmallStarImage();
  parent.reset();
  EXPECT_TRUE(strip.isNull());
}

TEST_F(PlayerPanelTest, HeaderStylesPaintTheirGradientAndAStyleOffTheTablePaintsTheNormalOne) {
  FBox->SetCaption("CD");
  auto headerPixel = [&](int style, int y) {
    FBox->SetHeaderStyle(style);
    return Grab(*FBox->Header()).pixelColor(FBox->Header()->width() / 2 + 30, y);
  };
  for (int style = 0; style < HeaderStyleCount; ++style) {
    SCOPED_TRACE(style);
    const THeaderColours colours = HeaderColours(style);
    // Top row near the top colour, bottom row near the bottom colour.
    const QColor top = headerPixel(style, 0);
    const QColor bottom = headerPixel(style, TkvPlayerPanel::HeaderHeight - 1);
    const QColor wantTop = QColor::fromRgb(colours.Top);
    const QColor wantBottom = QColor::fromRgb(colours.Bottom);
    EXPECT_LE(std::abs(top.red() - wantTop.red()) + std::abs(top.green() - wantTop.green()) +
                  std::abs(top.blue() - wantTop.blue()),
              60);
    EXPECT_LE(std::abs(bottom.red() - wantBottom.red()) + std::abs(bottom.green() - wantBottom.green()) +
                  std::abs(bottom.blue() - wantBottom.blue()),
              60);
  }
  FBox->SetHeaderStyle(0);
  const QImage normal = Grab(*FBox->Header());
  for (int style : {4, -1, 1000}) {
    FBox->SetHeaderStyle(style);
    EXPECT_EQ(Grab(*FBox->Header()), normal) << style;
  }
}

TEST(TeamDisplay, DrawsTheArrangementOfEachFormationAndStarsMakeItTaller) {
  TkvTeamDisplay display;
  EXPECT_EQ(display.Formation(), 0);
  ExpectDrawsArrangement(display);
  for (int code = 0; code <= 8; ++code) {
    SCOPED_TRACE(code);
    display.SetFormation(code);
    EXPECT_EQ(display.Formation(), code);
    ExpectDrawsArrangement(display);
  }
  display.SetFormation(9);  // unknown: nothing changes
  EXPECT_EQ(display.Formation(), 8);
  EXPECT_EQ(display.height(), 4 * 48 + 56);
  display.SetStarsVisible(true);
  EXPECT_EQ(display.height(), 4 * 72 + 56);
  ExpectDrawsArrangement(display);
  EXPECT_TRUE(display.GetPanel(0)->StarsVisible());
  EXPECT_THROW(display.GetPanel(11), ERangeError);
  EXPECT_THROW(display.GetPanel(-1), ERangeError);
}

TEST(TeamDisplay, ShowsALineupAndKeepsItsPlacesWhenShownAgain) {
  std::vector<TPlace> places = StartingEleven();
  places[1].Behaviour = "1";  // right back offensive
  places[4].Behaviour = "4";  // left back towards the wing: mirrored
  places[6].Behaviour = "3";  // inner midfielder towards the middle
  places[8].Behaviour = "2";  // left winger defensive
  places[9].Stars = "7.5";
  const pugi::xml_document lineup = Lineup(places);
  TkvTeamDisplay display;
  display.SetStarsVisible(true);
  display.ShowLineup(lineup.document_element());
  ExpectDrawsArrangement(display);
  std::array<QPoint, 11> first;
  for (int i = 0; i < 11; ++i) first[static_cast<size_t>(i)] = display.GetPanel(i)->pos();
  EXPECT_EQ(display.GetPanel(1)->pos(), display.GetPanel(1)->Place() + QPoint(0, 8));
  EXPECT_EQ(display.GetPanel(4)->pos(), display.GetPanel(4)->Place() + QPoint(8, 0));
  EXPECT_EQ(display.GetPanel(9)->BigStarImage()->width(), 24);

  // The same lineup again and again, and other lineups in between: no box drifts.
  for (int round = 0; round < 5; ++round) {
    display.ShowLineup(Lineup(StartingEleven()).document_element());
    display.ShowLineup(lineup.document_element());
  }
  for (int i = 0; i < 11; ++i) EXPECT_EQ(display.GetPanel(i)->pos(), first[static_cast<size_t>(i)]) << i;

  // A malformed star count fails and leaves the display as it was.
  places[3].Stars = "three";
  EXPECT_THROW(display.ShowLineup(Lineup(places).document_element()), EConvertError);
  for (int i = 0; i < 11; ++i) EXPECT_EQ(display.GetPanel(i)->pos(), first[static_cast<size_t>(i)]) << i;
  ExpectDrawsArrangement(display);

  display.ClearPanels();
  ExpectDrawsArrangement(display);
  EXPECT_EQ(display.GetPanel(1)->pos(), display.GetPanel(1)->Place());
}

TEST(TeamDisplay, AnotherDisplaysPicturesAreCopiedAndEmptyStarPicturesNeedNoRoom) {
  TkvTeamDisplay own, other;
  own.StarImages() = TStarImages();
  own.ImagesChanged();
  own.SetStarsVisible(true);
  EXPECT_EQ(own.height(), 4 * 48 + 56) << "no star pictures: no room for stars";
  other.SetStarsVisible(true);
  other.CopyImagesFrom(own);
  EXPECT_EQ(other.height(), 4 * 48 + 56);
  EXPECT_TRUE(other.GetPanel(3)->BigStarImage()->Picture().isNull());
}
