#pragma once
// What the history graphs tell about one player besides the charts: the texts of the General page, his best
// and latest match, the weeks in which he was trained, his progress towards the next levels, and the
// estimate of the weeks future training needs for each coming level.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class THistory;
class THistoryPage;
class TPlayer;

// ---- General page ----------------------------------------------------------------------------------------
struct TPlayerGeneral {
  bool Present = false;          // the newest page holds him (else the page is hidden)
  std::string Name;              // PlayerName
  std::string NameLine;          // "%s (%d)": name and ID
  std::string AgeLine;           // "%d years, %s form, %s"
  std::string PersonalityLine;   // "A %s who is %s and %s."
  std::string ExperienceLine;    // "Has %s experience and %s leadership abilities."
  std::string Speciality;        // "Speciality: %s"; empty for no specialty
  std::string Nationality;       // the country's name, empty when unknown
  std::string TSI;               // "%s (%s %s)": TSI, TSI x 1000 in money, currency
  std::string Wage;              // see WageText
  std::string Warnings;          // "(Suspended)" from 3 cards, else the number
  std::array<std::string, 8> Skills;  // codes 3..10: level name and value, "passable (6)"
  std::string CareerGoals, CareerKickvales, LeagueGoals, CupGoals;
};

// From the player's record in the newest page; current is the page the program shows (its league's country
// and its form decide the wage text), nullptr = the newest page.
TPlayerGeneral PlayerGeneral(const THistory& history, int64_t playerID, const THistoryPage* current);

// "%s %s/week" when the player is of the country of the current page's league; otherwise
// "%s %s/week including 20%% bonus", with the salary as stored for a snapshot of XML files (the game's
// figure includes the bonus) and the salary x 1.2 for a rating record file (which stored it without).
std::string WageText(const TPlayer& player, const THistoryPage& current);

// ---- Best and latest match -------------------------------------------------------------------------------
struct TPlayedMatch {
  bool Found = false;
  double Stars = 0;
  std::string Position;   // name of the lineup position ("Inner Midfield")
  std::string Behaviour;  // "Normal", "Offensive", ...
  std::string Opponent;
  int Season = 0;
  int Matchday = 0;
  std::string Weather;
  std::string Form;        // level names of his form and experience in that page
  std::string Experience;
};
struct TPlayerMatches {
  TPlayedMatch Best;    // the most stars (the earlier match wins ties)
  TPlayedMatch Latest;  // the newest match he played
};
// Over all pages in the order they were played (a page's other match, then its league match). He played a
// match when he held one of its first eleven places or one of its late places.
TPlayerMatches PlayerMatches(const THistory& history, int64_t playerID);

// Name of a lineup position code 1..11 ("Keeper", "Right Back", ...); "Substitute" above 11, "" otherwise.
std::string LineupPositionName(int positionCode);
// Name of a behaviour code 0..7; "" otherwise.
std::string BehaviourName(int behaviour);
// Name of a position group as TMatchPage::GetPositionGroup gives it (1, 2, 3, 6, 7, 10); "None" otherwise.
std::string PositionGroupName(int group);

// ---- Training --------------------------------------------------------------------------------------------
// One week in which a skill of the player was trained.
struct TPastTrainingRow {
  std::string Week;          // "%.2d-%.2d" season and round
  std::string TrainType;     // training type name
  std::string Skill;         // the skill trained
  std::string StaminaShare;  // "%d%%"
  std::string Position;      // his position group that week, "None"
  std::string Level;         // his skill in that page, "%.0f"
  std::string LastTrain;     // the week's increment, "%.1f%%"
  std::string TotalTrain;    // progress up to that page, "%.1f%%"
  std::string Form;          // "%.0f"
  std::string TSI;           // grouped by blanks
};
// Newest row first: for every page holding him and every skill 3..10 with a weekly increment above 0.
std::vector<TPastTrainingRow> PastTraining(THistory& history, int64_t playerID);

// round(progress towards the next level x 100) for the skills 3..10, over all pages.
std::array<int, 8> TrainingBars(THistory& history, int64_t playerID);

// The starting point and settings of a future-training estimate.
struct TFutureTrainingInput {
  int TrainingType = 0;      // 0..12
  int Intensity = 100;       // training level, percent
  int CoachLevel = 7;
  int Age = 17;
  int StaminaShare = 0;      // percent
  bool ExcludeOffSeason = false;
  bool HalfTraining = false;
  double Skill = 0;          // his current (effective) skill of the trained skill
  double Progress = 0;       // percent towards the next level
  int Round = 1;             // the round of the newest page
};
struct TFutureTrainingRow {
  std::string Level;  // the level's name
  std::string Weeks;  // "%d %s" with "week" or "weeks"
  int WeekCount = 0;
  int Age = 0;
};
// One row per coming level up to the cap (8 for stamina training, 20 otherwise): the weeks of training
// until it is reached and his age then. Stops when his age would pass 30; no rows when the type trains
// nothing or the skill is at its cap.
std::vector<TFutureTrainingRow> FutureTraining(const TFutureTrainingInput& input);
// The skill a training type trains (its first skill), 0 for none; and its level cap.
int FutureTrainingSkill(int trainingType);
int FutureTrainingCap(int trainingType);
// The input for a player in the newest page with the given settings: his skill, his progress over all
// pages (forced) and the newest page's round. Returns false when the newest page does not hold him.
bool FutureTrainingStart(THistory& history, int64_t playerID, TFutureTrainingInput& input);
