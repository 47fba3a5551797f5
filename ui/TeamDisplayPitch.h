#pragma once
// TkvTeamDisplay: a pitch of eleven player boxes arranged by formation, keeper at the top and forwards at
// the bottom (a player's right side on the left of the picture). It can show the starting eleven of a
// played match from its lineup document.
//
// Where the boxes go and what they show is computed by the lineup arrangement of the engine
// (TPitchArrangement); this widget keeps one and draws it after every change.
#include "ratings/LineupArrangement.h"
#include "ui/PlayerPanel.h"

#include <QFrame>

class QPainter;

#include <array>
#include <memory>

class TkvTeamDisplay : public QFrame {
  Q_OBJECT

public:
  static constexpr int BoxCount = TPitchArrangement::BoxCount;
  static constexpr int DisplayWidth = TPitchArrangement::Width;

  explicit TkvTeamDisplay(QWidget* parent = nullptr);
  ~TkvTeamDisplay() override;

  // The picture sets, owned by the display and shared by all its boxes. After changing one, call
  // ImagesChanged so that the boxes draw the new pictures.
  TSpecialtyImages& SpecialtyImages() { return *FSpecialtyImages; }
  TBehaviourImages& BehaviourImages() { return *FBehaviourImages; }
  TStarImages& StarImages() { return *FStarImages; }
  void ImagesChanged();
  // Takes copies of another display's star and behaviour pictures.
  void CopyImagesFrom(const TkvTeamDisplay& other);

  void SetStarsVisible(bool visible);
  bool StarsVisible() const { return FArrangement->StarsVisible(); }
  // Formation code 0..8 (4-4-2 .. 5-5-0); other codes do nothing.
  void SetFormation(int code);
  int Formation() const { return FArrangement->Formation(); }
  // Box 0..10; ERangeError outside.
  TkvPlayerPanel* GetPanel(int index) const;
  // False (nothing changed) when a central line would hold four or more players.
  bool ArrangePanels(const TLineCounts& counts);
  void ClearPanels();
  // The starting eleven of a lineup document. Raises EConvertError for a malformed number; the display
  // then shows what it showed before.
  void ShowLineup(const pugi::xml_node& lineup);

  // Draws the pitch part of an arrangement computed elsewhere.
  void ShowArrangement(const TPitchArrangement& arrangement);
  const TPitchArrangement& Arrangement() const { return *FArrangement; }

protected:
  // For displays that add to the arrangement (the lineup of a played match).
  TkvTeamDisplay(std::unique_ptr<TPitchArrangement> arrangement, QWidget* parent);
  TPitchArrangement& MutableArrangement() { return *FArrangement; }
  // Draws the arrangement: every box, and the display's height.
  virtual void Redraw();
  // Sets up a box of this display (its pictures and font).
  void PrepareBox(TkvPlayerPanel& box);

  void paintEvent(QPaintEvent* event) override;

private:
  void Init();

  std::unique_ptr<TPitchArrangement> FArrangement;
  std::unique_ptr<TSpecialtyImages> FSpecialtyImages;
  std::unique_ptr<TBehaviourImages> FBehaviourImages;
  std::unique_ptr<TStarImages> FStarImages;
  std::array<TkvPlayerPanel*, BoxCount> FPanels{};
};

// The own half of a pitch filling the area: goal at the top, halfway line at the bottom.
void DrawPitch(QPainter& painter, const QRectF& area);

// The display's font: Verdana where it exists, else the family the platform picks for it.
QFont VerdanaFont(const QFont& base);
