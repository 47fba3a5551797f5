// The live match model: how one answer changes a tab.
#include "download/MatchPages.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"

#include <chrono>

namespace {

int MinuteNumber(const std::string& minute) { return StrToInt(minute); }

}  // namespace

std::string LiveMinuteText(const TClock::time_point& start, const TClock::time_point& now, bool ended) {
  if (ended) return _("End");
  if (now < start) return "--";
  int minute = static_cast<int>(std::chrono::duration_cast<std::chrono::minutes>(now - start).count());
  if (minute >= 46 && minute <= 60)
    minute = 45;
  else if (minute > 60)
    minute -= 15;
  return std::to_string(minute) + OrdinalSuffix(minute);
}

std::string LiveWeatherText(int eventKey) {
  static const char* const texts[] = {N_("Rainy"),    N_("Overcast"), N_("Partially cloudy"),
                                      N_("Sunny"),    N_("Udefined"), N_("Disabled")};
  if (eventKey < 30 || eventKey > 35) return {};
  return _(texts[eventKey - 30]);
}

TMatch::TMatch(std::string matchID, bool homeScores, bool awayScores)
    : MatchID(std::move(matchID)), HomeScores(homeScores), AwayScores(awayScores) {}

void TMatch::SetActive(bool active) {
  FActive = active;
  if (active) Highlighted = false;
}

void TMatch::Write(std::string text, TLiveColour colour, bool bold) {
  TDisplayElement element{std::move(text), colour, bold};
  if (Buffering) {
    Queue.Add(std::move(element));
    return;
  }
  if (!FActive && !Highlighted) Highlighted = true;
  Commentary.push_back(element);
  if (OnWrite) OnWrite(Commentary.back());
}

void TMatch::Flush() {
  Buffering = false;
  for (size_t i = 0; i < Queue.Count(); ++i) {
    const TDisplayElement& e = Queue.Get(i);
    Write(e.Text, e.Colour, e.Bold);
  }
  Queue.Clear();
}

void TMatch::SetMinuteText(const TClock::time_point& fetched) {
  if (!MatchStart && !Ended) return;  // the kick-off is not known yet: nothing sensible to show
  const std::string text = LiveMinuteText(MatchStart.value_or(fetched), fetched, Ended);
  if (text != MinuteText) MinuteText = text;
}

void TMatch::WriteEvent(const TLiveEvent& event) {
  const std::vector<TDisplayElement> pieces = EventTextPieces(event.Text);
  for (const TDisplayElement& p : pieces) Write(p.Text, p.Colour, p.Bold);
  // One event per line, unless the text already ends its line.
  const bool endsLine = !pieces.empty() && !pieces.back().Text.empty() && pieces.back().Text.back() == '\n';
  if (!pieces.empty() && !endsLine) Write("\r\n", TLiveColour::Black, false);
}

bool TMatch::Update(const TLiveAnswer& answer) {
  if (Ended) return false;
  const TLiveMatch* match = answer.Find(MatchID);
  LastActionType = answer.ActionType;
  const bool viewNew = answer.IsViewNew();
  if (viewNew) SetMinuteText(answer.FetchedDate);
  if (!match) return false;
  if (!viewNew && match->MatchDate) MatchStart = match->MatchDate;
  if (MatchStart && *MatchStart > answer.FetchedDate) return false;

  if (AttendanceText.empty()) {
    if (!match->Events.empty()) {
      const TLiveEvent& first = match->Events.front();
      if (first.Minute.empty()) return false;
      AttendanceText = first.ObjectPlayerID.empty() ? std::string() : GroupDigitsOfText(first.ObjectPlayerID, ' ');
      WeatherText = LiveWeatherText(first.Key);
    }
  }
  if (!FNamesTaken) {
    HomeName = match->HomeTeamName;
    AwayName = match->AwayTeamName;
    HomeID = match->HomeTeamID;
    AwayID = match->AwayTeamID;
    FNamesTaken = true;
  }

  bool goal = false;
  const std::string caption = FormatText(_("%s (%s) vs (%s) %s"), HomeName.c_str(), match->HomeGoals.c_str(),
                                         match->AwayGoals.c_str(), AwayName.c_str());
  if (caption != Caption) {
    // A count seen for the first time is no goal: only a change of a known score rings.
    const bool homeChanged = !HomeGoals.empty() && match->HomeGoals != HomeGoals;
    const bool awayChanged = !AwayGoals.empty() && match->AwayGoals != AwayGoals;
    if (viewNew && ((homeChanged && HomeScores) || (awayChanged && AwayScores))) goal = true;
    Caption = caption;
    ScoreText = FormatText("%s:%s", match->HomeGoals.c_str(), match->AwayGoals.c_str());
  }
  HomeGoals = match->HomeGoals;
  AwayGoals = match->AwayGoals;

  // A "viewAll" answer repeats what is shown: its events up to the last minute shown are skipped until the
  // first one is written. A "viewNew" answer holds only new events, so none of them is skipped (a second
  // event of the minute last shown would otherwise be lost).
  bool writing = viewNew;
  for (const TLiveEvent& event : match->Events) {
    if (event.Key == 599) Ended = true;
    if (!writing && !event.Minute.empty() && !LastMinute.empty() &&
        MinuteNumber(event.Minute) <= MinuteNumber(LastMinute))
      continue;
    writing = true;
    if (!event.Minute.empty() && event.Minute != LastMinute) {
      if (event.Minute != "0") {
        const int minute = MinuteNumber(event.Minute);
        Write(FormatText("\r\n\r\n%s %s:\r\n", (event.Minute + OrdinalSuffix(minute)).c_str(), _("minute")),
              TLiveColour::Blue, true);
      }
      LastMinute = event.Minute;
    }
    WriteEvent(event);
  }
  SetMinuteText(answer.FetchedDate);
  return goal;
}

TMatch* TMatchPages::AddMatch(const std::string& matchID) {
  if (Find(matchID) || FTabs.size() >= MaxMatches) return nullptr;
  FTabs.push_back(std::make_unique<TMatch>(matchID, HomeScoresDefault, AwayScoresDefault));
  TMatch* tab = FTabs.back().get();
  SetActiveIndex(static_cast<int>(FTabs.size()) - 1);
  tab->Write("\r\n", TLiveColour::Black, false);
  return tab;
}

void TMatchPages::Remove(size_t index) {
  if (index >= FTabs.size()) return;
  FTabs.erase(FTabs.begin() + static_cast<std::ptrdiff_t>(index));
  if (FTabs.empty())
    FActive = -1;
  else
    SetActiveIndex(static_cast<int>(std::min(index, FTabs.size() - 1)));
}

TMatch* TMatchPages::Find(std::string_view matchID) {
  for (auto& tab : FTabs)
    if (tab->MatchID == matchID) return tab.get();
  return nullptr;
}

void TMatchPages::SetActiveIndex(int index) {
  FActive = index >= 0 && index < static_cast<int>(FTabs.size()) ? index : -1;
  for (size_t i = 0; i < FTabs.size(); ++i) FTabs[i]->SetActive(static_cast<int>(i) == FActive);
}

bool TMatchPages::ApplyLiveAnswer(std::string_view bytes) { return Apply(ReadLiveAnswer(bytes)); }

bool TMatchPages::Apply(const TLiveAnswer& answer) {
  for (auto& tab : FTabs)
    if (tab->Update(answer)) GoalFlag = true;
  return AnyRunning();
}

bool TMatchPages::AnyRunning() const {
  for (const auto& tab : FTabs)
    if (!tab->Ended) return true;
  return false;
}
