#pragma once
// The icons in a player box's header: the player's specialty at its left edge and his behaviour (an arrow)
// at its right edge. The program draws them itself; a display may put other pictures into its sets.
#include "ratings/LineupArrangement.h"

#include <QPixmap>

constexpr int HeaderIconSize = 16;

class TSpecialtyImages {
public:
  QPixmap Technical;
  QPixmap Quick;
  QPixmap Powerful;
  QPixmap Unpredictable;
  QPixmap Head;
  QPixmap Regainer;

  // The picture of specialty code 1..6; nullptr for 0 and for any code the game may add later.
  const QPixmap* ForSpecialty(int specialty) const;
  static TSpecialtyImages Drawn(qreal devicePixelRatio = 1.0);
};

class TBehaviourImages {
public:
  QPixmap Up;
  QPixmap Right;
  QPixmap Down;
  QPixmap Left;

  // nullptr for TBehaviourIcon::None.
  const QPixmap* ForIcon(TBehaviourIcon icon) const;
  static TBehaviourImages Drawn(qreal devicePixelRatio = 1.0);
};
