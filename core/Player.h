#pragma once
// TPlayer: one player of the managed club as of one snapshot, with the effective skills and the
// position ratings computed from the stored values.
#include <pugixml.hpp>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

// The codes by which grids, the rating analyzer and the history store address a player's values.
enum TPlayerAttribute : int {
  paCountryID = 1,
  paPlayerID = 2,
  paStamina = 3,
  paPlaymaking = 4,
  paWinger = 5,
  paScoring = 6,
  paKeeper = 7,
  paPassing = 8,
  paDefending = 9,
  paSetPieces = 10,
  paForm = 11,
  paExperience = 12,
  paLeadership = 13,
  paCards = 14,
  paInjuryLevel = 15,
  paAge = 16,
  paTSI = 17,
  paSalary = 18,
  paCareerGoals = 19,
  paLeagueGoals = 20,
  paCupGoals = 21,
  paFriendliesGoals = 22,
  paCareerKickvales = 23,
  paSpecialty = 24,
  paAgreeability = 25,
  paHonesty = 26,
  paAggressiveness = 27,
  paForwardRating = 30,
  paWingerRating = 31,
  paInnerMidfieldRating = 32,
  paWingBackRating = 33,
  paCentralDefenderRating = 34,
  paKeeperRating = 35,
  paSetPiecesRating = 36,
  paBestRating = 37,
};
constexpr int FirstPlayerAttribute = 1;
constexpr int LastPlayerAttribute = 37;

// Weather codes shared by players, grids and matches.
enum TWeather : int {
  wRainy = 0,
  wOvercast = 1,
  wPartiallyCloudy = 2,
  wSunny = 3,
  wUndefined = 4,
  wDisabled = 5,
};

enum TSpecialty : int {
  spNone = 0,
  spTechnical = 1,
  spQuick = 2,
  spPowerful = 3,
  spUnpredictable = 4,
  spHead = 5,
  spRegainer = 6,
};

// Role flags: one byte per lineup slot, and the argument of GetRoleRating.
enum TRoleFlag : uint8_t {
  rfKeeper = 1,
  rfCentralDefender = 2,
  rfWingBack = 4,
  rfInnerMidfielder = 8,
  rfWinger = 16,
  rfForward = 32,
};

class TPlayer {
public:
  // Slots of the rating cache; a value > 0 means "computed".
  enum TRatingSlot : int {
    rsForward = 0,
    rsWinger,
    rsInnerMidfield,
    rsWingBack,
    rsCentralDefender,
    rsKeeper,
    rsSetPieces,
    rsBest,
    rsFormFactor,
    rsExperienceBonus,
    RatingSlotCount
  };
  using TRatingCache = std::array<double, RatingSlotCount>;

  explicit TPlayer(int weather = wDisabled, bool includeTraining = false, bool ignoreForm = false);
  TPlayer& operator=(const TPlayer&) = delete;

  // A new record with every value, flag and cached rating of this one.
  std::unique_ptr<TPlayer> Clone() const;

  // Fills the record from one Player element of a players file. Numbers are converted strictly; a
  // missing or malformed number raises EConvertError and leaves the record partly filled.
  void LoadFromXML(const pugi::xml_node& node);

  // ---- values by attribute code ----
  // Codes without a value read as -1.
  double GetValue(int code) const;
  // Integer part of GetValue; ERangeError when it does not fit 32 bits.
  int32_t GetIntValue(int code) const;
  // Stores the integer part of x (ERangeError when it does not fit 32 bits) in the field of the code;
  // rating codes and codes without a field are ignored. Does not clear the rating cache.
  void SetValue(int code, double x);
  // The stored skill of codes 3..10, else -1.
  double GetBaseSkill(int code) const;

  // ---- effective skills (not cached) ----
  double GetStamina() const;
  double GetPlaymaking() const;
  double GetWinging() const;
  double GetScoring() const;
  double GetDefending() const;
  double GetSetPieces() const;

  // ---- cached factors and ratings ----
  double GetFormFactor() const {
    const double v = FRatings[rsFormFactor];
    return v > 0 ? v : ComputeFormFactor();
  }
  double GetExperienceBonus() const {
    const double v = FRatings[rsExperienceBonus];
    return v > 0 ? v : ComputeExperienceBonus();
  }
  double GetForwardRating() const {
    const double v = FRatings[rsForward];
    return v > 0 ? v : ComputeForwardRating();
  }
  double GetWingerRating() const {
    const double v = FRatings[rsWinger];
    return v > 0 ? v : ComputeWingerRating();
  }
  double GetInnerMidfieldRating() const {
    const double v = FRatings[rsInnerMidfield];
    return v > 0 ? v : ComputeInnerMidfieldRating();
  }
  double GetWingBackRating() const {
    const double v = FRatings[rsWingBack];
    return v > 0 ? v : ComputeWingBackRating();
  }
  double GetCentralDefenderRating() const {
    const double v = FRatings[rsCentralDefender];
    return v > 0 ? v : ComputeCentralDefenderRating();
  }
  double GetKeeperRating() const {
    const double v = FRatings[rsKeeper];
    return v > 0 ? v : ComputeKeeperRating();
  }
  double GetSetPiecesRating() const {
    const double v = FRatings[rsSetPieces];
    return v > 0 ? v : ComputeSetPiecesRating();
  }
  double GetBestRating() const {
    const double v = FRatings[rsBest];
    return v > 0 ? v : ComputeBestRating();
  }

  // The rating of the role whose flag comes first in the order 2, 4, 8, 16, 32 (keeper when none),
  // weighted as the lineup search expects.
  double GetRoleRating(int roleFlags) const {
    if (roleFlags & rfCentralDefender) return GetCentralDefenderRating();
    if (roleFlags & rfWingBack) return GetWingBackRating() * 0.5;
    if (roleFlags & rfInnerMidfielder) return GetInnerMidfieldRating() * 2.0;
    if (roleFlags & rfWinger) return GetWingerRating() * 0.5;
    if (roleFlags & rfForward) return GetForwardRating();
    return GetKeeperRating();
  }

  // Nothing in the record clears the cache on its own: whoever changes a stored value, the weather or
  // a flag calls this.
  void ClearRatings() { FRatings.fill(0.0); }
  const TRatingCache& RatingCache() const { return FRatings; }

  // ---- fields, in the order the game's files and the record sections know them ----
  std::string TrainerType;   // empty for players who are not the coach
  std::string TrainerSkill;  // empty for players who are not the coach
  std::string PlayerName;
  int32_t Weather = wDisabled;  // 0..5, see TWeather
  int32_t Age = 0;
  int32_t InjuryLevel = 0;  // -1 healthy, 0 and above bruised or injured
  int32_t PlayerForm = 0;
  int32_t Experience = 0;
  int32_t Leadership = 0;
  int32_t Salary = 0;
  int32_t TSI = 0;
  int32_t CareerGoals = 0;
  int32_t LeagueGoals = 0;
  int32_t CupGoals = 0;
  int32_t FriendliesGoals = 0;
  int32_t CareerKickvales = 0;
  int32_t CountryID = 0;
  int32_t Cards = 0;
  int32_t TransferListed = 0;
  int32_t Specialty = spNone;  // 0..6, see TSpecialty
  int32_t Agreeability = 0;    // 0..5
  int32_t Honesty = 0;         // 0..5
  int32_t Aggressiveness = 0;  // 0..4
  int64_t PlayerID = 0;
  double StaminaSkill = 0;
  double PlaymakerSkill = 0;
  double ScorerSkill = 0;
  double PassingSkill = 0;
  double WingerSkill = 0;
  double SetPiecesSkill = 0;
  double DefenderSkill = 0;
  double KeeperSkill = 0;
  bool IgnoreForm = false;       // form is not taken into account
  bool IncludeTraining = false;  // the history store's training estimate is added to skills
  bool InLineup = false;         // placed (fixed) while a lineup is being built

private:
  TPlayer(const TPlayer&) = default;

  // Stored skill + specialty/weather modifier (+ training estimate); column = code - 3.
  double EffectiveSkill(int code, double stored) const;
  double TrainingEstimate(int code) const;

  double ComputeFormFactor() const;
  double ComputeExperienceBonus() const;
  double ComputeForwardRating() const;
  double ComputeWingerRating() const;
  double ComputeInnerMidfieldRating() const;
  double ComputeWingBackRating() const;
  double ComputeCentralDefenderRating() const;
  double ComputeKeeperRating() const;
  double ComputeSetPiecesRating() const;
  double ComputeBestRating() const;

  // Ratings are a cache of the stored values: reading one through a const record fills it.
  mutable TRatingCache FRatings{};
};

// The role rating of the player as of a past history page: a clone with that weather whose stored
// skills 3..9 get the training estimate up to pageIndex (from the registered training-progress source,
// see core/TrainingProgressSource.h; none registered means no estimate).
double GetRatingAtPage(const TPlayer& player, int roleFlags, int pageIndex, int weather);
