#include "ratings/MatchRowValues.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/PlayerVocabulary.h"
#include "core/Utils.h"
#include "ratings/MatchNames.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <utility>

const std::array<const char*, MatchColumnCount> MatchColumnXMLNames{
    "",           "",           "MatchID",         "",
    "",           "",           "MatchType",       "",
    "",           "WeatherID",  "ExperienceLevel", "SoldTotal",
    "TacticType", "TacticSkill", "RatingMidfield", "RatingRightDef",
    "RatingMidDef", "RatingLeftDef", "RatingRightAtt", "RatingMidAtt",
    "RatingLeftAtt", "",        ""};

namespace {
constexpr uint32_t Red = 0xFF0000;
constexpr uint32_t Blue = 0x0000FF;
constexpr uint32_t Green = 0x008000;

std::string Text(const pugi::xml_node& node, const char* name) { return Trim(node.child(name).child_value()); }

pugi::xml_node Required(const pugi::xml_node& parent, const char* name, const pugi::xml_node& matchData) {
  pugi::xml_node node = parent.child(name);
  if (!node)
    throw EPitchbookError(FormatText(_("Match %s: the element \"%s\" is missing."),
                                     matchData.attribute("ID").value(), name));
  return node;
}

// Floor division and its remainder, so that a negative stored rating still gives a level and a sub-level
// 0..3 instead of indexing outside the name tables.
int64_t LevelOf(int64_t value) { return value + 3 >= 0 ? (value + 3) / 4 : -((-(value + 3) + 3) / 4); }
int SubLevelOf(int64_t value) { return static_cast<int>(value + 3 - 4 * LevelOf(value)); }

std::string Str(int64_t value) { return std::to_string(value); }

// The text without its first character (the home/away marker), counting a UTF-8 sequence as one.
std::string WithoutFirstCharacter(const std::string& text) {
  if (text.empty()) return text;
  size_t length = 1;
  while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) ++length;
  return text.substr(length);
}

std::optional<double> CellFloat(const std::string& text) {
  try {
    return StrToFloat(Trim(text));
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

std::optional<int64_t> CellInteger(std::string_view text) {
  const std::string trimmed = Trim(text);
  int64_t value = 0;
  const char* first = trimmed.data();
  const char* last = first + trimmed.size();
  if (first == last) return std::nullopt;
  auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last) return std::nullopt;
  return value;
}

// slots(v): how many players a slot digit stands for (0, 1, 1, 2 for 0..3; both slots of a line is 3).
int Slots(int digit) { return digit > 1 ? digit - 1 : digit; }

bool IsSectorColumn(int column) { return column >= mcMidfield && column <= mcLeftAttack; }

TMatchCellView TextView(std::string text) {
  TMatchCellView view;
  view.Content = TMatchCellContent::Text;
  view.Text = std::move(text);
  return view;
}

std::string SectorInfo(int64_t value) {
  return FormatText(_("%s (%s)"), SkillLevelName(static_cast<double>(LevelOf(value))).c_str(),
                    SubLevelName(SubLevelOf(value)).c_str());
}
}  // namespace

// ---- Building a row ----------------------------------------------------------------------------------

std::string SeasonWeekText(std::string_view season, std::string_view round, bool league) {
  // The round is padded with zeros, not blanks: a blank would make the cell no number at all, and the
  // grid sorts this column as an integer.
  std::string text = Trim(season);
  const std::string roundText = Trim(round);
  if (roundText.size() < 2) text.append(2 - roundText.size(), '0');
  text += roundText;
  text += league ? '1' : '0';
  return text;
}

int64_t FormationCode(const pugi::xml_node& lineupPlayers) {
  int64_t code = 0;
  for (pugi::xml_node player = lineupPlayers.child("Player"); player; player = player.next_sibling("Player")) {
    const std::string behaviour = Text(player, "Behaviour");
    if (behaviour.empty()) continue;
    if (behaviour == "7") {
      code += 10000000;
    } else if (behaviour == "6") {
      code += 10000;
    } else if (behaviour == "5") {
      code += 10;
    } else {
      // Stored lineups of some downloads carry the place only in PositionCode, which numbers the places
      // like RoleID.
      std::string role = Text(player, "RoleID");
      if (role.empty()) role = Text(player, "PositionCode");
      if (role.empty()) continue;
      switch (StrToInt(role)) {
        case 2: case 101: code += 100000; break;
        case 3: case 102: code += 1000000; break;
        case 4: case 104: code += 2000000; break;
        case 5: case 105: code += 200000; break;
        case 6: case 106: code += 100; break;
        case 7: case 107: code += 1000; break;
        case 8: case 109: code += 2000; break;
        case 9: case 110: code += 200; break;
        case 10: case 111: code += 1; break;
        case 11: case 113: code += 2; break;
        // The game's newer interface numbers the places 100..113 and has a middle place in each line,
        // which the older one expressed as an extra player of that line.
        case 103: code += 10000000; break;
        case 108: code += 10000; break;
        case 112: code += 10; break;
        default: break;
      }
    }
  }
  return code;
}

int64_t ScaleSectorRating(int64_t rating, std::string_view version) {
  if (version == "1.0" || version == "1.1") return 2 * rating;
  if (version == "1.2") return 4 * rating - 3;
  return rating;
}

int64_t KickStatsRating(const TSectorValues& s) { return 3 * s[0] + s[3] + s[1] + s[2] + s[6] + s[4] + s[5]; }

int64_t PitchbookRating(const TSectorValues& s) {
  auto level = [&](int i) { return (static_cast<double>(s[i]) + 3) / 4; };
  const double rating = 2 * level(0) + level(3) / 2 + level(1) / 2 + level(2) + level(6) / 2 + level(4) / 2 +
                        level(5);
  return static_cast<int64_t>(std::trunc(rating));
}

TMatchRowTexts BuildMatchRow(const pugi::xml_node& matchData, std::string_view teamID) {
  TMatchRowTexts row;
  const pugi::xml_node lineup = matchData.child("matchLineup.asp");
  const pugi::xml_node details = matchData.child("matchDetails.asp");
  const pugi::xml_node team = Required(lineup, "Team", matchData);
  const pugi::xml_node match = Required(details, "Match", matchData);

  // First pass: the lineup. Older stored lineups name the two teams only in the details.
  pugi::xml_node homeTeam = lineup.child("HomeTeam");
  if (!homeTeam) homeTeam = match.child("HomeTeam");
  pugi::xml_node awayTeam = lineup.child("AwayTeam");
  if (!awayTeam) awayTeam = match.child("AwayTeam");
  const bool away = Text(homeTeam, "HomeTeamID") != teamID;
  row[mcMatchName] = std::string(away ? "-" : "+") + Text(homeTeam, "HomeTeamName") + " - " +
                     Text(awayTeam, "AwayTeamName");
  const std::string matchType = Text(lineup, "MatchType");
  row[mcSeasonWeek] = SeasonWeekText(Text(matchData, "Season"), Text(matchData, "MatchRound"), matchType == "1");
  row[mcMatchID] = Text(lineup, "MatchID");
  row[mcMatchType] = matchType;
  row[mcExperience] = Text(team, "ExperienceLevel");

  const pugi::xml_node players = team.child("Lineup");
  double stars = 0;
  int counted = 0;
  for (pugi::xml_node player = players.child("Player"); player && counted < 11;
       player = player.next_sibling("Player"), ++counted) {
    const std::string rating = Text(player, "RatingStars");
    if (Text(player, "PlayerID") != "0" && !rating.empty()) stars += StrToFloat(rating);
  }
  row[mcStars] = FloatToStr(stars);
  row[mcFormation] = Str(FormationCode(players));

  // Second pass: the details, from the club's side.
  const std::string version = Text(details, "Version");
  const pugi::xml_node side = match.child(away ? "AwayTeam" : "HomeTeam");
  row[mcHomeScore] = Text(match.child("HomeTeam"), "HomeGoals");
  row[mcAwayScore] = Text(match.child("AwayTeam"), "AwayGoals");
  const std::string attitude = Text(side, "TeamAttitude");
  row[mcAttitude] = attitude.empty() ? "-10" : attitude;
  row[mcWeather] = Text(match.child("Arena"), "WeatherID");
  row[mcCrowd] = Text(match.child("Arena"), "SoldTotal");
  row[mcTactic] = Text(side, "TacticType");
  row[mcTacticSkill] = Text(side, "TacticSkill");
  TSectorValues sectors{};
  for (int c = mcMidfield; c <= mcLeftAttack; ++c) {
    sectors[c - mcMidfield] = ScaleSectorRating(StrToInt(Text(side, MatchColumnXMLNames[c])), version);
    row[c] = Str(sectors[c - mcMidfield]);
  }
  row[mcKickStats] = Str(KickStatsRating(sectors));
  row[mcValue] = Str(PitchbookRating(sectors));
  return row;
}

// ---- Reading cells -----------------------------------------------------------------------------------

int64_t MatchCellInt(std::string_view text) { return CellInteger(text).value_or(0); }

std::string MatchCellExportText(int column, const TMatchRow& row) {
  const std::string cell = row.Cell(column);
  return column == mcMatchName ? WithoutFirstCharacter(Trim(cell)) : Trim(cell);
}

bool MatchIsAway(const TMatchRow& row) { return Trim(row.Cell(mcMatchName)).starts_with('-'); }

int MatchResult(const TMatchRow& row) {
  const int64_t home = MatchCellInt(row.Cell(mcHomeScore));
  const int64_t away = MatchCellInt(row.Cell(mcAwayScore));
  const int result = away < home ? 1 : home < away ? -1 : 0;
  return row.Cell(mcMatchName).starts_with('-') ? -result : result;
}

TSeasonRound SplitSeasonWeek(std::string_view seasonWeek) {
  if (!seasonWeek.empty()) seasonWeek.remove_suffix(1);
  const size_t split = seasonWeek.size() >= 2 ? seasonWeek.size() - 2 : 0;
  return {std::string(seasonWeek.substr(0, split)), std::string(seasonWeek.substr(split))};
}

// ---- Filters -----------------------------------------------------------------------------------------

bool MatchRowHidden(const TMatchFilter& filter, int64_t type, int result, int64_t weather) {
  switch (filter.TypeIndex) {
    case 2: if (type < 1 || type > 3) return true; break;
    case 3: if (type != 1) return true; break;
    case 4: if (type < 2 || type > 3) return true; break;
    case 5: if (type != 4 && type != 5 && type != 8 && type != 9) return true; break;
    default: break;
  }
  switch (filter.ResultIndex) {
    case 2: if (result != 1) return true; break;
    case 3: if (result != -1) return true; break;
    case 4: if (result != 0) return true; break;
    default: break;
  }
  switch (filter.WeatherIndex) {
    case 2: if (weather != 3) return true; break;
    case 3: if (weather != 2) return true; break;
    case 4: if (weather != 1) return true; break;
    case 5: if (weather != 0) return true; break;
    default: break;
  }
  return false;
}

bool MatchRowHidden(const TMatchFilter& filter, const TMatchRow& row) {
  return MatchRowHidden(filter, MatchCellInt(row.Cell(mcMatchType)), MatchResult(row),
                        MatchCellInt(row.Cell(mcWeather)));
}

// ---- Showing cells -----------------------------------------------------------------------------------

TMatchCellView MatchCellView(int column, const TMatchRow& row) {
  const std::string cell = row.Cell(column);
  if (Trim(cell).empty()) return {};
  const int64_t value = MatchCellInt(cell);
  switch (column) {
    case mcMatchName:
      return TextView(WithoutFirstCharacter(cell));
    case mcSeasonWeek: {
      char text[48];
      std::snprintf(text, sizeof text, "%lld-%.2lld", static_cast<long long>(value / 1000),
                    static_cast<long long>((value / 10) % 100));
      return TextView(text);
    }
    case mcHomeScore:
    case mcAwayScore: {
      TMatchCellView view = TextView(cell);
      const int result = MatchResult(row);
      if (result < 0) view.Colour = Red;
      if (result > 0) view.Colour = Blue;
      return view;
    }
    case mcStars: {
      const std::optional<double> stars = CellFloat(cell);
      if (!stars || *stars == std::trunc(*stars) || !std::isfinite(*stars)) return TextView(cell);
      // A half star shows as the whole stars in bold.
      TMatchCellView view = TextView(FloatToStr(std::trunc(*stars)));
      view.Bold = true;
      return view;
    }
    case mcMatchType: {
      if (!CellInteger(cell) || MatchTypeName(static_cast<int>(value)).empty()) return TextView(cell);
      TMatchCellView view;
      view.Content = TMatchCellContent::TypeImage;
      view.Value = value;
      return view;
    }
    case mcWeather: {
      if (!CellInteger(cell) || value < 0 || value > 5) return TextView(cell);
      TMatchCellView view;
      view.Content = TMatchCellContent::WeatherImage;
      view.Value = value;
      return view;
    }
    case mcFormation: {
      TMatchCellView view;
      view.Content = TMatchCellContent::Formation;
      view.Value = value;
      return view;
    }
    case mcAttitude:
      return TextView(value >= -1 && value <= 1 ? AttitudeName(static_cast<int>(value), true) : "-");
    case mcCrowd:
      return TextView(CellInteger(cell) ? GroupDigits(' ', value) : cell);
    case mcTactic: {
      if (value == 0) return TextView("-");
      const std::string name = value >= 1 && value <= MaxTacticType ? TacticName(static_cast<int>(value), true)
                                                                    : std::string();
      return TextView(name.empty() ? cell : name);
    }
    case mcTacticSkill: {
      const int64_t tactic = MatchCellInt(row.Cell(mcTactic));
      return TextView(tactic == 0 || tactic == 7 ? "-" : cell);
    }
    default:
      break;
  }
  if (IsSectorColumn(column)) {
    TMatchCellView view = TextView(Str(LevelOf(value)));
    view.Percent = 25 * SubLevelOf(value) + 12;
    view.BarColour = column == mcMidfield ? Blue : column <= mcLeftDefence ? Green : Red;
    return view;
  }
  return TextView(cell);
}

std::string MatchCellInfo(int column, const TMatchRow& row) {
  const std::string cell = row.Cell(column);
  if (Trim(cell).empty()) return {};
  const int64_t value = MatchCellInt(cell);
  const bool small = value >= -1000 && value <= 1000;
  switch (column) {
    // The whole pairing: the column is often too narrow for two long team names.
    case mcMatchName: return WithoutFirstCharacter(cell);
    case mcStars: return cell;
    case mcMatchType: return value >= 1 && value <= MaxMatchType ? MatchTypeName(static_cast<int>(value)) : "";
    case mcAttitude: return small ? AttitudeName(static_cast<int>(value)) : "";
    case mcWeather: return value >= 0 && value <= 5 ? WeatherName(static_cast<int>(value)) : "";
    case mcTactic: return small ? TacticName(static_cast<int>(value)) : "";
    case mcFormation: return FormationText(value);
    case mcExperience:
    case mcTacticSkill: return SkillLevelName(static_cast<double>(value));
    default: break;
  }
  if (IsSectorColumn(column)) return SectorInfo(value);
  return {};
}

std::optional<std::string> MatchCellClickHint(int column, const TMatchRow& row) {
  const std::string cell = row.Cell(column);
  if (Trim(cell).empty()) return std::nullopt;
  const int64_t value = MatchCellInt(cell);
  switch (column) {
    case mcMatchType:
      if (value >= 1 && value <= MaxMatchType) return MatchTypeName(static_cast<int>(value));
      return std::nullopt;
    case mcFormation: return FormationText(value);
    case mcAttitude:
      if (value >= -1 && value <= 1) return AttitudeName(static_cast<int>(value));
      return std::nullopt;
    case mcWeather:
      if (value >= 0 && value <= 5) return WeatherName(static_cast<int>(value));
      return std::nullopt;
    case mcTactic:
      if (value >= 0 && value <= MaxTacticType) return TacticName(static_cast<int>(value));
      return std::nullopt;
    default: break;
  }
  if (IsSectorColumn(column)) {
    // The level on the game's old half-level scale, for managers who still think in it.
    const int64_t half = value + 1 >= 0 ? (value + 1) / 2 : -1;
    if (half < 0) return std::nullopt;
    if (half <= MaxSkillLevel) return FormatText(_("%s (old)"), _(SkillLevelNames[half]));
    const int64_t above = std::min<int64_t>(half - MaxSkillLevel, 2147483647);
    return FormatText(_("%s +%d (old)"), _(SkillLevelNames[MaxSkillLevel]), static_cast<int>(above));
  }
  return std::nullopt;
}

// ---- Formation picture -------------------------------------------------------------------------------

std::string FormationText(int64_t code) {
  auto digit = [&](int n) { return DigitAt(code, n); };
  const int defenders = digit(8) + Slots(digit(7)) + Slots(digit(6));
  const int midfielders = digit(5) + Slots(digit(4)) + Slots(digit(3));
  const int forwards = digit(2) + Slots(digit(1));
  return FormatText("%d-%d-%d", defenders, midfielders, forwards);
}

std::vector<TFormationSquare> FormationSquares(int64_t code) {
  std::vector<TFormationSquare> squares;
  auto digit = [&](int n) { return DigitAt(code, n); };
  struct TLine {
    int ExtraDigit, SlotDigit, Y;
  };
  int maxExtra = 0;
  for (TLine line : {TLine{8, 7, 2}, TLine{5, 4, 5}, TLine{2, 1, 8}}) {
    const int extra = digit(line.ExtraDigit);
    maxExtra = std::max(maxExtra, extra);
    for (int i = 0; i < extra; ++i) squares.push_back({8 - extra + 2 * i, line.Y, true});
    const int slots = digit(line.SlotDigit);
    if (slots == 2 || slots == 3) squares.push_back({extra + 8, line.Y, false});
    if (slots == 1 || slots == 3) squares.push_back({6 - extra, line.Y, false});
  }
  for (auto [slotDigit, y] : {std::pair{6, 3}, std::pair{3, 6}}) {
    const int slots = digit(slotDigit);
    if (slots == 2 || slots == 3) squares.push_back({maxExtra + 10, y, false});
    if (slots == 1 || slots == 3) squares.push_back({4 - maxExtra, y, false});
  }
  return squares;
}
