#pragma once
// The arithmetic behind TTeamDisplay, the display of a TTeam built by the lineup search: where the sixteen
// name slots go (eleven on the pitch, five on the bench), how many stars each starter is predicted to get
// and how reliable that is, and the list of penalty takers. Plain C++: the widget only draws these values.
#include <array>
#include <cstdint>
#include <string>

class THistory;
class TTeam;

// A rectangle in pixels.
struct TSlotRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool operator==(const TSlotRect&) const = default;
};

// Numbers of slots 1..10 whose role flags contain central defender, wing back, inner midfielder, winger,
// forward (in this order). A slot with several flags counts in each of them.
struct TTeamRoleCounts {
  std::array<int, 5> Counts{};
  bool operator==(const TTeamRoleCounts&) const = default;
};
TTeamRoleCounts CountRoles(const TTeam& team);

// The pitch's slots 0..10 for these counts. Lines from the top, with u = display height / 16: keeper
// round(u), central defenders round(4u), wing backs round(6u), inner midfielders round(9u), wingers
// round(11u), forwards round(14u). The slots of a role follow each other from slot 1 on in the order
// central defenders, wing backs, inner midfielders, wingers, forwards. Central lines are centred with
// 16-pixel gaps; a wing line puts its first slot 16 from the left and its second 16 from the right; a third
// slot there keeps its previous horizontal place (from `previous`). Slots beyond the counted ones are hidden.
struct TPitchSlot {
  bool Visible = false;
  int Left = 0;
  int Top = 0;
  bool operator==(const TPitchSlot&) const = default;
};
using TPitchSlots = std::array<TPitchSlot, 11>;
TPitchSlots PitchSlotPlaces(const TTeamRoleCounts& counts, int displayWidth, int displayHeight, int slotWidth,
                            const TPitchSlots& previous);

// The bench below the display: top = 2 x display top + display height (the display's own distance from its
// owner's top again), the display's left and width, height round(width / 7.09). With v = bench height / 9,
// B = bench width, W = slot width and s = (B - 4W) / 7: slot 15 (the substitute keeper) at top round(2v),
// centred; slots 11..14 at top round(6v), left round(2s), round(W + 3s), round(3W + 5s), round(2W + 4s).
// The "Penalty takers" button takes slot 11's left edge and size at top round(2v). Positions within the
// bench.
struct TBenchLayout {
  TSlotRect Bench;                 // on the owner
  std::array<TSlotRect, 5> Slots;  // slots 11..15
  TSlotRect PenaltyButton;
};
TBenchLayout BenchLayout(const TSlotRect& display, int slotWidth, int slotHeight);

// The stars a starter is predicted to get and on how many past matches that rests.
struct TPredictedStars {
  double Stars = 0;  // 0.5 .. 10, in half stars when there are samples
  int Samples = 0;
  bool operator==(const TPredictedStars&) const = default;
};
// Samples: over the history pages from the newest backwards, as long as the player is in the page's squad,
// the page's league match and other match where he played with stars above 0 in the slot's role (rating
// as of that page for that match's weather; stars). No samples: the role rating without its weight, in
// tenths, rounded. Samples: stars = slope x rating + intercept by least squares (when the slope is not
// above 0: stars per rating point, no intercept) applied to the player's rating in the slot. An empty slot
// gives 0 stars and 0 samples.
TPredictedStars PredictStars(const TTeam& team, int slot, const THistory& history);

// The strip colour of a prediction: below 3 samples red (2, "Unreliable"), 3..6 orange (1, "Dependable"),
// 7 or more yellow (0, "Accurate"), as the star colours of the boxes.
int PredictionColour(int samples);

// "Penalty kick takers:" and one line per starter, best set-pieces rating first: "01. Name (rating)", the
// lines joined by CR LF. Empty slots are left out.
std::string PenaltyTakersText(const TTeam& team);
