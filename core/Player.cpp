#include "core/Player.h"

#include "core/Errors.h"
#include "core/Utils.h"

#include <cmath>
#include <limits>

namespace {
// Integer part toward zero; ERangeError when it does not fit 32 bits (NaN included).
int32_t TruncToInt32(double x) {
  const double t = std::trunc(x);
  if (!(t >= std::numeric_limits<int32_t>::min() && t <= std::numeric_limits<int32_t>::max())) throw ERangeError();
  return static_cast<int32_t>(t);
}

const char* ElementText(const pugi::xml_node& node, const char* name) { return node.child(name).text().get(); }

int32_t ElementInt(const pugi::xml_node& node, const char* name) { return StrToInt(ElementText(node, name)); }

double ElementSkill(const pugi::xml_node& node, const char* name) { return ElementInt(node, name); }

// The game pads some names with double blanks; one left-to-right pass, so three blanks become two.
std::string CollapseDoubleBlanks(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    result += text[i];
    if (text[i] == ' ' && i + 1 < text.size() && text[i + 1] == ' ') ++i;
  }
  return result;
}
}  // namespace

TPlayer::TPlayer(int weather, bool includeTraining, bool ignoreForm)
    : Weather(weather), IgnoreForm(ignoreForm), IncludeTraining(includeTraining) {}

std::unique_ptr<TPlayer> TPlayer::Clone() const { return std::unique_ptr<TPlayer>(new TPlayer(*this)); }

void TPlayer::LoadFromXML(const pugi::xml_node& node) {
  // A wider ID than 32 bits is kept as it is; only the history store needs 32-bit IDs.
  PlayerID = StrToInt64(ElementText(node, "PlayerID"));
  PlayerName = CollapseDoubleBlanks(ElementText(node, "PlayerName"));
  Age = ElementInt(node, "Age");
  InjuryLevel = ElementInt(node, "InjuryLevel");
  PlayerForm = ElementInt(node, "PlayerForm");
  StaminaSkill = ElementSkill(node, "StaminaSkill");
  PlaymakerSkill = ElementSkill(node, "PlaymakerSkill");
  ScorerSkill = ElementSkill(node, "ScorerSkill");
  PassingSkill = ElementSkill(node, "PassingSkill");
  WingerSkill = ElementSkill(node, "WingerSkill");
  SetPiecesSkill = ElementSkill(node, "SetPiecesSkill");
  DefenderSkill = ElementSkill(node, "DefenderSkill");
  KeeperSkill = ElementSkill(node, "KeeperSkill");
  Experience = ElementInt(node, "Experience");
  Leadership = ElementInt(node, "Leadership");
  Salary = ElementInt(node, "Salary");
  TSI = ElementInt(node, "TSI");
  CareerGoals = ElementInt(node, "CareerGoals");
  LeagueGoals = ElementInt(node, "LeagueGoals");
  CupGoals = ElementInt(node, "CupGoals");
  FriendliesGoals = ElementInt(node, "FriendliesGoals");
  CareerKickvales = ElementInt(node, "CareerKickvales");
  CountryID = ElementInt(node, "CountryID");
  Cards = ElementInt(node, "Cards");
  Specialty = ElementInt(node, "Specialty");
  TransferListed = ElementInt(node, "TransferListed");
  Agreeability = ElementInt(node, "Agreeability");
  Honesty = ElementInt(node, "Honesty");
  Aggressiveness = ElementInt(node, "Aggressiveness");
  const pugi::xml_node trainer = node.child("TrainerData");
  TrainerType = ElementText(trainer, "TrainerType");
  TrainerSkill = ElementText(trainer, "TrainerSkill");
}

double TPlayer::GetValue(int code) const {
  switch (code) {
    case paCountryID: return CountryID;
    case paPlayerID: return static_cast<double>(PlayerID);
    case paStamina: return GetStamina();
    case paPlaymaking: return GetPlaymaking();
    case paWinger: return GetWinging();
    case paScoring: return GetScoring();
    case paKeeper: return KeeperSkill;
    case paPassing: return PassingSkill;
    case paDefending: return GetDefending();
    case paSetPieces: return GetSetPieces();
    case paForm: return PlayerForm;
    case paExperience: return Experience;
    case paLeadership: return Leadership;
    case paCards: return Cards;
    case paInjuryLevel: return InjuryLevel;
    case paAge: return Age;
    case paTSI: return TSI;
    case paSalary: return Salary;
    case paCareerGoals: return CareerGoals;
    case paLeagueGoals: return LeagueGoals;
    case paCupGoals: return CupGoals;
    case paFriendliesGoals: return FriendliesGoals;
    case paCareerKickvales: return CareerKickvales;
    case paSpecialty: return Specialty;
    case paAgreeability: return Agreeability;
    case paHonesty: return Honesty;
    case paAggressiveness: return Aggressiveness;
    case paForwardRating: return GetForwardRating();
    case paWingerRating: return GetWingerRating();
    case paInnerMidfieldRating: return GetInnerMidfieldRating();
    case paWingBackRating: return GetWingBackRating();
    case paCentralDefenderRating: return GetCentralDefenderRating();
    case paKeeperRating: return GetKeeperRating();
    case paSetPiecesRating: return GetSetPiecesRating();
    case paBestRating: return GetBestRating();
    default: return -1;
  }
}

int32_t TPlayer::GetIntValue(int code) const { return TruncToInt32(GetValue(code)); }

void TPlayer::SetValue(int code, double x) {
  const int32_t v = TruncToInt32(x);
  switch (code) {
    case paCountryID: CountryID = v; break;
    case paPlayerID: PlayerID = v; break;
    case paStamina: StaminaSkill = v; break;
    case paPlaymaking: PlaymakerSkill = v; break;
    case paWinger: WingerSkill = v; break;
    case paScoring: ScorerSkill = v; break;
    case paKeeper: KeeperSkill = v; break;
    case paPassing: PassingSkill = v; break;
    case paDefending: DefenderSkill = v; break;
    case paSetPieces: SetPiecesSkill = v; break;
    case paForm: PlayerForm = v; break;
    case paExperience: Experience = v; break;
    case paLeadership: Leadership = v; break;
    case paCards: Cards = v; break;
    case paInjuryLevel: InjuryLevel = v; break;
    case paAge: Age = v; break;
    case paTSI: TSI = v; break;
    case paSalary: Salary = v; break;
    case paCareerGoals: CareerGoals = v; break;
    case paLeagueGoals: LeagueGoals = v; break;
    case paCupGoals: CupGoals = v; break;
    case paFriendliesGoals: FriendliesGoals = v; break;
    case paCareerKickvales: CareerKickvales = v; break;
    case paSpecialty: Specialty = v; break;
    case paAgreeability: Agreeability = v; break;
    case paHonesty: Honesty = v; break;
    case paAggressiveness: Aggressiveness = v; break;
    default: break;  // ratings are computed, other codes have no field
  }
}

double TPlayer::GetBaseSkill(int code) const {
  switch (code) {
    case paStamina: return StaminaSkill;
    case paPlaymaking: return PlaymakerSkill;
    case paWinger: return WingerSkill;
    case paScoring: return ScorerSkill;
    case paKeeper: return KeeperSkill;
    case paPassing: return PassingSkill;
    case paDefending: return DefenderSkill;
    case paSetPieces: return SetPiecesSkill;
    default: return -1;
  }
}
