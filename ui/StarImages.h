#pragma once
// The star pictures under the player boxes, drawn by the program (no image files) and kept once drawn.
//
// A box shows the stars a player got as two strips: big stars that stand for five stars each, then small
// stars for the rest, a half star as the left half of a small star. A strip is one star picture repeated
// and cut at the strip's width (TStarStrip), so one picture per colour and size is all that is drawn.
#include <QPixmap>
#include <QWidget>

// Star colours of the boxes: 0 yellow, 1 orange, 2 red.
enum TStarColour : int { scYellow = 0, scOrange = 1, scRed = 2 };
constexpr int StarColourCount = 3;

// One star, size x size logical pixels, in a colour 0..2 (any other value draws yellow). Cached per colour,
// size and pixel ratio; a QGuiApplication must exist.
QPixmap StarPicture(int colour, int size, qreal devicePixelRatio = 1.0);

// The two pictures of one colour: Big (one big star standing for five, 24 x 24) and Small (one small star,
// 16 x 16); the strips repeat them.
struct TCustomStarImages {
  QPixmap Big;
  QPixmap Small;
  bool IsEmpty() const { return Big.isNull() && Small.isNull(); }
};

class TStarImages {
public:
  static constexpr int BigSize = 24;
  static constexpr int SmallSize = 16;

  TCustomStarImages RedStars;
  TCustomStarImages OrangeStars;
  TCustomStarImages YellowStars;

  // The pictures of colour 0 yellow, 1 orange, 2 red; another value gives yellow, so that a caller never
  // reaches outside the three.
  const TCustomStarImages& ForColour(int colour) const;
  // True when all six pictures are empty: the boxes then need no room for stars.
  bool IsEmpty() const { return RedStars.IsEmpty() && OrangeStars.IsEmpty() && YellowStars.IsEmpty(); }

  // The program's own pictures in the three colours.
  static TStarImages Drawn(qreal devicePixelRatio = 1.0);
};

// A strip of stars: the picture repeated from the left and cut at the widget's width (so 8 pixels of a
// 16-pixel star show half a star). No frame, transparent background.
class TStarStrip : public QWidget {
  Q_OBJECT

public:
  explicit TStarStrip(QWidget* parent = nullptr);
  void SetPicture(const QPixmap& picture);
  const QPixmap& Picture() const { return FPicture; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QPixmap FPicture;
};
