#pragma once
// Squads for the lineup search's tests: players with chosen skills, random squads with twins (players
// rated alike, so that lineups tie on purpose), and a description of a best team that two searches can be
// compared by.
#include "core/Player.h"
#include "core/PlayerList.h"
#include "core/Team.h"
#include "ratings/TeamSelect.h"

#include <memory>
#include <random>
#include <sstream>
#include <string>

namespace teamselecttest {

struct TSkills {
  double Defending = 2, Playmaking = 2, Winger = 2, Scoring = 2, Keeper = 1, SetPieces = 2;
  int Experience = 3, Leadership = 3;
};

// Form 8, healthy, weather Disabled: ratings follow the skills without specialty effects.
inline std::unique_ptr<TPlayer> MakePlayer(int64_t id, const TSkills& s) {
  auto p = std::make_unique<TPlayer>(wDisabled, false, false);
  p->PlayerID = id;
  p->PlayerName = "Player " + std::to_string(id);
  p->PlayerForm = 8;
  p->InjuryLevel = -1;
  p->StaminaSkill = 8;
  p->PassingSkill = 5;
  p->DefenderSkill = s.Defending;
  p->PlaymakerSkill = s.Playmaking;
  p->WingerSkill = s.Winger;
  p->ScorerSkill = s.Scoring;
  p->KeeperSkill = s.Keeper;
  p->SetPiecesSkill = s.SetPieces;
  p->Experience = s.Experience;
  p->Leadership = s.Leadership;
  return p;
}

inline const TSkills KeeperSkills(double keeper) { return TSkills{.Defending = 3, .Keeper = keeper}; }
inline const TSkills FieldSkills(int level) {
  return TSkills{.Defending = double(level), .Playmaking = double(level), .Winger = double(level),
                 .Scoring = double(level)};
}

// A random squad of field players (keeper skill 1, so none counts as a keeper) and two keepers; `twins`
// players are copies of earlier ones under new IDs, which makes many lineups equally strong.
inline std::unique_ptr<TPlayerList> RandomSquad(uint32_t seed, int fieldPlayers, int twins) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> skill(3, 15), small(1, 8);
  auto squad = std::make_unique<TPlayerList>(wDisabled, false, false);
  std::vector<TSkills> made;
  int64_t id = 1000 * int64_t(seed % 97 + 1);
  for (int i = 0; i < fieldPlayers; ++i) {
    TSkills s;
    if (i >= fieldPlayers - twins && !made.empty()) {
      s = made[std::uniform_int_distribution<size_t>(0, made.size() - 1)(random)];
    } else {
      s.Defending = skill(random);
      s.Playmaking = skill(random);
      s.Winger = skill(random);
      s.Scoring = skill(random);
      s.SetPieces = skill(random);
      s.Experience = small(random);
      s.Leadership = small(random);
      made.push_back(s);
    }
    squad->Add(MakePlayer(++id, s));
  }
  squad->Add(MakePlayer(++id, KeeperSkills(12)));
  squad->Add(MakePlayer(++id, KeeperSkills(9)));
  return squad;
}

inline TRoleArray RolesOf(int formation) {
  TTeam team(wDisabled, false, false);
  team.SetFormation(formation);
  return team.GetAllRoleFlags();
}

inline int64_t IdAt(const TTeam& team, int slot) { return team.GetSlot(slot) ? team.GetSlot(slot)->PlayerID : 0; }

// Everything the search answers: who stands where in which role, the exact strengths, captain and
// set-pieces taker.
inline std::string Describe(const TTeam& team) {
  std::ostringstream out;
  for (int slot = 0; slot < TTeam::SlotCount; ++slot)
    out << slot << ':' << IdAt(team, slot) << '/' << int(team.GetRoleFlags(slot)) << ' ';
  out << "starters " << team.StarterUnits() << " bench " << team.BenchUnits() << " adjusted "
      << team.AdjustedStrengthUnits() << " captain " << (team.Captain() ? team.Captain()->PlayerID : 0)
      << " set pieces " << (team.SetPiecesTaker() ? team.SetPiecesTaker()->PlayerID : 0);
  return out.str();
}

}  // namespace teamselecttest
