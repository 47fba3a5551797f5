#include "data/HistorySeriesPlayer.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/MatchPage.h"
#include "core/Player.h"
#include "core/PlayerVocabulary.h"
#include "core/Utils.h"
#include "data/Currencies.h"
#include "data/History.h"
#include "data/HistorySeries.h"
#include "data/Money.h"
#include "data/TrainingData.h"

#include <cmath>

namespace {
const char* const SkillNames[8] = {N_("Stamina"), N_("Playmaking"), N_("Winger"),    N_("Scoring"),
                                   N_("Keeper"),  N_("Passing"),    N_("Defending"), N_("Set pieces")};

const char* const LineupPositionNames[12] = {"",
                                             N_("Keeper"),
                                             N_("Right Back"),
                                             N_("Central Defender"),
                                             N_("Central Defender"),
                                             N_("Left Back"),
                                             N_("Right Winger"),
                                             N_("Inner Midfield"),
                                             N_("Inner Midfield"),
                                             N_("Left Winger"),
                                             N_("Forward"),
                                             N_("Forward")};

const char* const BehaviourNames[8] = {N_("Normal"),         N_("Offensive"),     N_("Defensive"),
                                       N_("Towards Middle"), N_("Towards Wing"),  N_("Extra Forward"),
                                       N_("Extra Inner Midfield"), N_("Extra Defender")};

std::string LevelText(double value) {
  const int level = static_cast<int>(std::trunc(value));
  return SkillLevelName(value) + " (" + std::to_string(level) + ")";
}

std::string CountryName(int countryID) {
  if (countryID < 1 || countryID > LeagueCurrencySlots) return {};
  const TLeagueCurrency& league = LeagueCurrencyOf(countryID);
  return league.IsFilled() ? league.LeagueName : std::string();
}

template <size_t N>
std::string TableText(const char* const (&table)[N], int index) {
  if (index < 0 || index >= static_cast<int>(N) || !table[index][0]) return {};
  return _(table[index]);
}

// A name from one of the player's value tables; a value the table does not know shows nothing.
template <class F>
std::string SafeName(F name) {
  try {
    return name();
  } catch (const ERangeError&) {
    return {};
  }
}
}  // namespace

std::string WageText(const TPlayer& player, const THistoryPage& current) {
  const std::string currency = CurrencyName();
  if (player.CountryID == current.World.CountryID)
    return FormatText(_("%s %s/week"), FormatMoney(player.Salary).c_str(), currency.c_str());
  // The game's players file states the wage with the foreigner's bonus; the old record files did not.
  const int64_t salary = current.IsXml ? int64_t(player.Salary) : std::llround(player.Salary * 1.2);
  return FormatText(_("%s %s/week including 20%% bonus"), FormatMoney(salary).c_str(), currency.c_str());
}

TPlayerGeneral PlayerGeneral(const THistory& history, int64_t playerID, const THistoryPage* current) {
  TPlayerGeneral g;
  if (history.Count() == 0) return g;
  const THistoryPage& newest = history.Latest();
  const TPlayer* p = newest.FindPlayer(playerID);
  if (!p) return g;
  g.Present = true;
  g.Name = p->PlayerName;
  g.NameLine = FormatText(_("%s (%lld)"), p->PlayerName.c_str(), static_cast<long long>(p->PlayerID));
  g.AgeLine = FormatText(_("%d years, %s form, %s"), p->Age, SkillLevelName(p->PlayerForm).c_str(),
                         InjuryLevelName(p->InjuryLevel).c_str());
  g.PersonalityLine = FormatText(_("A %s who is %s and %s."), SafeName([&] { return AgreeabilityName(p->Agreeability); }).c_str(),
                                 SafeName([&] { return AggressivenessName(p->Aggressiveness); }).c_str(),
                                 SafeName([&] { return HonestyName(p->Honesty); }).c_str());
  g.ExperienceLine = FormatText(_("Has %s experience and %s leadership abilities."),
                                SkillLevelName(p->Experience).c_str(), SkillLevelName(p->Leadership).c_str());
  if (p->Specialty != spNone) {
    const std::string specialty = SafeName([&] { return SpecialtyName(p->Specialty); });
    if (!specialty.empty()) g.Speciality = FormatText(_("Speciality: %s"), specialty.c_str());
  }
  g.Nationality = CountryName(p->CountryID);
  g.TSI = FormatText("%s (%s %s)", GroupDigits(' ', p->TSI).c_str(), FormatMoney(int64_t(p->TSI) * 1000).c_str(),
                     CurrencyName().c_str());
  g.Wage = WageText(*p, current ? *current : newest);
  g.Warnings = p->Cards >= 3 ? std::string(_("(Suspended)")) : std::to_string(p->Cards);
  for (int s = 0; s < 8; ++s) g.Skills[s] = LevelText(p->GetValue(paStamina + s));
  g.CareerGoals = std::to_string(p->CareerGoals);
  g.CareerKickvales = std::to_string(p->CareerKickvales);
  g.LeagueGoals = std::to_string(p->LeagueGoals);
  g.CupGoals = std::to_string(p->CupGoals);
  return g;
}

std::string LineupPositionName(int positionCode) {
  if (positionCode > 11) return _("Substitute");
  return TableText(LineupPositionNames, positionCode);
}

std::string BehaviourName(int behaviour) { return TableText(BehaviourNames, behaviour); }

std::string PositionGroupName(int group) {
  switch (group) {
    case 1: return _("Keeper");
    case 2: return _("Wing Back");
    case 3: return _("Central Defender");
    case 6: return _("Winger");
    case 7: return _("Inner Midfielder");
    case 10: return _("Forward");
    default: return _("None");
  }
}

TPlayerMatches PlayerMatches(const THistory& history, int64_t playerID) {
  TPlayerMatches result;
  if (!FitsMatchID(playerID)) return result;
  const int32_t id = static_cast<int32_t>(playerID);
  for (int i = 1; i <= history.Count(); ++i) {
    const THistoryPage& page = history.Page(i);
    // The other match of a week was played before the snapshot, its league match after it.
    for (const TMatchPage* match : {&page.OtherMatch, &page.LeagueMatch}) {
      if (!match->HasMatch()) continue;
      const int slot = match->IndexOfPlayer(id);
      if (slot == 0 || (slot > 11 && !match->IsInLateSlots(id))) continue;
      TPlayedMatch played;
      played.Found = true;
      played.Stars = match->GetStars(id);
      played.Position = LineupPositionName(match->Lineup[slot].PositionCode);
      played.Behaviour = BehaviourName(match->Lineup[slot].Behaviour);
      played.Opponent = match->HomeTeamID == page.Team.TeamID ? match->AwayTeamName : match->HomeTeamName;
      played.Season = page.World.Season;
      played.Matchday = page.World.MatchRound;
      played.Weather = SafeName([&] { return WeatherName(match->WeatherID); });
      if (const TPlayer* p = page.FindPlayer(playerID)) {
        played.Form = SkillLevelName(p->PlayerForm);
        played.Experience = SkillLevelName(p->Experience);
      }
      if (!result.Best.Found || played.Stars > result.Best.Stars) result.Best = played;
      result.Latest = played;
    }
  }
  return result;
}

std::vector<TPastTrainingRow> PastTraining(THistory& history, int64_t playerID) {
  std::vector<TPastTrainingRow> rows;
  const int32_t id = FitsMatchID(playerID) ? static_cast<int32_t>(playerID) : 0;
  for (int i = history.Count(); i >= 1; --i) {
    const THistoryPage& page = history.Page(i);
    const TPlayer* p = page.FindPlayer(playerID);
    if (!p) continue;
    for (int skill = paStamina; skill <= paSetPieces; ++skill) {
      const double increment = history.GetWeeklyIncrement(i, playerID, skill, true);
      if (!(increment > 0)) continue;
      int group = id ? page.OtherMatch.GetPositionGroup(id) : 0;
      if (group == 0 && i >= 2 && id) group = history.Page(i - 1).LeagueMatch.GetPositionGroup(id);
      TPastTrainingRow row;
      row.Week = page.World.RoundLabel();
      row.TrainType = TrainingTypeName(page.Training.TrainingType);
      row.Skill = _(SkillNames[skill - paStamina]);
      row.StaminaShare = std::to_string(page.Training.StaminaTrainingPart) + "%";
      row.Position = PositionGroupName(group);
      row.Level = FormatFloat(p->GetValue(skill), 0);
      row.LastTrain = FormatFloat(increment * 100, 1) + "%";
      row.TotalTrain = FormatFloat(history.GetTrainingProgress(static_cast<int32_t>(id), skill, true, i) * 100, 1) + "%";
      row.Form = FormatFloat(p->PlayerForm, 0);
      row.TSI = GroupDigits(' ', p->TSI);
      rows.push_back(std::move(row));
    }
  }
  return rows;
}

std::array<int, 8> TrainingBars(THistory& history, int64_t playerID) {
  std::array<int, 8> bars{};
  if (!FitsMatchID(playerID)) return bars;
  for (int s = 0; s < 8; ++s)
    bars[s] = static_cast<int>(
        RoundHalfEven(history.GetTrainingProgress(static_cast<int32_t>(playerID), paStamina + s, true, 0) * 100));
  return bars;
}

int FutureTrainingSkill(int trainingType) {
  if (trainingType < 0 || trainingType >= TrainingTypeCount) return 0;
  return TTrainingData[trainingType].Skill1;
}

int FutureTrainingCap(int trainingType) { return trainingType == 1 ? 8 : MaxSkillLevel; }

std::vector<TFutureTrainingRow> FutureTraining(const TFutureTrainingInput& in) {
  std::vector<TFutureTrainingRow> rows;
  const int skill = FutureTrainingSkill(in.TrainingType);
  if (skill == 0) return rows;
  const int cap = FutureTrainingCap(in.TrainingType);
  const int reference = TTrainingData[in.TrainingType].ReferencePosition;
  auto weekly = [&](int age) {
    const double w = GetTrainingIncrement(skill, reference, in.StaminaShare, in.Intensity, in.CoachLevel,
                                          in.TrainingType, age) * 100;
    return in.HalfTraining ? w / 2 : w;
  };
  int age = in.Age;
  double w = weekly(age);
  // Without any gain no level is ever reached.
  if (!(w > 0)) return rows;
  double progress = in.Progress;
  int round = in.Round;
  int weeks = 0;
  for (int level = static_cast<int>(std::trunc(in.Skill)) + 1; level <= cap; ++level) {
    while (progress < 100) {
      // A new season begins with the next week: he is a year older and trains at his new age's pace.
      if (round > RoundsPerSeason) {
        round -= RoundsPerSeason;
        if (++age > 30) return rows;
        w = weekly(age);
        if (!(w > 0)) return rows;
      }
      progress += w;
      ++weeks;
      ++round;
      // The last league rounds and the friendlies after them bring no training worth counting.
      if (in.ExcludeOffSeason && (round == 14 || round == 15)) {
        weeks += 17 - round;
        round = 17;
      }
    }
    progress -= 100;
    TFutureTrainingRow row;
    row.Level = SkillLevelName(level);
    row.WeekCount = weeks;
    row.Weeks = FormatText("%d %s", weeks, weeks < 2 ? _("week") : _("weeks"));
    row.Age = age;
    rows.push_back(std::move(row));
  }
  return rows;
}

bool FutureTrainingStart(THistory& history, int64_t playerID, TFutureTrainingInput& input) {
  if (history.Count() == 0) return false;
  const THistoryPage& newest = history.Latest();
  const TPlayer* p = newest.FindPlayer(playerID);
  if (!p) return false;
  const int skill = FutureTrainingSkill(input.TrainingType);
  input.Round = newest.World.MatchRound;
  input.Skill = skill ? p->GetValue(skill) : 0;
  input.Progress = skill && FitsMatchID(playerID)
                       ? history.GetTrainingProgress(static_cast<int32_t>(playerID), skill, true, 0) * 100
                       : 0;
  return true;
}
