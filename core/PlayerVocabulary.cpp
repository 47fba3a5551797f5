#include "core/PlayerVocabulary.h"

#include "core/Errors.h"
#include "core/Intl.h"

#include <cmath>

const char* const SkillLevelNames[MaxSkillLevel + 1] = {
    N_("non-existent"), N_("disastrous"), N_("wretched"),          N_("poor"),       N_("weak"),
    N_("inadequate"),   N_("passable"),   N_("solid"),             N_("excellent"),  N_("formidable"),
    N_("outstanding"),  N_("brilliant"),  N_("magnificent"),       N_("world class"), N_("supernatural"),
    N_("titanic"),      N_("extra-terrestrial"), N_("mythical"),   N_("magical"),    N_("utopian"),
    N_("divine")};

const char* const SpecialtyShortNames[7] = {"", N_("Tch"), N_("Qck"), N_("Pow"), N_("Unp"), N_("Hea"), N_("Reg")};
const char* const SpecialtyNames[7] = {"",          N_("Technical"), N_("Quick"),   N_("Powerful"),
                                       N_("Unpredictable"), N_("Head"), N_("Regainer")};

const char* const AgreeabilityShortNames[6] = {N_("Nas"), N_("Con"), N_("Ple"), N_("Sym"), N_("Pop"), N_("Bel")};
const char* const AgreeabilityNames[6] = {N_("nasty fellow"),    N_("controversial person"), N_("pleasant guy"),
                                          N_("sympathetic guy"), N_("popular guy"),          N_("beloved team member")};

const char* const HonestyShortNames[6] = {N_("Inf"), N_("Dis"), N_("Hon"), N_("Upr"), N_("Rig"), N_("Sai")};
const char* const HonestyNames[6] = {N_("infamous"), N_("dishonest"), N_("honest"),
                                     N_("upright"),  N_("righteous"), N_("saint like")};

const char* const AggressivenessShortNames[5] = {N_("Tra"), N_("Cal"), N_("Bal"), N_("Tem"), N_("Fie")};
const char* const AggressivenessNames[5] = {N_("tranquil"), N_("calm"), N_("balanced"), N_("temperamental"),
                                            N_("fiery")};

const char* const WeatherNames[6] = {N_("Rainy"), N_("Overcast"), N_("Partially cloudy"),
                                     N_("Sunny"), N_("Udefined"), N_("Disabled")};

namespace {
template <size_t N>
std::string TableName(const char* const (&table)[N], int index) {
  if (index < 0 || index >= static_cast<int>(N)) throw ERangeError();
  // The empty text is gettext's catalogue header: never look it up.
  return table[index][0] ? std::string(_(table[index])) : std::string();
}
}  // namespace

std::string SkillLevelName(double level) {
  if (level >= MaxSkillLevel + 1) {
    const double whole = std::trunc(level) - MaxSkillLevel;
    const int above = whole > 2147483647.0 ? 2147483647 : static_cast<int>(whole);
    return FormatText(_("%s +%d"), _(SkillLevelNames[MaxSkillLevel]), above);
  }
  int index = 0;
  if (level > 0) index = static_cast<int>(std::trunc(level));  // NaN and negatives give 0
  return _(SkillLevelNames[index]);
}

std::string InjuryLevelName(int level) {
  switch (level) {
    case -1: return _("healthy");
    case 0: return _("bruised, but playing");
    case 1: return _("bruised, but training");
    default: return FormatText(_("injured (%d weeks)"), level);
  }
}

std::string SpecialtyName(int specialty, bool shortName) {
  return shortName ? TableName(SpecialtyShortNames, specialty) : TableName(SpecialtyNames, specialty);
}

std::string AgreeabilityName(int agreeability, bool shortName) {
  return shortName ? TableName(AgreeabilityShortNames, agreeability) : TableName(AgreeabilityNames, agreeability);
}

std::string HonestyName(int honesty, bool shortName) {
  return shortName ? TableName(HonestyShortNames, honesty) : TableName(HonestyNames, honesty);
}

std::string AggressivenessName(int aggressiveness, bool shortName) {
  return shortName ? TableName(AggressivenessShortNames, aggressiveness)
                   : TableName(AggressivenessNames, aggressiveness);
}

std::string WeatherName(int weather) { return TableName(WeatherNames, weather); }
