#pragma once
// What the match-rating panel shows for one side of a played match: seven face-off bars (each own sector
// against the opposing sector it meets), the tactic bar, the three group captions and the relative-strength
// column. The panel's widget only draws these values.
#include "ratings/MatchRatingRelative.h"
#include "ratings/RatingScale.h"

#include <pugixml.hpp>

#include <array>
#include <string>
#include <string_view>

// One bar: caption at its left, the percentage as the bar, the level label at its right and the thin
// level bar of 20 parts directly below.
struct TMatchRatingBar {
  int Percent = 0;                // 0..100
  TBarColours Colours = BarColours(0);
  std::string Caption;            // translated sector side or tactic name
  std::string LevelText;          // two lines ("solid\n(High)"), "N/A", or a value off the scale as a number
  int LevelParts = 0;             // 0..20
  bool LevelBarVisible = true;    // false for the tactic bar
  bool operator==(const TMatchRatingBar&) const = default;
};

class TMatchRatingModel {
public:
  static constexpr int BarCount = 8;
  static constexpr int TacticBar = 7;
  static constexpr int GroupCount = 3;

  // Horizontal layout within the panel: the caption label from 32, the bar, the level label, and the
  // relative column 104 pixels right of the bar (the level label's room).
  static constexpr int CaptionLeft = 32;
  static constexpr int CaptionWidth = 72;
  static constexpr int BarLeft = CaptionLeft + CaptionWidth;
  static constexpr int BarWidth = 176;
  static constexpr int BarHeight = 24;
  static constexpr int LevelBarHeight = 8;  // directly below the bar, no border, no text
  static constexpr int LevelLabelLeft = BarLeft + BarWidth + 8;
  static constexpr int LevelLabelWidth = 96;
  static constexpr int RelativeLeft = BarLeft + BarWidth + 104;
  static constexpr int GroupCaptionHeight = 16;
  static constexpr int Width = RelativeLeft + TMatchRatingRelative::Width + 16;
  static int Height();
  // Top of bar 0..7, and of group caption 0..2 ("Midfield", "Defence", "Attack"): right above its first bar.
  static int BarTop(int bar) { return TMatchRatingLayout::BarTop(bar); }
  static int GroupCaptionTop(int group);

  TMatchRatingModel();

  // Shows one side of a match: match is the Match element of a match-details document; isHome picks the
  // HomeTeam element as the own side, else the AwayTeam element. Raises EConvertError when a rating or a
  // tactic skill is not an integer, and EPitchbookError when the Match, HomeTeam or AwayTeam element is
  // missing; the model is then unchanged.
  void ShowMatch(const pugi::xml_node& match, bool isHome);
  // Sets a face-off bar 0..6 from the two ratings' texts (EConvertError when one is not an integer;
  // ERangeError for another bar).
  void SetRatingPair(int bar, std::string_view ownRating, std::string_view opposingRating);
  // Back to the state of a new panel.
  void Clear();

  const TMatchRatingBar& Bar(int index) const;  // ERangeError outside 0..7
  const std::array<TMatchRatingBar, BarCount>& Bars() const { return FBars; }
  const TMatchRatingRelative& Relative() const { return FRelative; }
  // Translated "Midfield", "Defence", "Attack".
  static std::string GroupCaption(int group);

private:
  std::array<TMatchRatingBar, BarCount> FBars;
  TMatchRatingRelative FRelative;
};
