#pragma once
// Where the player boxes of a pitch go and what they show: the team display of a played match's starting
// eleven (TPitchArrangement) and the lineup display of a played match, which adds the substitutes, the
// set-pieces taker, the captain and up to three replaced players below the pitch (TMatchLineupArrangement).
// The widgets only draw these values: positions are pixels within the pitch (or within the panel of extra
// slots), colours 0xRRGGBB, texts translated.
//
// The pitch is drawn with the keeper at the top and the forwards at the bottom; a player's right side is
// on the left of the picture.
#include <pugixml.hpp>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// ---- One player box ----------------------------------------------------------------------------------

// Header styles of a box: 0 normal, 1 an extra player's place (and the substitutes' slots), 2 the replaced
// players' slots, 3 free for other displays.
constexpr int HeaderStyleCount = 4;

struct THeaderColours {
  uint32_t Top = 0;     // gradient from here
  uint32_t Bottom = 0;  // to here
  uint32_t Text = 0;
  bool operator==(const THeaderColours&) const = default;
};
// Any style off 0..3 is drawn as style 0.
THeaderColours HeaderColours(int style);

struct TOffset {
  int X = 0;
  int Y = 0;
  bool operator==(const TOffset&) const = default;
};
// Behaviour codes of a lineup place (Offensive 1 .. Towards Wing 4; 0 and the extras' 5..7 do not move).
// A box and its star images move by this offset: offensive 8 down, defensive 8 up, towards the middle 8
// right, towards the wing 8 left; for the players on the left side (position codes 4, 5, 8, 9, 11) the
// horizontal moves are mirrored. The offset is added to the box's place, so a box never drifts.
TOffset BehaviourOffset(int behaviour, int positionCode);

enum class TBehaviourIcon { None, Up, Right, Down, Left };
// The icon at the header's right edge: 1 Down, 2 Up, 3 Right, 4 Left (3 and 4 mirrored for the left side).
TBehaviourIcon BehaviourIcon(int behaviour, int positionCode);

// Widths of the star images under a box: 24 pixels show five stars, 16 pixels one (half stars 8).
struct TStarWidths {
  int Big = 0;
  int Small = 0;
  bool operator==(const TStarWidths&) const = default;
};
TStarWidths StarWidths(double stars);

struct TPlayerBox {
  static constexpr int Width = 96;
  static constexpr int Height = 48;
  static constexpr int HeaderHeight = 16;
  static constexpr int StarsHeight = 24;  // room for the star images under the box

  bool Visible = false;
  int Left = 0;             // the box's place; the behaviour offset comes on top (see ShownLeft/ShownTop)
  int Top = 0;
  std::string Caption;      // translated position caption in the header
  int HeaderStyle = 0;
  int64_t PlayerID = 0;
  std::string PlayerName;
  double Stars = 0;
  int PositionCode = 0;
  int Behaviour = 0;        // 0 = none
  int Specialty = 0;        // 0 = none; the header shows icons for 1..5
  bool Filled = false;      // a player was put here since the last Clear

  int ShownLeft() const { return Left + BehaviourOffset(Behaviour, PositionCode).X; }
  int ShownTop() const { return Top + BehaviourOffset(Behaviour, PositionCode).Y; }
  // Empties what the box shows (caption, player, stars, behaviour, specialty); place and style stay.
  void Clear();
  bool operator==(const TPlayerBox&) const = default;
};

// ---- The pitch ---------------------------------------------------------------------------------------

// Counts of an arrangement, in this order.
enum TLineCountIndex : int {
  lcKeeper,
  lcRightBack,
  lcCentralDefenders,
  lcLeftBack,
  lcRightWinger,
  lcInnerMidfielders,
  lcLeftWinger,
  lcForwards,
  lcExtraDefenders,
  lcExtraInnerMidfielders,
  lcExtraForwards,
};
using TLineCounts = std::array<int, 11>;

// Counts of the formation codes 0..8 (4-4-2, 4-3-3, 4-5-1, 3-5-2, 5-3-2, 3-4-3, 5-4-1, 2-5-3, 5-5-0);
// nothing for other codes.
std::optional<TLineCounts> FormationCounts(int code);

class TPitchArrangement {
public:
  static constexpr int BoxCount = 11;
  static constexpr int Width = 5 * TPlayerBox::Width + 48;

  // A new display: stars hidden, formation 0 applied, all boxes empty.
  TPitchArrangement();
  virtual ~TPitchArrangement() = default;
  TPitchArrangement(const TPitchArrangement&) = default;
  TPitchArrangement& operator=(const TPitchArrangement&) = default;

  // Showing stars makes each box taller by the star images (when there are any): the formation is laid
  // out again.
  void SetStarsVisible(bool visible);
  bool StarsVisible() const { return FStarsVisible; }
  // The widget tells when its star pictures are all empty: the boxes then need no room for them.
  void SetStarImagesEmpty(bool empty);
  // Box height, plus the star images' room while they are shown.
  int TotalHeight() const;

  // Stores the code and lays out its counts; other codes than 0..8 do nothing.
  void SetFormation(int code);
  int Formation() const { return FFormation; }

  // Lays the boxes out for these counts. False (and nothing changed) when a central line would hold four
  // or more players with its extras.
  bool ArrangePanels(const TLineCounts& counts);
  // Clear on every box.
  void ClearPanels();
  // Lays out and fills the boxes from a lineup document (its Team/Lineup/Player elements): extras first,
  // into the places marked for them, then the others in lineup order. Raises EConvertError for a number
  // that is not one (RatingStars with '.'); the display is then unchanged.
  void ShowLineup(const pugi::xml_node& lineup);

  const TPlayerBox& Panel(int index) const;  // ERangeError outside 0..10
  TPlayerBox& Panel(int index);
  const std::array<TPlayerBox, BoxCount>& Panels() const { return FBoxes; }
  int VisibleCount() const;
  // The display's height after the last layout.
  int Height() const { return FHeight; }

protected:
  std::array<TPlayerBox, BoxCount> FBoxes;

private:
  bool FStarsVisible = false;
  bool FStarImagesEmpty = false;
  int FFormation = 0;
  int FHeight = 0;
};

// ---- The lineup of a played match --------------------------------------------------------------------

// The pitch and, on a panel 8 pixels below it (120 high, same left and width), ten extra slots:
// 0..4 the substitutes ("Sub (GK)", "Sub (CD)", "Sub (IM)", "Sub (F)", "Sub (W)"), 5 "Set pieces",
// 6 "Team Captain", 7..9 "Replaced" (hidden until a replaced player is loaded).
class TMatchLineupArrangement : public TPitchArrangement {
public:
  static constexpr int ExtraCount = 10;
  static constexpr int ExtraPanelGap = 8;  // between the pitch and the panel
  static constexpr int ExtraPanelHeight = 120;
  static constexpr int ExtraPanelWidth = Width;

  // A new display: the pitch as TPitchArrangement's, the slots empty with their captions.
  TMatchLineupArrangement();

  // Empties the pitch and the slots, restores the slot captions and hides slots 7..9.
  void Clear();
  // The starting eleven onto the pitch (ShowLineup), then the Player elements after the shown pitch places
  // into the slots by their RoleID (12..21; 15 and 16 swap places so that the winger comes last). A PlayerID
  // "0" and a RoleID outside 12..21 leave the slots alone. Raises EConvertError for a malformed number; the
  // display is then unchanged.
  void LoadLineup(const pugi::xml_node& lineup);
  // The translated slot captions and their header styles (1 for slots 0..6, 2 for 7..9).
  void SetSlotCaptions();
  // Two rows of five: 8 pixels from the panel's top and 16 pixels below the box height; 8 pixels from
  // the left and right edges, the middle three spaced evenly.
  void ArrangeSlots();

  const TPlayerBox& Extra(int index) const;  // ERangeError outside 0..9
  TPlayerBox& Extra(int index);
  const std::array<TPlayerBox, ExtraCount>& Extras() const { return FExtras; }
  // Top of the panel of extra slots relative to the pitch's top.
  int ExtraPanelTop() const { return Height() + ExtraPanelGap; }

  // The slot of a lineup RoleID, or -1.
  static int SlotOfRole(int roleID);
  static std::string SlotCaption(int slot);

private:
  void ClearSlots();

  std::array<TPlayerBox, ExtraCount> FExtras;
};
