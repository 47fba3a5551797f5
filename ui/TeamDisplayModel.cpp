#include "ui/TeamDisplayModel.h"

#include "core/Intl.h"
#include "core/MatchPage.h"
#include "core/Player.h"
#include "core/Team.h"
#include "core/Utils.h"
#include "data/History.h"
#include "data/HistoryPage.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {
// The role flags counted, in the order of the counts and of the slots.
constexpr uint8_t CountedRoles[5] = {rfCentralDefender, rfWingBack, rfInnerMidfielder, rfWinger, rfForward};

int Round(double value) { return static_cast<int>(RoundHalfEven(value)); }

// The role a slot's flags stand for, as the role rating reads them: the first of 2, 4, 8, 16, 32, else
// keeper.
uint8_t PrimaryRole(int flags) {
  for (uint8_t role : CountedRoles)
    if (flags & role) return role;
  return rfKeeper;
}

// The weight the lineup search puts on a role's rating.
double RoleWeight(uint8_t role) {
  switch (role) {
    case rfWingBack:
    case rfWinger: return 0.5;
    case rfInnerMidfielder: return 2.0;
    default: return 1.0;
  }
}

struct TSample {
  double Rating;
  double Stars;
};

std::vector<TSample> CollectSamples(const TPlayer& player, uint8_t role, const THistory& history) {
  std::vector<TSample> samples;
  if (!FitsMatchID(player.PlayerID)) return samples;
  const auto id = static_cast<int32_t>(player.PlayerID);
  for (int index = history.Count(); index >= 1; --index) {
    const THistoryPage& page = history.Page(index);
    if (!page.FindPlayer(player.PlayerID)) break;
    for (const TMatchPage* match : {&page.LeagueMatch, &page.OtherMatch}) {
      if (!match->HasMatch() || match->IndexOfPlayer(id) == 0) continue;
      const double stars = match->GetStars(id);
      const int flags = match->GetRoleFlags(id);
      if (stars <= 0 || flags == 0 || PrimaryRole(flags) != role) continue;
      // The rating in the role played that week (league match first), as the history store gives it: a
      // failure counts as a rating of 0, not as a missing sample.
      samples.push_back({page.GetPlayedRating(player.PlayerID, index, match->WeatherID), stars});
    }
  }
  return samples;
}
}  // namespace

TTeamRoleCounts CountRoles(const TTeam& team) {
  TTeamRoleCounts result;
  for (int slot = 1; slot <= TTeam::LastStarterSlot; ++slot) {
    const uint8_t flags = team.GetRoleFlags(slot);
    for (size_t r = 0; r < 5; ++r)
      if (flags & CountedRoles[r]) ++result.Counts[r];
  }
  return result;
}

TPitchSlots PitchSlotPlaces(const TTeamRoleCounts& counts, int displayWidth, int displayHeight, int slotWidth,
                            const TPitchSlots& previous) {
  TPitchSlots slots;
  const double u = displayHeight / 16.0;
  const int D = displayWidth;
  const int W = slotWidth;
  slots[0] = {true, (D - W) / 2, Round(u)};

  // Line tops of central defenders, wing backs, inner midfielders, wingers, forwards; wing lines are 1, 3.
  const int tops[5] = {Round(4 * u), Round(6 * u), Round(9 * u), Round(11 * u), Round(14 * u)};
  size_t slot = 1;
  for (size_t line = 0; line < 5; ++line) {
    const int n = counts.Counts[line];
    const bool wing = line == 1 || line == 3;
    for (int j = 0; j < n && slot < slots.size(); ++j, ++slot) {
      TPitchSlot& place = slots[slot];
      place.Visible = true;
      place.Top = tops[line];
      if (!wing)
        place.Left = j * (W + 16) + (D - 16 * (n - 1) - n * W) / 2;
      else if (j == 0)
        place.Left = 16;
      else if (j == 1)
        place.Left = D - W - 16;
      else
        place.Left = previous[slot].Left;
    }
  }
  return slots;
}

TBenchLayout BenchLayout(const TSlotRect& display, int slotWidth, int slotHeight) {
  TBenchLayout layout;
  const int height = Round(display.Width / 7.09);
  layout.Bench = {display.Left, 2 * display.Top + display.Height, display.Width, height};
  const double v = height / 9.0;
  const double B = display.Width;
  const double W = slotWidth;
  const double s = (B - 4 * W) / 7;
  const int lower = Round(6 * v);
  const int upper = Round(2 * v);
  const int lefts[4] = {Round(2 * s), Round(W + 3 * s), Round(3 * W + 5 * s), Round(2 * W + 4 * s)};
  for (size_t i = 0; i < 4; ++i) layout.Slots[i] = {lefts[i], lower, slotWidth, slotHeight};
  layout.Slots[4] = {(display.Width - slotWidth) / 2, upper, slotWidth, slotHeight};
  layout.PenaltyButton = {lefts[0], upper, slotWidth, slotHeight};
  return layout;
}

TPredictedStars PredictStars(const TTeam& team, int slot, const THistory& history) {
  const TPlayer* player = team.GetSlot(slot);
  if (!player) return {};
  const uint8_t role = PrimaryRole(team.GetRoleFlags(slot));
  double rating = FitsMatchID(player->PlayerID) ? team.RoleRatingOfPlayer(static_cast<int32_t>(player->PlayerID)) : 0;
  if (!std::isfinite(rating)) rating = 0;
  const std::vector<TSample> samples = CollectSamples(*player, role, history);

  double stars = 0;
  if (samples.empty()) {
    stars = Round(Round(rating / RoleWeight(role)) / 10.0);
  } else {
    const double n = static_cast<double>(samples.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const TSample& s : samples) {
      sx += s.Rating;
      sy += s.Stars;
      sxx += s.Rating * s.Rating;
      sxy += s.Rating * s.Stars;
    }
    // Equal ratings make the denominator zero, but summed in floating point only nearly so: a remainder
    // within rounding error must not pass for a slope.
    const double denominator = n * sxx - sx * sx;
    double slope = std::abs(denominator) > 1e-9 * n * sxx ? (n * sxy - sx * sy) / denominator : 0;
    double intercept = (sy - slope * sx) / n;
    // One sample, equal ratings or stars that fall as the rating rises: stars per rating point instead.
    if (!(slope > 0)) {
      slope = sx != 0 ? sy / sx : 0;
      intercept = 0;
    }
    stars = RoundHalfEven((rating * slope + intercept) * 2) / 2.0;
  }
  if (!std::isfinite(stars)) stars = 0;
  return {std::clamp(stars, 0.5, 10.0), static_cast<int>(samples.size())};
}

int PredictionColour(int samples) {
  if (samples < 3) return 2;
  if (samples < 7) return 1;
  return 0;
}

std::string PenaltyTakersText(const TTeam& team) {
  std::vector<std::pair<std::string, const TPlayer*>> takers;
  for (int slot = 0; slot <= TTeam::LastStarterSlot; ++slot) {
    const TPlayer* player = team.GetSlot(slot);
    if (!player) continue;
    const int key = Round(100 * player->GetValue(paSetPiecesRating));
    takers.emplace_back(FormatText("%.5d%s", key, player->PlayerName.c_str()), player);
  }
  std::sort(takers.begin(), takers.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::string text = std::string(_("Penalty kick takers")) + ":";
  int rank = 0;
  for (auto it = takers.rbegin(); it != takers.rend(); ++it) {
    const TPlayer& player = *it->second;
    text += "\r\n" + FormatText("%.2d. %s (%.2d)", ++rank, player.PlayerName.c_str(),
                                Round(player.GetValue(paSetPiecesRating)));
  }
  return text;
}
