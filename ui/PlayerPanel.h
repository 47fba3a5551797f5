#pragma once
// TkvPlayerPanel: one player box of a pitch (96 x 48): a header strip with the position caption, the
// specialty icon at its left edge and the behaviour icon at its right edge, the player's name below it, and
// the stars he got drawn as two star strips right under the box (on the box's parent, outside the box).
//
// The box has a place (SetPlace); a behaviour moves it and its stars by the behaviour's offset from that
// place (BehaviourOffset of the lineup arrangement), so setting behaviours again and again never drifts.
#include "ratings/LineupArrangement.h"
#include "ui/PlayerPanelImages.h"
#include "ui/StarImages.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>

#include <cstdint>

// The header strip: gradient background in one of the four header styles, bold centred caption.
class THeaderPanel : public QWidget {
  Q_OBJECT

public:
  explicit THeaderPanel(QWidget* parent = nullptr);
  void SetCaption(const QString& caption);
  const QString& Caption() const { return FCaption; }
  void SetStyle(int style);
  int Style() const { return FStyle; }
  // The icon places at the left and right edge (16 x 16, hidden until given a picture).
  QLabel* LeftIcon() const { return FLeftIcon; }
  QLabel* RightIcon() const { return FRightIcon; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QLabel* FLeftIcon = nullptr;
  QLabel* FRightIcon = nullptr;
  QString FCaption;
  int FStyle = 0;
};

// The name below the header: transparent, no border, centred, wrapped onto two lines when long.
class TNamePanel : public QLabel {
  Q_OBJECT

public:
  explicit TNamePanel(QWidget* parent = nullptr);
};

class TkvPlayerPanel : public QFrame {
  Q_OBJECT

public:
  static constexpr int BoxWidth = TPlayerBox::Width;
  static constexpr int BoxHeight = TPlayerBox::Height;
  static constexpr int HeaderHeight = TPlayerBox::HeaderHeight;
  static constexpr int StarsHeight = TPlayerBox::StarsHeight;
  static constexpr QRgb Background = 0xFFFFFBF0;  // cream 255,251,240

  explicit TkvPlayerPanel(QWidget* parent = nullptr);
  ~TkvPlayerPanel() override;

  // The picture sets the box draws from; the display that owns them keeps them alive. nullptr (the default)
  // uses the program's own pictures.
  void SetImages(const TStarImages* stars, const TSpecialtyImages* specialties, const TBehaviourImages* behaviours);

  void SetPlayerName(const QString& name);
  QString GetPlayerName() const;
  void SetCaption(const QString& caption);
  QString GetCaption() const;
  void SetPlayerID(int64_t id) { FPlayerID = id; }
  int64_t PlayerID() const { return FPlayerID; }

  // Shows or hides the two star strips.
  void SetStarsVisible(bool visible);
  bool StarsVisible() const { return FStarsVisible; }
  // Box height, plus the stars' room while they are shown and there are star pictures.
  int TotalHeight() const;
  // 0 yellow, 1 orange, 2 red (another value draws yellow).
  void SetStarColour(int colour);
  int StarColour() const { return FStarColour; }
  // Big strip 24 pixels per five stars, small strip 16 pixels per remaining star, the pair centred under
  // the box.
  void SetStars(double stars);
  double Stars() const { return FStars; }

  // 1..5 (and 6, regainer) show the specialty's icon with its name as hint; 0 and unknown codes hide it.
  void SetSpecialty(int specialty);
  int Specialty() const { return FSpecialty; }
  // Moves the box by the behaviour's offset from its place and shows the behaviour's arrow; 0 and the
  // extras' codes show none and do not move it.
  void SetBehaviour(int behaviour);
  int Behaviour() const { return FBehaviour; }
  // The lineup's PositionCode: the left side's codes mirror the sideways behaviours.
  void SetPositionCode(int code);
  int PositionCode() const { return FPositionCode; }
  // 0..3; other values draw as 0.
  void SetHeaderStyle(int style);
  int HeaderStyle() const { return FHeader->Style(); }

  // The box's place on its parent, before the behaviour's offset.
  void SetPlace(int left, int top);
  QPoint Place() const { return FPlace; }

  // Hides both header icons, empties caption and name, player ID 0, stars 0, behaviour 0 (back to its place)
  // and specialty 0.
  void Clear();
  // Draws one box of an arrangement: place, visibility, caption, style, player, position, behaviour,
  // specialty and stars.
  void ShowBox(const TPlayerBox& box);

  void setVisible(bool visible) override;

  // Parts, for the displays and tests.
  THeaderPanel* Header() const { return FHeader; }
  TNamePanel* NamePanel() const { return FName; }
  QLabel* SpecialtyImage() const { return FSpecialtyImage; }
  QLabel* BehaviourImage() const { return FBehaviourImage; }
  TStarStrip* BigStarImage() const { return FBigStars; }
  TStarStrip* SmallStarImage() const { return FSmallStars; }

protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

private:
  const TStarImages& StarSet() const;
  const TSpecialtyImages& SpecialtySet() const;
  const TBehaviourImages& BehaviourSet() const;
  void CreateStarStrips();
  void UpdatePosition();
  void PlaceStars();
  void UpdateStarVisibility();
  void UpdateBehaviourIcon();

  THeaderPanel* FHeader = nullptr;
  TNamePanel* FName = nullptr;
  QLabel* FSpecialtyImage = nullptr;
  QLabel* FBehaviourImage = nullptr;
  // On the box's parent, so that they show outside the box; deleted with the box.
  QPointer<TStarStrip> FBigStars;
  QPointer<TStarStrip> FSmallStars;

  const TStarImages* FStarImages = nullptr;
  const TSpecialtyImages* FSpecialtyImages = nullptr;
  const TBehaviourImages* FBehaviourImages = nullptr;

  QPoint FPlace;
  bool FStarsVisible = false;
  int FStarColour = scYellow;
  int64_t FPlayerID = 0;
  double FStars = 0;
  int FPositionCode = 0;
  int FBehaviour = 0;
  int FSpecialty = 0;
};

// The program's own pictures, drawn once for the screen's pixel ratio (a QGuiApplication must exist).
const TStarImages& DefaultStarImages();
const TSpecialtyImages& DefaultSpecialtyImages();
const TBehaviourImages& DefaultBehaviourImages();
