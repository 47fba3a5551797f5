// pitchbook-cli history player ID|club|economy [--home DIR] [--series NAME ...] [--json|--csv]
// The series of the history graphs on their time axis: a player's skills, position ratings, stars and TSI;
// the club's team spirit, stars per line, supporter club, arena capacity, attendance and popularity; the
// economy's revenue and expenses in the preferences' currency. A series has points only where the graphs
// draw one.
#include "app/cli/CliArchive.h"
#include "app/cli/CliCommand.h"
#include "app/cli/CliOutput.h"

#include "core/Csv.h"
#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"
#include "data/History.h"
#include "data/HistorySeries.h"
#include "data/HistorySeriesEconomy.h"
#include "data/Money.h"

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {
struct THistoryRequest {
  std::vector<std::string> Subject;
  std::string Home;
  std::vector<std::string> Series;
  TCliFormatFlags Output;
};

struct TNamedSeries {
  std::string Name;
  THistoryPoints Points;
};

// Names as the graphs' legends have them (untranslated, so that scripts work in every language).
const char* const SkillNames[SkillSeriesCount] = {"Stamina", "Playmaking", "Winger",     "Scoring",    "Keeper",
                                                  "Passing", "Defending",  "Set pieces", "Form",       "Experience"};
const char* const PositionNames[PositionSeriesCount] = {"Forward",     "Wing",       "I. Midfielder", "Wing Back",
                                                        "C. Defender", "Goalkeeper", "Penalty Taker", "Maximum"};
const char* const StarsGroupNames[StarsGroupCount] = {"Keeper", "Defence", "Midfield", "Wing", "Forward"};
const char* const SeatGroupNames[SeatGroupCount] = {"Terrace", "Seat", "Roof", "VIP"};
const char* const RevenueNames[RevenueSeriesCount] = {"Crowd", "Sponsors", "Financial", "Temporary", "Total"};
const char* const ExpenseNames[ExpenseSeriesCount] = {"Arena", "Wages", "Interest", "Temporary",
                                                      "Staff", "Youth squad", "Total"};

void AddBars(std::vector<TNamedSeries>& out, const std::string& prefix, const TStackedBars& bars,
             const char* const* groupNames, size_t groups) {
  for (size_t g = 0; g < groups && g < bars.Groups.size(); ++g) {
    TNamedSeries series{prefix + groupNames[g], {}};
    for (size_t b = 0; b < bars.BarCount(); ++b) series.Points.push_back({bars.X[b], bars.Groups[g][b], ""});
    out.push_back(std::move(series));
  }
}

std::vector<TNamedSeries> PlayerSeries(const THistory& history, int64_t playerID) {
  const TPlayerHistorySeries s = PlayerHistorySeries(history, playerID);
  std::vector<TNamedSeries> out;
  for (int i = 0; i < SkillSeriesCount; ++i) out.push_back({SkillNames[i], s.Skills[i]});
  for (int i = 0; i < PositionSeriesCount; ++i) out.push_back({PositionNames[i], s.Positions[i]});
  out.push_back({"Stars", s.Stars});
  out.push_back({"TSI", s.TSI});
  return out;
}

std::vector<TNamedSeries> ClubSeries(const THistory& history) {
  std::vector<TNamedSeries> out;
  const auto spirit = TeamSpiritSeries(history);
  out.push_back({"Team Spirit", spirit[0]});
  out.push_back({"Confidence", spirit[1]});
  AddBars(out, "League Stars ", TeamStarsBars(history, true), StarsGroupNames, StarsGroupCount);
  AddBars(out, "Other Stars ", TeamStarsBars(history, false), StarsGroupNames, StarsGroupCount);
  out.push_back({"Supporter Club", SupporterClubSeries(history)});
  AddBars(out, "Capacity ", CapacityBars(history), SeatGroupNames, SeatGroupCount);
  AddBars(out, "League Attendance ", AttendanceBars(history, true), SeatGroupNames, SeatGroupCount);
  AddBars(out, "Other Attendance ", AttendanceBars(history, false), SeatGroupNames, SeatGroupCount);
  const auto popularity = PopularitySeries(history);
  out.push_back({"Sponsors", popularity[0]});
  out.push_back({"Supporters", popularity[1]});
  return out;
}

std::vector<TNamedSeries> EconomySeries(const THistory& history) {
  std::vector<TNamedSeries> out;
  const auto revenue = RevenueSeries(history);
  for (int i = 0; i < RevenueSeriesCount; ++i) out.push_back({std::string("Revenue ") + RevenueNames[i], revenue[i]});
  const auto expenses = ExpenseSeries(history);
  for (int i = 0; i < ExpenseSeriesCount; ++i)
    out.push_back({std::string("Expenses ") + ExpenseNames[i], expenses[i]});
  return out;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The series asked for, in the order of the graphs; false (with a message) for a name that is none of them.
bool ChooseSeries(std::vector<TNamedSeries>& all, const std::vector<std::string>& names) {
  if (names.empty()) return true;
  for (const std::string& name : names) {
    bool known = false;
    for (const TNamedSeries& s : all) known = known || Lower(s.Name) == Lower(Trim(name));
    if (!known) {
      std::string list;
      for (const TNamedSeries& s : all) list += (list.empty() ? "" : ", ") + s.Name;
      std::cerr << FormatText(_("Unknown series \"%s\"; the series are: %s"), name.c_str(), list.c_str()) << '\n';
      return false;
    }
  }
  std::erase_if(all, [&names](const TNamedSeries& s) {
    for (const std::string& name : names)
      if (Lower(s.Name) == Lower(Trim(name))) return false;
    return true;
  });
  return true;
}

// A point's label as one line ("Injured +2"): CSV and text rows stay one line each.
std::string OneLine(const std::string& text) {
  std::string line;
  for (char c : text) {
    if (c == '\r') continue;
    line += c == '\n' ? ' ' : c;
  }
  return line;
}

void Print(const std::vector<TNamedSeries>& series, TCliFormat format, const nlohmann::ordered_json& subject) {
  switch (format) {
    case TCliFormat::Json: {
      nlohmann::ordered_json list = nlohmann::ordered_json::array();
      for (const TNamedSeries& s : series) {
        nlohmann::ordered_json points = nlohmann::ordered_json::array();
        for (const THistoryPoint& p : s.Points) {
          nlohmann::ordered_json point = {{"label", HistoryAxisLabel(p.X)}, {"x", p.X}, {"y", p.Y}};
          if (!p.Label.empty()) point["note"] = OneLine(p.Label);
          points.push_back(std::move(point));
        }
        list.push_back({{"name", s.Name}, {"points", points}});
      }
      nlohmann::ordered_json result = subject;
      result["series"] = list;
      PrintJson(result);
      break;
    }
    case TCliFormat::Csv: {
      TCsvWriter csv;
      csv.Row({"series", "label", "x", "y", "note"});
      for (const TNamedSeries& s : series)
        for (const THistoryPoint& p : s.Points)
          csv.Text(s.Name).Text(HistoryAxisLabel(p.X)).Number(p.X).Number(p.Y).Text(OneLine(p.Label)).EndRow();
      std::cout << csv.Result();
      break;
    }
    case TCliFormat::Text: {
      std::string out;
      for (const TNamedSeries& s : series) {
        if (s.Points.empty()) continue;
        out += s.Name + '\n';
        for (const THistoryPoint& p : s.Points)
          out += "  " + PadRight(HistoryAxisLabel(p.X), 8) + PadLeft(FloatToStr(p.Y), 12) +
                 (p.Label.empty() ? "" : "  " + OneLine(p.Label)) + '\n';
      }
      std::cout << out;
      break;
    }
  }
}

int RunHistory(const THistoryRequest& request) {
  const std::vector<std::string>& subject = request.Subject;
  const std::string kind = subject.empty() ? std::string() : Lower(subject[0]);
  const bool player = kind == "player";
  if (!((player && subject.size() == 2) || ((kind == "club" || kind == "economy") && subject.size() == 1))) {
    std::cerr << _("Name what to show: player ID, club or economy.") << '\n';
    return 2;
  }
  int64_t playerID = 0;
  if (player) {
    try {
      playerID = StrToInt64(Trim(subject[1]));
    } catch (const EConvertError& e) {
      std::cerr << e.what() << '\n';
      return 2;
    }
  }
  std::string error;
  if (!LoadCliArchive(request.Home, error)) {
    std::cerr << error << '\n';
    return 2;
  }
  const THistory& history = History();
  std::vector<TNamedSeries> series;
  nlohmann::ordered_json about = {{"subject", kind}};
  try {
    if (player) {
      if (!history.Count() || !history.Latest().FindPlayer(playerID)) {
        // The graphs' player list holds the newest squad; an ID outside it may still have old points.
        bool anywhere = false;
        for (int i = 1; i <= history.Count() && !anywhere; ++i) anywhere = history.Page(i).FindPlayer(playerID);
        if (!anywhere) {
          std::cerr << FormatText(_("Player %s is in no snapshot."), std::to_string(playerID).c_str()) << '\n';
          return 1;
        }
      }
      about["playerId"] = playerID;
      series = PlayerSeries(history, playerID);
    } else if (kind == "club") {
      series = ClubSeries(history);
    } else {
      about["currency"] = CurrencyName();
      series = EconomySeries(history);
    }
  } catch (const EPitchbookError& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  if (!ChooseSeries(series, request.Series)) return 2;
  Print(series, request.Output.Format(), about);
  return 0;
}

const TCliCommand HistoryCommand([](CLI::App& app, TCliContext& context) {
  auto request = std::make_shared<THistoryRequest>();
  CLI::App* command = app.add_subcommand("history", _("Print the series of the history graphs"));
  command->add_option("WHAT", request->Subject, _("player ID, club or economy"))->required()->expected(1, 2);
  command->add_option("--home", request->Home, _("Program folder (default: as the desktop program finds it)"));
  command->add_option("--series", request->Series, _("Only these series (names as in the graphs' legends)"));
  AddFormatFlags(*command, request->Output, true);
  command->callback([request, &context] { context.ExitCode = RunHistory(*request); });
});
}  // namespace
