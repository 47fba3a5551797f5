// The lineup of a played match: its extra panel follows the lineup's bounds, parent and visibility, and its
// slots draw the substitutes, set pieces, captain and replaced players.
#include "core/Errors.h"
#include "ratings/LineupArrangementTestXml.h"
#include "ui/MatchLineupWidget.h"

#include <QApplication>
#include <QPointer>

#include <gtest/gtest.h>

#include <memory>

using namespace lineuptest;

namespace {
QRect ExpectedExtraPanel(const TkvMatchLineup& lineup) {
  return QRect(lineup.x(), lineup.y() + lineup.height() + 8, lineup.width(), 120);
}

pugi::xml_document Lineup(const std::vector<TPlace>& places) {
  pugi::xml_document document;
  TLineupSpec spec;
  spec.Places = places;
  EXPECT_TRUE(document.load_string(LineupXml(spec).c_str()));
  return document;
}
}  // namespace

TEST(MatchLineup, ExtraPanelFollowsTheBoundsShownOrNot) {
  QWidget page;
  page.resize(800, 800);
  auto* lineup = new TkvMatchLineup(&page);
  QFrame* panel = lineup->ExtraPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->parentWidget(), &page);
  EXPECT_EQ(panel->geometry(), ExpectedExtraPanel(*lineup));
  EXPECT_EQ(panel->font().family(), lineup->font().family());

  // Hidden: a move sends no events, SetBounds still moves the panel.
  lineup->SetBounds(20, 30, 528, 400);
  EXPECT_EQ(panel->geometry(), QRect(20, 438, 528, 120));

  page.show();
  QApplication::processEvents();
  EXPECT_TRUE(panel->isVisible());
  lineup->SetBounds(5, 6, 528, 300);
  EXPECT_EQ(panel->geometry(), QRect(5, 314, 528, 120));
  // Plain moves and resizes of a shown lineup take the panel along too.
  lineup->move(40, 10);
  QApplication::processEvents();
  EXPECT_EQ(panel->geometry(), ExpectedExtraPanel(*lineup));
  lineup->resize(500, 344);
  QApplication::processEvents();
  EXPECT_EQ(panel->geometry(), QRect(40, 362, 500, 120));
  // Stars change the pitch's height: the panel stays 8 pixels below it.
  lineup->SetStarsVisible(true);
  QApplication::processEvents();
  EXPECT_EQ(panel->geometry(), ExpectedExtraPanel(*lineup));

  lineup->hide();
  EXPECT_FALSE(panel->isVisible());
  lineup->show();
  EXPECT_TRUE(panel->isVisible());
}

TEST(MatchLineup, ExtraPanelGoesToTheLineupsNewParentAndWithTheLineup) {
  QWidget first, second;
  first.resize(700, 700);
  second.resize(700, 700);
  auto* lineup = new TkvMatchLineup(&first);
  QPointer<QFrame> panel = lineup->ExtraPanel();
  lineup->setParent(&second);
  EXPECT_EQ(panel->parentWidget(), &second);
  lineup->SetBounds(12, 14, 528, 344);
  lineup->show();
  second.show();
  QApplication::processEvents();
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(panel->geometry(), ExpectedExtraPanel(*lineup));
  EXPECT_TRUE(first.findChildren<QFrame*>().isEmpty()) << "nothing of the lineup stays behind";

  // Without a parent the panel has none either and never shows as a window of its own.
  lineup->setParent(nullptr);
  EXPECT_EQ(panel->parentWidget(), nullptr);
  EXPECT_FALSE(panel->isVisible());

  delete lineup;
  EXPECT_TRUE(panel.isNull());

  // A parent that goes first takes the lineup and the panel without deleting anything twice.
  auto parent = std::make_unique<QWidget>();
  auto* other = new TkvMatchLineup(parent.get());
  QPointer<QFrame> otherPanel = other->ExtraPanel();
  parent.reset();
  EXPECT_TRUE(otherPanel.isNull());
}

TEST(MatchLineup, SlotsShowTheBenchRolesAndReplacedPlayers) {
  std::vector<TPlace> places = StartingEleven();
  for (const TPlace& p : BenchAndRoles()) places.push_back(p);
  places[11 + 2].ID = "0";  // no inner midfielder on the bench
  places.push_back({"301", "19", "", "", "", "Replaced One"});
  QWidget page;
  TkvMatchLineup lineup(&page);
  lineup.LoadLineup(Lineup(places).document_element());
  const TMatchLineupArrangement& arrangement = lineup.LineupArrangement();
  for (int slot = 0; slot < TkvMatchLineup::ExtraCount; ++slot) {
    SCOPED_TRACE(slot);
    const TPlayerBox& box = arrangement.Extra(slot);
    const TkvPlayerPanel& panel = *lineup.GetSlot(slot);
    EXPECT_EQ(panel.parentWidget(), lineup.ExtraPanel());
    EXPECT_EQ(!panel.isHidden(), box.Visible);
    EXPECT_EQ(panel.pos(), QPoint(box.Left, box.Top));
    // Clear of the panel's rounded edge on every side.
    EXPECT_TRUE(lineup.ExtraPanel()->rect().adjusted(2, 2, -2, -2).contains(panel.geometry()))
        << panel.geometry().bottom() << " in a panel " << lineup.ExtraPanel()->height() << " high";
    EXPECT_EQ(panel.GetCaption().toStdString(), box.Caption);
    EXPECT_EQ(panel.GetPlayerName().toStdString(), box.PlayerName);
    EXPECT_EQ(panel.PlayerID(), box.PlayerID);
    EXPECT_EQ(panel.HeaderStyle(), box.HeaderStyle);
    EXPECT_FALSE(panel.StarsVisible());
  }
  EXPECT_EQ(lineup.GetSlot(0)->GetCaption(), "Sub (GK)");
  EXPECT_EQ(lineup.GetSlot(0)->PlayerID(), 212);
  EXPECT_EQ(lineup.GetSlot(2)->PlayerID(), 0);
  EXPECT_EQ(lineup.GetSlot(3)->PlayerID(), 216) << "RoleID 16 (forward) in slot 3";
  EXPECT_EQ(lineup.GetSlot(4)->PlayerID(), 215) << "RoleID 15 (winger) in slot 4";
  EXPECT_EQ(lineup.GetSlot(6)->GetCaption(), "Team Captain");
  EXPECT_FALSE(lineup.GetSlot(7)->isHidden());
  EXPECT_EQ(lineup.GetSlot(7)->GetPlayerName(), "Replaced One");
  EXPECT_TRUE(lineup.GetSlot(8)->isHidden());

  // Clear brings back the captions and hides the replaced players' slots.
  lineup.Clear();
  EXPECT_TRUE(lineup.GetSlot(7)->isHidden());
  EXPECT_EQ(lineup.GetSlot(5)->GetCaption(), "Set pieces");
  EXPECT_EQ(lineup.GetSlot(0)->PlayerID(), 0);
  EXPECT_THROW(lineup.GetSlot(10), ERangeError);

  // A malformed number leaves everything as it was.
  lineup.LoadLineup(Lineup(places).document_element());
  places[12].ID = "x12";
  EXPECT_THROW(lineup.LoadLineup(Lineup(places).document_element()), EConvertError);
  EXPECT_EQ(lineup.GetSlot(1)->PlayerID(), 213);
  EXPECT_EQ(lineup.GetSlot(7)->GetPlayerName(), "Replaced One");
}
