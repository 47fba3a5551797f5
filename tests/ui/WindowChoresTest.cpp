#include "ui/WindowChores.h"

#include <QCheckBox>
#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

TEST(WindowChores, RightAlignedLabelsEndAtTheEdgeOthersStartThere) {
  QWidget parent;
  auto* left = new QLabel("left", &parent);
  auto* right = new QLabel("right", &parent);
  right->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  right->resize(80, 20);
  auto* box = new QCheckBox("box", &parent);
  box->move(5, 40);
  AlignControlsLeft(200, {left, right, box});
  EXPECT_EQ(left->x(), 200);
  EXPECT_EQ(right->x(), 120);
  EXPECT_EQ(box->x(), 200);
  EXPECT_EQ(box->y(), 40);
  SetChecked(true, {box});
  EXPECT_TRUE(box->isChecked());
  parent.show();
  SetControlsVisible(false, {left, box});
  EXPECT_FALSE(left->isVisible());
  EXPECT_TRUE(right->isVisible());
}
