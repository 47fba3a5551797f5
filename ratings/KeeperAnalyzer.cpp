#include "ratings/KeeperAnalyzer.h"

#include "core/Intl.h"
#include "core/PlayerVocabulary.h"
#include "core/Utils.h"

#include <algorithm>
#include <climits>
#include <cmath>

double KeeperTSIValue(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return 0;
  text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
  double value = 0;
  try {
    value = StrToFloat(text);
  } catch (const std::exception&) {
    return 0;
  }
  // "inf" or an overflowing exponent would make every later step meaningless.
  if (!std::isfinite(value) || value < 0) return 0;
  return value;
}

double KeeperFormValue(int formIndex, int secondFormIndex) {
  formIndex = std::clamp(formIndex, 0, KeeperFormLast);
  secondFormIndex = std::clamp(secondFormIndex, 0, KeeperSecondFormCount - 1);
  if (formIndex == KeeperFormLast) return formIndex + 0.5;
  return (formIndex + 1) + 0.33 * (secondFormIndex - 1);
}

int KeeperSkillDetail(double tsi, double form) {
  const double v = tsi / 10;
  const double q = 0.0263 * form * form - 0.639 * form + 14.217;
  // nearbyint rounds in the default mode, to nearest with halves to even.
  const double d = std::nearbyint(std::pow(v, 0.2941) * q * 10);
  if (!(d > 0)) return 0;
  if (d >= static_cast<double>(INT_MAX)) return INT_MAX;
  return static_cast<int>(d);
}

TKeeperEstimate EstimateKeeper(std::string_view tsiText, int formIndex, int secondFormIndex) {
  TKeeperEstimate e;
  e.Detail = KeeperSkillDetail(KeeperTSIValue(tsiText), KeeperFormValue(formIndex, secondFormIndex));
  e.ScalePosition = e.Detail / 10;
  e.DetailPosition = e.Detail % 100;
  e.Skill = e.Detail / 100.0 + 1;
  // Printf formatting would follow the locale; the program's decimal point is always ".".
  std::string text = _("Keeper Skill: %.2f");
  if (const auto at = text.find("%.2f"); at != std::string::npos) text.replace(at, 4, FormatFloat(e.Skill, 2));
  e.SkillText = std::move(text);
  const int whole = e.Detail / 100;
  e.LowerLevel = SkillLevelName(whole + 1.0);
  e.UpperLevel = SkillLevelName(whole + 2.0);
  return e;
}
