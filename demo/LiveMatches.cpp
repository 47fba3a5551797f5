// The live matches of the local game server.
#include "demo/LiveMatches.h"

#include "core/DateTime.h"
#include "demo/Names.h"
#include "demo/SampleWorld.h"
#include "demo/WorldRandom.h"

#include <algorithm>
#include <charconv>
#include <chrono>

namespace {

std::string XmlEscapeText(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '&': out += "&amp;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Link(int64_t playerID, const std::string& name) {
  return "<A HREF=\"/Club/Players/Player.aspx?PlayerID=" + std::to_string(playerID) + "\">" + name + "</A>";
}

std::string TeamSpan(const std::string& name) { return "<span class=\"teamname\">" + name + "</span>"; }

struct TSide {
  std::string Name;
  std::vector<std::pair<int64_t, std::string>> Players;
};

TSide MakeSide(const std::string& name, int64_t seed) {
  TWorldRandom random = TWorldRandom::For({static_cast<uint64_t>(seed), 17});
  TSide side{name, {}};
  const int country = random.Int(0, static_cast<int>(WorldCountries().size()) - 1);
  for (int i = 0; i < 14; ++i)
    side.Players.emplace_back(static_cast<int64_t>(seed % 1000000) * 100 + i + 1,
                              MakePersonName(country, random).Full());
  return side;
}

}  // namespace

int LiveMatchMinute(const TClock::time_point& kickoff, const TClock::time_point& now) {
  if (now < kickoff) return -1;
  const auto elapsed = std::chrono::duration_cast<std::chrono::minutes>(now - kickoff).count();
  if (elapsed <= 45) return static_cast<int>(elapsed);
  if (elapsed <= 60) return 45;
  return static_cast<int>(std::min<int64_t>(elapsed - 15, 90));
}

TLiveScriptMatch MakeLiveMatch(int64_t matchID, TClock::time_point kickoff, const std::string& home, int homeID,
                               const std::string& away, int awayID) {
  TWorldRandom random = TWorldRandom::For({static_cast<uint64_t>(matchID), 5});
  const TSide sides[2] = {MakeSide(home, homeID * 31 + matchID), MakeSide(away, awayID * 37 + matchID)};
  TLiveScriptMatch match{matchID, kickoff, home, away, homeID, awayID, {}};

  struct TPlanned {
    int Minute;
    int Order;  // keeps events of one minute in the order they were made
    int Side;   // 0 home, 1 away, -1 none
    std::string Key, Text;
    int64_t Object;
    bool Goal;
  };
  std::vector<TPlanned> plan;
  int order = 0;
  auto player = [&](int side) -> const std::pair<int64_t, std::string>& {
    return sides[side].Players[static_cast<size_t>(random.Int(0, 10))];
  };
  const int goals[2] = {random.Poisson(1.6), random.Poisson(1.1)};
  for (int side = 0; side < 2; ++side) {
    for (int g = 0; g < goals[side]; ++g) {
      const auto& scorer = player(side);
      plan.push_back({random.Int(1, 90), ++order, side, "100_" + std::to_string(side + 1),
                      "GOAL! " + Link(scorer.first, scorer.second) + " scores for " + TeamSpan(sides[side].Name) +
                          ".<BR />The crowd roars.",
                      scorer.first, true});
    }
    for (int c = random.Int(2, 4); c > 0; --c) {
      const auto& shooter = player(side);
      plan.push_back({random.Int(1, 89), ++order, side, "200_" + std::to_string(side + 1),
                      Link(shooter.first, shooter.second) + " shoots, but the keeper holds&nbsp;the ball.",
                      shooter.first, false});
    }
    for (int c = random.Int(0, 2); c > 0; --c) {
      const auto& booked = player(side);
      plan.push_back({random.Int(5, 88), ++order, side, "300_" + std::to_string(side + 1),
                      "Yellow card for " + Link(booked.first, booked.second) + ".", booked.first, false});
    }
    for (int s = 0; s < 2; ++s) {
      const auto& off = player(side);
      const auto& on = sides[side].Players[static_cast<size_t>(11 + s)];
      plan.push_back({random.Int(55, 85), ++order, side, "350_" + std::to_string(side + 1),
                      "Substitution: " + Link(on.first, on.second) + " comes on for " + Link(off.first, off.second) +
                          ".",
                      on.first, false});
    }
  }
  plan.push_back({45, ++order, -1, "45_0", "Half-time.<BR />The players go to the dressing rooms.", 0, false});
  std::stable_sort(plan.begin(), plan.end(), [](const TPlanned& a, const TPlanned& b) {
    return a.Minute != b.Minute ? a.Minute < b.Minute : a.Order < b.Order;
  });

  const int attendance = random.Int(4000, 48000);
  const int weather = random.Int(30, 33);
  match.Events.push_back({0, attendance, std::to_string(weather) + "_0",
                          "Welcome to the match between " + TeamSpan(home) + " and " + TeamSpan(away) + ". " +
                              std::to_string(attendance) + "&nbsp;spectators have come.",
                          0, 0});
  int score[2] = {0, 0};
  for (const TPlanned& p : plan) {
    if (p.Goal) ++score[p.Side];
    match.Events.push_back({p.Minute, p.Object, p.Key, p.Text, score[0], score[1]});
  }
  match.Events.push_back({90, 0, "599_0",
                          "The referee ends the match. Final score: " + TeamSpan(home) + " " +
                              std::to_string(score[0]) + " - " + std::to_string(score[1]) + " " + TeamSpan(away) + ".",
                          score[0], score[1]});
  return match;
}

std::vector<TLiveScriptMatch> MakeLiveMatches(const TSampleWorld& world, TClock::time_point start, int count) {
  std::vector<TLiveScriptMatch> matches;
  TWorldRandom random = TWorldRandom::For({world.Options().Seed, 99});
  int country = 0;  // the own league's country, so that the clubs' names fit
  for (size_t i = 0; i < WorldCountries().size(); ++i)
    if (WorldCountries()[i].LeagueID == world.Info().OwnLeagueID) country = static_cast<int>(i);
  for (int i = 0; i < count; ++i) {
    const std::string home = i == 0 ? world.Info().OwnTeamName : MakeClubName(country, random);
    const int homeID = i == 0 ? world.Info().OwnTeamID : 800000 + 2 * i;
    const std::string away = MakeClubName(country, random);
    matches.push_back(MakeLiveMatch(990000001 + i, start - std::chrono::minutes(70 * i), home, homeID, away,
                                    800001 + 2 * i));
  }
  return matches;
}

TLiveMatchesSource::TLiveMatchesSource(std::shared_ptr<IGameWorldSource> inner, std::vector<TLiveScriptMatch> matches)
    : FInner(std::move(inner)), FMatches(std::move(matches)), FClock([] { return TClock::Now(); }) {}

void TLiveMatchesSource::SetClock(std::function<TClock::time_point()> clock) {
  std::lock_guard lock(FMutex);
  FClock = std::move(clock);
}

void TLiveMatchesSource::SetNow(TClock::time_point now) {
  SetClock([now] { return now; });
}

const TLiveScriptMatch* TLiveMatchesSource::Find(int64_t matchID) const {
  for (const TLiveScriptMatch& m : FMatches)
    if (m.MatchID == matchID) return &m;
  return nullptr;
}

std::optional<std::string> TLiveMatchesSource::Answer(const TGameRequest& request) {
  std::string file = request.File;
  std::transform(file.begin(), file.end(), file.begin(), [](unsigned char c) { return std::tolower(c); });
  if (file != "live") return FInner ? FInner->Answer(request) : std::nullopt;
  const std::string action = request.Param("actionType");
  std::lock_guard lock(FMutex);
  if (action == "viewAll" || action == "viewNew") return MatchListAnswer(request.User, action == "viewNew");
  if (action != "addMatch" && action != "deleteMatch") return std::nullopt;
  const std::string id = request.Param("matchID");
  int64_t matchID = 0;
  const auto [end, ec] = std::from_chars(id.data(), id.data() + id.size(), matchID);
  if (ec != std::errc() || end != id.data() + id.size() || !Find(matchID)) return std::nullopt;
  auto& followed = FFollowed[request.User];
  if (action == "addMatch")
    followed.emplace(matchID, 0);
  else
    followed.erase(matchID);
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<KickvaleData>\r\n  <FileName>live</FileName>\r\n"
         "  <ActionType>" + action + "</ActionType>\r\n  <ActionResult>0</ActionResult>\r\n</KickvaleData>\r\n";
}

std::string TLiveMatchesSource::MatchListAnswer(const std::string& user, bool viewNew) {
  const TClock::time_point now = FClock();
  std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<KickvaleData>\r\n  <FileName>live</FileName>\r\n";
  xml += std::string("  <ActionType>") + (viewNew ? "viewNew" : "viewAll") + "</ActionType>\r\n";
  xml += "  <FetchedDate>" + FormatDateTime(now) + "</FetchedDate>\r\n  <MatchList>\r\n";
  for (auto& [matchID, sent] : FFollowed[user]) {
    const TLiveScriptMatch* m = Find(matchID);
    if (!m) continue;
    const int minute = LiveMatchMinute(m->Kickoff, now);
    // Events up to the current minute; the end only once the clock has passed it.
    const auto elapsed = std::chrono::duration_cast<std::chrono::minutes>(now - m->Kickoff).count();
    size_t visible = 0;
    while (visible < m->Events.size() && minute >= 0 && m->Events[visible].Minute <= minute &&
           (m->Events[visible].Key != "599_0" || elapsed >= 105))
      ++visible;
    const int homeGoals = visible ? m->Events[visible - 1].HomeGoals : 0;
    const int awayGoals = visible ? m->Events[visible - 1].AwayGoals : 0;
    xml += "    <Match>\r\n      <MatchID>" + std::to_string(m->MatchID) + "</MatchID>\r\n";
    xml += "      <MatchDate>" + FormatDateTime(m->Kickoff) + "</MatchDate>\r\n";
    xml += "      <HomeTeam><HomeTeamName>" + XmlEscapeText(m->HomeName) + "</HomeTeamName><HomeTeamID>" +
           std::to_string(m->HomeID) + "</HomeTeamID></HomeTeam>\r\n";
    xml += "      <AwayTeam><AwayTeamName>" + XmlEscapeText(m->AwayName) + "</AwayTeamName><AwayTeamID>" +
           std::to_string(m->AwayID) + "</AwayTeamID></AwayTeam>\r\n";
    xml += "      <HomeGoals>" + std::to_string(homeGoals) + "</HomeGoals>\r\n      <AwayGoals>" +
           std::to_string(awayGoals) + "</AwayGoals>\r\n      <EventList>\r\n";
    for (size_t i = viewNew ? std::min(sent, visible) : 0; i < visible; ++i) {
      const TLiveScriptEvent& e = m->Events[i];
      xml += "        <Event><Minute>" + std::to_string(e.Minute) + "</Minute><ObjectPlayerID>" +
             std::to_string(e.ObjectID) + "</ObjectPlayerID><EventKey>" + e.Key + "</EventKey><EventText>" +
             XmlEscapeText(e.Text) + "</EventText></Event>\r\n";
    }
    xml += "      </EventList>\r\n    </Match>\r\n";
    sent = visible;
  }
  xml += "  </MatchList>\r\n</KickvaleData>\r\n";
  return xml;
}
