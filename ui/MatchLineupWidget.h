#pragma once
// TkvMatchLineup: the lineup of a played match. The pitch of TkvTeamDisplay with the starting eleven, and
// below it a panel of ten extra slots: the five substitutes, the set-pieces taker, the captain and up to
// three replaced players.
//
// The extra panel is not a child of the pitch: it is a sibling on the same parent, 8 pixels below the
// pitch, as wide as it. Moving or resizing the lineup (SetBounds, setGeometry, a move) moves the panel
// with it, giving the lineup another parent takes the panel along, and showing or hiding the lineup shows
// or hides the panel.
#include "ratings/LineupArrangement.h"
#include "ui/TeamDisplayPitch.h"

#include <QPointer>

#include <array>

class TkvMatchLineup : public TkvTeamDisplay {
  Q_OBJECT

public:
  static constexpr int ExtraCount = TMatchLineupArrangement::ExtraCount;

  explicit TkvMatchLineup(QWidget* parent = nullptr);
  ~TkvMatchLineup() override;

  // Empties the pitch and the slots, restores the slot captions and hides the "Replaced" slots.
  void Clear();
  // The starting eleven onto the pitch, then the substitutes, set pieces, captain and replaced players
  // into their slots. Raises EConvertError for a malformed number; the display then stays as it was.
  void LoadLineup(const pugi::xml_node& lineup);
  void SetSlotCaptions();
  void ArrangeSlots();
  // Draws a lineup computed elsewhere (the player ratings view), pitch and slots.
  void ShowArrangement(const TMatchLineupArrangement& arrangement);
  const TMatchLineupArrangement& LineupArrangement() const;

  // Slot 0..9; ERangeError outside.
  TkvPlayerPanel* GetSlot(int index) const;
  QFrame* ExtraPanel() const { return FExtraPanel; }

  // Moves and sizes the lineup; the extra panel follows at once, shown or not.
  void SetBounds(int left, int top, int width, int height);
  void setVisible(bool visible) override;

protected:
  void Redraw() override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void PlaceExtraPanel();

  // On the lineup's parent; deleted with the lineup (QPointer: or with the parent, when that goes first).
  QPointer<QFrame> FExtraPanel;
  std::array<TkvPlayerPanel*, ExtraCount> FSlots{};
};
