#include "data/History.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Player.h"
#include "core/Utils.h"
#include "data/TrainingData.h"

THistory::~THistory() {
  if (GetTrainingProgressSource() == this) SetTrainingProgressSource(nullptr);
  // Newest page first, as the pages were built on one another.
  while (!FPages.empty()) FPages.pop_back();
}

THistoryPage& THistory::Page(int index) const {
  if (index < 1 || index > Count()) throw ERangeError();
  return *FPages[index - 1];
}

void THistory::Add(std::unique_ptr<THistoryPage> page) {
  const int key = page->RoundKey();
  for (int i = Count(); i >= 1; --i) {
    THistoryPage& existing = Page(i);
    const int existingKey = existing.RoundKey();
    if (existingKey == key) {
      // A second snapshot of one week: the later download wins, an equal date replaces too.
      if (page->World.FetchedDateTime() < existing.World.FetchedDateTime()) return;
      FPages[i - 1] = std::move(page);
      return;
    }
    if (existingKey < key) {
      InsertAt(i + 1, std::move(page));
      return;
    }
  }
  InsertAt(1, std::move(page));
}

void THistory::InsertAt(int index, std::unique_ptr<THistoryPage> page) {
  if (index < 1 || index > Count() + 1 || !page) throw ERangeError();
  FPages.insert(FPages.begin() + (index - 1), std::move(page));
}

int THistory::FindRound(int season, int round) const {
  const int key = season * 100 + round;
  for (int i = Count(); i >= 1; --i) {
    const int pageKey = Page(i).RoundKey();
    if (pageKey == key) return i;
    if (pageKey < key) return 0;
  }
  return 0;
}

void THistory::Clear() {
  while (!FPages.empty()) FPages.pop_back();
}

double THistory::WeeklyIncrement(int index, const TPlayer& player, const TPlayer* previous, int skill,
                                 bool force) const {
  if (skill < 3 || skill > 10 || !(force || TrainingOn())) return 0;
  try {
    THistoryPage& page = Page(index);
    int positionCode = 0;
    if (skill == 3 || skill == 10) {
      // Stamina and set pieces train the whole squad in any week with a match.
      if (!page.LeagueMatch.HasMatch() && !page.OtherMatch.HasMatch()) return 0;
    } else {
      // The other skills train the positions played: this week's other match, else the league match that
      // followed the previous snapshot.
      if (!FitsMatchID(player.PlayerID)) return 0;
      const int32_t id = static_cast<int32_t>(player.PlayerID);
      int slot = page.OtherMatch.IndexOfPlayer(id);
      if (slot > 0) {
        positionCode = page.OtherMatch.Lineup[slot].PositionCode;
      } else {
        if (!previous) return 0;
        const TMatchPage& league = Page(index - 1).LeagueMatch;
        slot = league.IndexOfPlayer(id);
        if (slot == 0) return 0;
        positionCode = league.Lineup[slot].PositionCode;
      }
    }
    const TPlayer* trainer = page.GetTrainer();
    if (!trainer) return 0;
    const int coachLevel = StrToInt(trainer->TrainerSkill);
    return GetTrainingIncrement(skill, positionCode, page.Training.StaminaTrainingPart,
                                page.Training.TrainingLevel, coachLevel, page.Training.TrainingType, player.Age);
  } catch (const std::exception&) {
    return 0;
  }
}

double THistory::GetWeeklyIncrement(int index, int64_t playerID, int skill, bool force) const {
  if (index < 1 || index > Count()) return 0;
  const TPlayer* player = Page(index).FindPlayer(playerID);
  if (!player) return 0;
  const TPlayer* previous = index >= 2 ? Page(index - 1).FindPlayer(playerID) : nullptr;
  return WeeklyIncrement(index, *player, previous, skill, force);
}

double THistory::GetTrainingProgress(int32_t playerID, int skill, bool force, int lastPage) {
  const int n = lastPage == 0 ? Count() : lastPage;
  if (n < 1 || n > Count()) return 0;
  double sum = 0;
  for (int i = n; i >= 1; --i) {
    const TPlayer* player = Page(i).FindPlayer(playerID);
    if (!player) break;
    // Past 30 the game no longer lets the newest week's training count, except for stamina and set pieces.
    if (i == n && player->Age >= 30 && skill != 3 && skill != 10) continue;
    const double current = player->GetBaseSkill(skill);
    if (current == -1) break;
    const TPlayer* previous = i >= 2 ? Page(i - 1).FindPlayer(playerID) : nullptr;
    const double before = previous ? previous->GetBaseSkill(skill) : current;
    // The level changed between the two snapshots: everything older was used up by that change.
    if (before != current && before != -1) break;
    if ((skill == 3 && current >= 8) || (skill != 3 && current >= 20)) break;
    sum += WeeklyIncrement(i, *player, previous, skill, force);
  }
  return sum >= 1 ? 0.99 : sum;
}

bool THistory::PlayedLastMatch(int64_t playerID) const {
  for (int i = Count(); i >= 1; --i) {
    const THistoryPage& page = Page(i);
    const TMatchPage* match = page.LeagueMatch.HasMatch()  ? &page.LeagueMatch
                              : page.OtherMatch.HasMatch() ? &page.OtherMatch
                                                           : nullptr;
    if (!match) continue;
    if (!FitsMatchID(playerID)) return false;
    const int32_t id = static_cast<int32_t>(playerID);
    const int slot = match->IndexOfPlayer(id);
    return (slot >= 1 && slot <= 11) || match->IsInLateSlots(id);
  }
  return false;
}

bool THistory::SameForm(int pageA, int pageB) const {
  const THistoryPage& a = Page(pageA);
  const THistoryPage& b = Page(pageB);
  for (const TPlayer& player : a.Players) {
    const TPlayer* other = b.FindPlayer(player.PlayerID);
    if (other && other->PlayerForm != player.PlayerForm) return false;
  }
  return true;
}

std::vector<THistoryListItem> THistory::FillList() {
  std::vector<THistoryListItem> items;
  items.reserve(FPages.size());
  for (auto& page : FPages) items.push_back(page->AddListItem());
  return items;
}

void THistory::AttachLatestMatches(const std::filesystem::path& matchesFolder) {
  if (Count() == 0) return;
  THistoryPage& page = Latest();
  const std::filesystem::path file = matchesFolder / (page.Team.TeamID + ".xml");
  std::error_code ec;
  if (page.Team.TeamID.empty() || !std::filesystem::exists(file, ec)) return;
  pugi::xml_document doc;
  LoadXMLFile(file, doc);
  bool league = false, other = false;
  std::exception_ptr firstError;
  for (pugi::xml_node data = doc.document_element().last_child(); data && !(league && other);
       data = data.previous_sibling()) {
    if (std::string_view(data.name()) != "MatchData") continue;
    // A broken element costs that match only; the others are still attached and the error is raised at the
    // end so that the download reports it.
    try {
      if (StrToInt(ChildText(data, "Season")) != page.World.Season ||
          StrToInt(ChildText(data, "MatchRound")) != page.World.MatchRound)
        continue;
      const int type = StrToInt(ChildText(data.child("matchLineup.asp"), "MatchType"));
      TMatchPage match;
      match.ReadMatchData(data);
      if (type == 1 || type == 2) {
        page.LeagueMatch = std::move(match);
        league = true;
      } else {
        page.OtherMatch = std::move(match);
        other = true;
      }
    } catch (const std::exception&) {
      if (!firstError) firstError = std::current_exception();
    }
  }
  if (firstError) std::rethrow_exception(firstError);
}

THistory& History() {
  static THistory history;
  static const bool registered = (SetTrainingProgressSource(&history), true);
  (void)registered;
  return history;
}
