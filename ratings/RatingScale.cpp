#include "ratings/RatingScale.h"

#include "core/Intl.h"
#include "core/PlayerVocabulary.h"
#include "core/Utils.h"
#include "ratings/MatchNames.h"

#include <algorithm>

namespace {
// Floor division by 4: a rating is an int32, so r + 3 cannot overflow 64 bits for any value we get.
int64_t FloorDiv4(int64_t value) { return value >= 0 ? value / 4 : -((-value + 3) / 4); }
}  // namespace

TRatingLevel RatingLevel(int64_t rating) {
  const int64_t shifted = rating + 3;
  const int64_t level = FloorDiv4(shifted);
  return {level, static_cast<int>(shifted - 4 * level)};
}

bool RatingOnScale(int64_t rating) { return rating >= 0 && rating <= MaxSectorRating; }

std::string RatingLevelText(int64_t rating) {
  if (!RatingOnScale(rating)) return std::to_string(rating);
  const TRatingLevel level = RatingLevel(rating);
  return FormatText(_("%s\n(%s)"), _(SkillLevelNames[level.Level]), SubLevelName(level.SubLevel).c_str());
}

int RatingLevelParts(int64_t rating) {
  return static_cast<int>(std::clamp<int64_t>(RatingLevel(rating).Level, 0, LevelBarParts));
}

int SectorShare(int64_t own, int64_t opposing) {
  own = std::max<int64_t>(own, 0);
  opposing = std::max<int64_t>(opposing, 0);
  if (own + opposing == 0) return 50;
  // Both are at most 2^31, so the quotient is exact enough and within 0..100.
  return static_cast<int>(RoundHalfEven(100.0 * static_cast<double>(own) / static_cast<double>(own + opposing)));
}

TBarColours BarColours(int percent) {
  if (percent < 50) return {0x800000, 0xFAD9E6};
  if (percent == 50) return {0x008080, 0xC0C0C0};
  return {0x000080, 0xA6CAF0};
}

std::string SkillLevelText(int64_t level) {
  if (level < 0 || level > MaxSkillLevel) return std::to_string(level);
  return _(SkillLevelNames[level]);
}

TTacticBarValues TacticBarValues(int64_t tacticType, int64_t tacticSkill) {
  TTacticBarValues bar;
  bar.Caption = tacticType >= 0 && tacticType <= MaxTacticType ? TacticName(static_cast<int>(tacticType))
                                                                : std::to_string(tacticType);
  if (tacticType == 0 || tacticType == 7) {
    bar.LevelText = _("N/A");
    return bar;
  }
  bar.Percent = static_cast<int>(std::clamp<int64_t>(tacticSkill, 0, 20) * 5);
  bar.LevelText = SkillLevelText(tacticSkill);
  return bar;
}
