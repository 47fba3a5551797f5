#include "data/HistoryPage.h"

#include "core/DateTime.h"
#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Player.h"
#include "core/Utils.h"
#include "data/GameCalendar.h"
#include "data/TrainingData.h"

#include <algorithm>
#include <chrono>

namespace {
bool EndsWith(const std::string& text, char c) { return !text.empty() && text.back() == c; }

bool HasXmlExtension(const std::string& fileName) {
  const std::string ext = std::filesystem::path(fileName).extension().string();
  if (ext.size() != 4) return false;
  std::string lower = ext;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  return lower == ".xml";
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  for (size_t pos = 0; pos < text.size();) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    size_t stop = end;
    if (stop > pos && text[stop - 1] == '\r') --stop;
    lines.emplace_back(text.substr(pos, stop - pos));
    pos = end + 1;
  }
  return lines;
}

// The values of a record file's header, joined into "key value|key value|..." by LoadRecordFile.
class THeaderText {
public:
  explicit THeaderText(const std::string& text) : FText(text) {}

  // Up to the next blank or "|" after the one separating blank; empty when the key is absent or has no value.
  std::string Token(const char* key) const {
    size_t pos = Find(key);
    if (pos == std::string::npos || pos >= FText.size() || FText[pos] == '|') return {};
    ++pos;  // the separating blank
    const size_t end = FText.find_first_of(" |", pos);
    return FText.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
  }
  // Everything after the key up to the next "|", trimmed; it may hold blanks.
  std::string Text(const char* key) const {
    const size_t pos = Find(key);
    if (pos == std::string::npos) return {};
    const size_t end = FText.find('|', pos);
    return Trim(std::string_view(FText).substr(pos, end == std::string::npos ? std::string::npos : end - pos));
  }
  int32_t Int(const char* key) const { return StrToInt(Token(key)); }

private:
  // Position right after "|" + key (first occurrence, letter case counts), or npos.
  size_t Find(const char* key) const {
    const std::string needle = std::string("|") + key;
    const size_t pos = FText.find(needle);
    return pos == std::string::npos ? pos : pos + needle.size();
  }
  const std::string& FText;
};
}  // namespace

THistoryPage::THistoryPage() : League(Team), World(Team) {}

void THistoryPage::Load(const std::string& fileName) {
  if (HasXmlExtension(fileName))
    LoadXml(fileName);
  else
    LoadRecordFile(fileName);
}

namespace {
// "<folder>/<day> " of a snapshot's Players file: the name of any of its files without the kind.
std::string SnapshotPrefix(const std::string& fileName) {
  const std::filesystem::path path(fileName);
  const std::string name = path.filename().string();
  return (path.parent_path() / name.substr(0, name.find(' '))).string() + " ";
}
}  // namespace

void THistoryPage::LoadXml(const std::string& fileName) {
  FileName = fileName;
  IsXml = true;
  const std::string prefix = SnapshotPrefix(fileName);
  Team.Read(prefix + "TeamDetails.xml");
  League.Read(prefix + "LeagueDetails.xml");
  Training.Read(prefix + "Training.xml");
  Arena.Read(prefix + "ArenaDetails.xml");
  Economy.Read(prefix + "Economy.xml");
  Club.Read(prefix + "Club.xml");
  World.Read(prefix + "WorldDetails.xml");
  Players.LoadFromPlayersFile(prefix + "Players.xml");
}

void THistoryPage::ReadXmlHead(const std::string& fileName, const pugi::xml_node& leagueRoot,
                               const pugi::xml_node& worldRoot) {
  FileName = fileName;
  IsXml = true;
  Team.Read(SnapshotPrefix(fileName) + "TeamDetails.xml");
  League.ReadRoot(leagueRoot);
  World.ReadRoot(worldRoot);
}

void THistoryPage::ReadXmlRest() {
  const std::string prefix = SnapshotPrefix(FileName);
  Training.Read(prefix + "Training.xml");
  Arena.Read(prefix + "ArenaDetails.xml");
  Economy.Read(prefix + "Economy.xml");
  Club.Read(prefix + "Club.xml");
  Players.LoadFromPlayersFile(prefix + "Players.xml");
}

void THistoryPage::LoadRecordFile(const std::string& fileName) { LoadRecordText(ReadFileText(fileName), fileName); }

void THistoryPage::LoadRecordText(std::string_view bytes, const std::string& fileName) {
  const std::vector<std::string> lines = SplitLines(bytes);
  std::string header;
  size_t i = 0;
  for (;; ++i) {
    // A record without player sections is no snapshot.
    if (i >= lines.size()) throw ERangeError();
    if (lines[i].find("[player") != std::string::npos) break;
    if (!header.empty() && !EndsWith(header, '|')) header += '|';
    for (char c : Trim(lines[i])) {
      if (c == ' ' || c == '=') {
        if (!EndsWith(header, ' ')) header += ' ';
      } else {
        header += c;
      }
    }
  }
  // Old record files were written in the Windows code page.
  if (!IsValidUtf8(header)) header = Cp1252ToUtf8(header);
  ReadRecordHeader(header);
  FileName = fileName;
  Players.LoadFromRecordText(bytes);
}

void THistoryPage::ReadRecordHeader(const std::string& text) {
  const THeaderText h(text);
  Team.LeagueID = h.Token("leagueID");
  Team.TeamID = h.Token("teamID");
  Team.TeamName = h.Text("teamName");
  Team.Loginname = h.Text("owner");
  Team.Email = h.Text("ownerEmail");
  Team.ICQ = h.Token("ownerICQ");
  Team.HomePage = h.Text("ownerHomepage");
  World.FetchedDate = h.Token("date");
  World.Season = h.Int("season");
  World.MatchRound = h.Int("matchround");
  World.CountryID = h.Int("countryID");
  Team.LeagueLevelUnitName = h.Text("serie");
  League.Matches = h.Int("spelade");
  League.GoalsFor = h.Int("gjorda");
  League.GoalsAgainst = h.Int("inslappta");
  League.Points = h.Int("poang");
  League.Position = h.Int("placering");
  Team.NumberOfVictories = h.Int("victories");
  Team.NumberOfUndefeated = h.Int("undefeated");
  Economy.FanClubSize = h.Int("fanclub");
  Economy.SponsorsPopularity = h.Int("sponsors");
  Economy.SupportersPopularity = h.Int("supporters");
  Club.KeeperTrainers = h.Int("mvTranare");
  Club.AssistantTrainers = h.Int("hjTranare");
  Club.Psychologists = h.Int("psykolog");
  Club.PressSpokesmen = h.Int("presstalesman");
  Club.Economists = h.Int("ekonom");
  Club.Physiotherapists = h.Int("massor");
  Club.Doctors = h.Int("lakare");
  Club.YouthLevel = h.Int("juniorverksamhet");
  Training.TrainingLevel = h.Int("trLevel");
  Training.TrainingType = h.Int("trTypeValue");
  Training.Morale = h.Int("stamningValue");
  Training.SelfConfidence = h.Int("sjalvfortroendeValue");
  Training.Experience433 = h.Int("exper433");
  Training.Experience451 = h.Int("exper451");
  Training.Experience352 = h.Int("exper352");
  Training.Experience532 = h.Int("exper532");
  Training.Experience343 = h.Int("exper343");
  Training.Experience541 = h.Int("exper541");
  Training.TrainerID = h.Int("trainer");
  Economy.ExpectedCash = h.Int("cash");
  Economy.IncomeSponsors = h.Int("incomeSponsorer");
  Economy.IncomeSpectators = h.Int("incomePublik");
  Economy.IncomeFinancial = h.Int("incomeFinansiella");
  Economy.IncomeTemporary = h.Int("incomeTillfalliga");
  Economy.IncomeSum = h.Int("incomeSumma");
  Economy.CostsPlayers = h.Int("costsSpelare");
  Economy.CostsStaff = h.Int("costsPersonal");
  Economy.CostsArena = h.Int("costsArena");
  Economy.CostsYouth = h.Int("costsJuniorverksamhet");
  Economy.CostsFinancial = h.Int("costsRantor");
  Economy.CostsTemporary = h.Int("costsTillfalliga");
  Economy.CostsSum = h.Int("costsSumma");
  Economy.ExpectedWeeksTotal = h.Int("total");
  Economy.LastIncomeSponsors = h.Int("lastIncomeSponsorer");
  Economy.LastIncomeSpectators = h.Int("lastIncomePublik");
  Economy.LastIncomeFinancial = h.Int("lastIncomeFinansiella");
  Economy.LastIncomeTemporary = h.Int("lastIncomeTillfalliga");
  Economy.LastIncomeSum = h.Int("lastIncomeSumma");
  Economy.LastCostsPlayers = h.Int("lastCostsSpelare");
  Economy.LastCostsStaff = h.Int("lastCostsPersonal");
  Economy.LastCostsArena = h.Int("lastCostsArena");
  Economy.LastCostsYouth = h.Int("lastCostsJuniorverksamhet");
  Economy.LastCostsFinancial = h.Int("lastCostsRantor");
  Economy.LastCostsTemporary = h.Int("lastCostsTillfalliga");
  Economy.LastCostsSum = h.Int("lastCostsSumma");
  Economy.LastWeeksTotal = h.Int("lastTotal");
  Arena.ArenaName = h.Text("arenaname");
  Arena.Terraces = h.Int("antalStaplats");
  Arena.Basic = h.Int("antalSitt");
  Arena.Roof = h.Int("antalTak");
  Arena.VIP = h.Int("antalVIP");
  Arena.Total = h.Int("seatTotal");
  Arena.ExpandedTerraces = h.Int("expandingStaplats");
  Arena.ExpandedBasic = h.Int("expandingSitt");
  Arena.ExpandedRoof = h.Int("expandingTak");
  Arena.ExpandedVIP = h.Int("expandingVIP");
}

TPlayer* THistoryPage::FindPlayer(int64_t playerID) const {
  const int index = Players.IndexOfID(playerID);
  return index > 0 ? Players.Get(index) : nullptr;
}

TPlayer* THistoryPage::GetTrainer() {
  if (FTrainerSearched) return FTrainer;
  FTrainerSearched = true;
  if (IsXml) {
    FTrainer = FindPlayer(Team.TrainerPlayerID);
  } else {
    for (TPlayer& player : Players)
      if (!player.TrainerSkill.empty()) {
        FTrainer = &player;
        break;
      }
  }
  return FTrainer;
}

int THistoryPage::GetPlayedPosition(int64_t playerID) const {
  if (!FitsMatchID(playerID)) return 0;
  const int32_t id = static_cast<int32_t>(playerID);
  const int flags = LeagueMatch.GetRoleFlags(id);
  return flags != 0 ? flags : OtherMatch.GetRoleFlags(id);
}

double THistoryPage::GetPlayedRating(int64_t playerID, int pageIndex, int weather) const {
  try {
    const TPlayer* player = FindPlayer(playerID);
    if (!player) return 0;
    return GetRatingAtPage(*player, GetPlayedPosition(playerID), pageIndex, weather);
  } catch (const std::exception&) {
    return 0;
  }
}

THistoryListItem THistoryPage::AddListItem() {
  THistoryListItem item;
  item.Page = this;
  static const char* const days[7] = {N_("Monday"), N_("Tuesday"), N_("Wednesday"), N_("Thursday"),
                                      N_("Friday"), N_("Saturday"), N_("Sunday")};
  try {
    item.Date = FormatDate(World.FetchedDateTime());
    const std::chrono::year_month_day ymd{std::chrono::year(StrToInt(item.Date.substr(0, 4))),
                                          std::chrono::month(StrToInt(item.Date.substr(5, 2))),
                                          std::chrono::day(StrToInt(item.Date.substr(8, 2)))};
    item.Day = _(days[std::chrono::weekday(std::chrono::sys_days(ymd)).iso_encoding() - 1]);
  } catch (const EConvertError&) {
    // A record file may carry a date the program cannot read; the row still shows it as written.
    item.Date = World.FetchedDate;
  }
  item.Week = World.RoundLabel();
  const bool league = LeagueMatch.HasMatch(), other = OtherMatch.HasMatch();
  item.Matches = league && other ? _("Both") : league ? _("League") : other ? _("Other") : _("None");
  item.Training = TrainingTypeName(Training.TrainingType);
  item.FileName = std::filesystem::path(FileName).filename().string();
  return item;
}
