#include "ratings/MatchRating.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"

namespace {
// Own and opposing element of each face-off bar: each own sector meets the opposing sector in front of it.
struct TFaceOff {
  const char* Own;
  const char* Opposing;
  const char* Caption;
};
constexpr TFaceOff FaceOffs[7] = {
    {"RatingMidfield", "RatingMidfield", ""},         {"RatingRightDef", "RatingLeftAtt", N_("Right")},
    {"RatingMidDef", "RatingMidAtt", N_("Central")},  {"RatingLeftDef", "RatingRightAtt", N_("Left")},
    {"RatingRightAtt", "RatingLeftDef", N_("Right")}, {"RatingMidAtt", "RatingMidDef", N_("Central")},
    {"RatingLeftAtt", "RatingRightDef", N_("Left")}};

constexpr const char* GroupCaptions[TMatchRatingModel::GroupCount] = {N_("Midfield"), N_("Defence"), N_("Attack")};

// An element that may be empty counts as 0; anything else must be an integer.
int32_t IntOrZero(const pugi::xml_node& parent, const char* name) {
  const std::string text = ChildText(parent, name);
  return text.empty() ? 0 : StrToInt(text);
}

pugi::xml_node RequiredChild(const pugi::xml_node& parent, const char* name) {
  pugi::xml_node child = parent.child(name);
  if (!child) throw EPitchbookError(FormatText(_("The match details have no %s element."), name));
  return child;
}
}  // namespace

TMatchRatingModel::TMatchRatingModel() { Clear(); }

int TMatchRatingModel::Height() { return BarTop(TacticBar) + BarHeight + LevelBarHeight + 16; }

int TMatchRatingModel::GroupCaptionTop(int group) {
  static constexpr int FirstBars[GroupCount] = {0, 1, 4};
  if (group < 0 || group >= GroupCount) throw ERangeError();
  return BarTop(FirstBars[group]) - GroupCaptionHeight;
}

std::string TMatchRatingModel::GroupCaption(int group) {
  if (group < 0 || group >= GroupCount) throw ERangeError();
  return _(GroupCaptions[group]);
}

void TMatchRatingModel::Clear() {
  for (size_t i = 0; i < FBars.size(); ++i) {
    TMatchRatingBar& bar = FBars[i];
    bar = TMatchRatingBar();
    if (i < 7 && FaceOffs[i].Caption[0]) bar.Caption = _(FaceOffs[i].Caption);
  }
  FBars[TacticBar].LevelBarVisible = false;
  FRelative.Clear();
}

const TMatchRatingBar& TMatchRatingModel::Bar(int index) const {
  if (index < 0 || index >= BarCount) throw ERangeError();
  return FBars[static_cast<size_t>(index)];
}

void TMatchRatingModel::SetRatingPair(int bar, std::string_view ownRating, std::string_view opposingRating) {
  if (bar < 0 || bar >= TacticBar) throw ERangeError();
  const int32_t own = StrToInt(ownRating);
  const int32_t opposing = StrToInt(opposingRating);
  TMatchRatingBar& target = FBars[static_cast<size_t>(bar)];
  target.Percent = SectorShare(own, opposing);
  target.Colours = BarColours(target.Percent);
  target.LevelText = RatingLevelText(own);
  target.LevelParts = RatingLevelParts(own);
}

void TMatchRatingModel::ShowMatch(const pugi::xml_node& match, bool isHome) {
  if (!match) throw EPitchbookError(FormatText(_("The match details have no %s element."), "Match"));
  const pugi::xml_node home = RequiredChild(match, "HomeTeam");
  const pugi::xml_node away = RequiredChild(match, "AwayTeam");
  const pugi::xml_node own = isHome ? home : away;
  const pugi::xml_node opposing = isHome ? away : home;

  // Everything is computed on a new model, so that a failure leaves the shown match whole.
  TMatchRatingModel next;
  const int32_t firstHalf = IntOrZero(match, isHome ? "PossessionFirstHalfHome" : "PossessionFirstHalfAway");
  const int32_t secondHalf = IntOrZero(match, isHome ? "PossessionSecondHalfHome" : "PossessionSecondHalfAway");
  for (int bar = 0; bar < TacticBar; ++bar) {
    const TFaceOff& faceOff = FaceOffs[bar];
    next.SetRatingPair(bar, ChildText(own, faceOff.Own), ChildText(opposing, faceOff.Opposing));
  }
  const int32_t ownType = IntOrZero(own, "TacticType");
  const int32_t oppType = IntOrZero(opposing, "TacticType");
  const int32_t ownSkill = StrToInt(ChildText(own, "TacticSkill"));
  const int32_t oppSkill = StrToInt(ChildText(opposing, "TacticSkill"));

  TMatchRatingBar& tactic = next.FBars[TacticBar];
  const TTacticBarValues values = TacticBarValues(ownType, ownSkill);
  tactic.Percent = values.Percent;
  tactic.Colours = BarColours(values.Percent);
  tactic.Caption = values.Caption;
  tactic.LevelText = values.LevelText;

  TSectorShares shares{};
  for (size_t j = 0; j < shares.size(); ++j) shares[j] = next.FBars[j].Percent;
  next.FRelative.Calculate(shares, ownType, oppType, ownSkill, oppSkill, firstHalf, secondHalf);
  *this = std::move(next);
}
