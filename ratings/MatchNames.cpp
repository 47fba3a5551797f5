#include "ratings/MatchNames.h"

#include "core/Intl.h"

const TTacticName TacticNames[MaxTacticType + 1] = {
    {N_("Nrm"), N_("Normal")},          {N_("Prs"), N_("Pressing")},         {N_("CA"), N_("Counter Attacks")},
    {N_("AIM"), N_("Attack in Middle")}, {N_("AOW"), N_("Attack on Wings")}, {N_("PC"), N_("Play Creatively")},
    {"", ""},                           {N_("PC"), N_("Play Creatively")}};

const char* const SubLevelNames[4] = {N_("Very low"), N_("Low"), N_("High"), N_("Very high")};

const char* const MatchTypeNames[MaxMatchType + 1] = {"",
                                                      N_("League match"),
                                                      N_("Qualification match"),
                                                      N_("Cup match"),
                                                      N_("Friendly"),
                                                      N_("Friendly (cup rules)"),
                                                      "",
                                                      "",
                                                      N_("International friendly"),
                                                      N_("International friendly (cup rules)")};

const char* const AttitudeShortNames[3] = {N_("PIC"), N_("Nrm"), N_("MOTS")};
const char* const AttitudeNames[3] = {N_("Play It Cool"), N_("Normal"), N_("Match of the Season")};

namespace {
// The empty text is gettext's catalogue header: never look it up.
std::string Translated(const char* text) { return text[0] ? std::string(_(text)) : std::string(); }
}  // namespace

std::string TacticName(int tactic, bool shortName) {
  if (tactic < 0 || tactic > MaxTacticType) return {};
  return Translated(shortName ? TacticNames[tactic].Short : TacticNames[tactic].Name);
}

std::string SubLevelName(int subLevel) {
  if (subLevel < 0 || subLevel > 3) return {};
  return Translated(SubLevelNames[subLevel]);
}

std::string MatchTypeName(int matchType) {
  if (matchType < 0 || matchType > MaxMatchType) return {};
  return Translated(MatchTypeNames[matchType]);
}

std::string AttitudeName(int attitude, bool shortName) {
  if (attitude < -1 || attitude > 1) return {};
  return Translated(shortName ? AttitudeShortNames[attitude + 1] : AttitudeNames[attitude + 1]);
}
