#include "data/Preferences.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/ProgramFolders.h"
#include "core/Utils.h"
#include "data/Currencies.h"
#include "data/GameHosts.h"

#include <pugixml.hpp>

#include <algorithm>
#include <sstream>

const std::array<const char*, PlayerColumnCount> PlayerColumnNames{
    "PlayerName",    "CountryID",     "PlayerID",        "Stamina",         "Playmaking",   "Winger",
    "Scoring",       "Keeper",        "Passing",         "Defending",       "SetPieces",    "Form",
    "Experience",    "Leadership",    "Warnings",        "InjuryTime",      "Age",          "TSI",
    "Wage",          "CareerGoals",   "LeagueGoals",     "CupGoals",        "FriendlyGoals", "CareerKickvales",
    "Specialty",     "Agreeability",  "Honesty",         "Aggressiveness",  "TrainerType",  "TrainerSkill",
    "Forward",       "Wing",          "InnerMidfielder", "WingBack",        "CentralDefender", "Goalkeeper",
    "PenaltyTaker",  "Maximum"};

const std::array<const char*, MatchColumnCount> MatchColumnNames{
    "MatchName",     "SeasonWeek",    "MatchID",         "HomeScore",       "AwayScore",    "Stars",
    "MatchType",     "Formation",     "Attitude",        "Weather",         "Experience",   "Crowd",
    "Tactic",        "TacticSkill",   "Midfield",        "RightDefence",    "CentralDefence", "LeftDefence",
    "RightAttack",   "CentralAttack", "LeftAttack",      "KickStats",       "Value"};

namespace {
const char* const RootName = "PitchbookPreferences";
const char* const PrivateWarning = "Do NOT edit contents of this node";

constexpr bool PlayerColumnHiddenByDefault(int i) {
  return i == 2 || i == 10 || i == 13 || (i >= 18 && i <= 23) || (i >= 25 && i <= 29);
}
constexpr bool MatchColumnHiddenByDefault(int i) { return i == 2 || i == 8 || i == 21; }

// The scrambled passwords are bytes, most of them above 0x7F, so they are not UTF-8. Written as they are
// they would make the whole file invalid UTF-8 (other XML tools reject it, an editor would damage it). So
// each byte is stored as the Windows-1252 character it stands for (Cp1252ToUtf8), which is how an old
// single-byte program's files show the same password, and the file stays UTF-8. A file whose password bytes
// were written raw is converted the same way by LoadXMLFile, so both read back alike.
std::string BytesToFileText(std::string_view bytes) { return Cp1252ToUtf8(bytes); }

// The inverse of BytesToFileText. A text that is not made of such characters (hand-edited) is taken byte
// for byte.
std::string FileTextToBytes(std::string_view text) {
  // The UTF-8 form of each byte 0x80..0xFF, built once from the one conversion table of the program.
  static const std::array<std::string, 128> upper = [] {
    std::array<std::string, 128> forms;
    for (int b = 0x80; b <= 0xFF; ++b) forms[b - 0x80] = Cp1252ToUtf8(std::string(1, char(b)));
    return forms;
  }();
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      out += text[i++];
      continue;
    }
    auto hit = std::find_if(upper.begin(), upper.end(),
                            [&](const std::string& form) { return text.substr(i, form.size()) == form; });
    if (hit == upper.end()) return std::string(text);
    out += char(0x80 + (hit - upper.begin()));
    i += hit->size();
  }
  return out;
}

// ---- readers: each looks up one child element of a section by name -----------------------------------
std::string ReadText(const pugi::xml_node& section, const char* name) {
  return section.child(name).text().get();
}

void ReadBool(const pugi::xml_node& section, const char* name, bool& value) {
  std::string text = ReadText(section, name);
  if (!text.empty()) value = text == "True";
}

void ReadInt(const pugi::xml_node& section, const char* name, int& value) {
  std::string text = ReadText(section, name);
  if (!text.empty()) value = StrToInt(text);
}

// ---- writers ------------------------------------------------------------------------------------------
void AddText(pugi::xml_node section, const char* name, const std::string& value) {
  auto node = section.append_child(name);
  if (!value.empty()) node.text().set(value.c_str());
}

void AddBool(pugi::xml_node section, const char* name, bool value) {
  section.append_child(name).text().set(value ? "True" : "False");
}

void AddInt(pugi::xml_node section, const char* name, int value) {
  section.append_child(name).text().set(std::to_string(value).c_str());
}

// The program's messages break lines with "\r\n"; the catalogues hold them with "\n" (gettext wants no "\r").
std::string CrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}
}  // namespace

std::string Scramble(std::string_view text) {
  std::string out(text.size(), '\0');
  for (size_t i = 0; i < text.size(); ++i) out[text.size() - 1 - i] = char(~static_cast<unsigned char>(text[i]));
  return out;
}

TPreferences::TPreferences() {
  SetDefaults();
  ColumnsChanged = false;
}

std::filesystem::path TPreferences::FileName() const {
  return (ProgramFolder.empty() ? ResolveProgramFolder("") : ProgramFolder) / "Preferences.xml";
}

void TPreferences::SetDefaults() {
  for (int i = 0; i < PlayerColumnCount; ++i) SetPlayerColumn(i, !PlayerColumnHiddenByDefault(i));
  for (int i = 0; i < MatchColumnCount; ++i) SetMatchColumn(i, !MatchColumnHiddenByDefault(i));
  LoadPlayersToTempGird = true;
  DoNotImportCoach = true;
  ConnectionSite = GameHosts().ServerAddresses[0];
  ChooseBestServer = true;
  SaveUsernamePassword = true;
  ProxyServer.clear();
  ProxyPort.clear();
  ProxyUserName.clear();
  ProxyPassword.clear();
  EnableProxy = false;
  EnableProxyAuthentication = false;
  CheckUpdates = true;
  UpdateCheckURL.clear();
  LimitHistoryDataLoading = true;
  SeasonLimit = 2;
  UseAlternateHistoryPath = false;
  AlternateHistoryPath.clear();
  HomeTeamScores = true;
  AwayTeamScores = true;
  CurrencyIndex = DefaultCurrencyIndex;
}

void TPreferences::Apply() {
  AlternateHistoryPath = Trim(AlternateHistoryPath);
  if (!AlternateHistoryPath.empty() && AlternateHistoryPath.back() != '/' && AlternateHistoryPath.back() != '\\')
    AlternateHistoryPath += '/';
}

bool TPreferences::GetPlayerColumn(int index) const {
  if (index < 0 || index >= PlayerColumnCount) throw ERangeError();
  return FPlayerColumns[index];
}

void TPreferences::SetPlayerColumn(int index, bool shown) {
  if (index < 0 || index >= PlayerColumnCount) throw ERangeError();
  if (FPlayerColumns[index] != shown) ColumnsChanged = true;
  FPlayerColumns[index] = shown;
}

bool TPreferences::GetMatchColumn(int index) const {
  if (index < 0 || index >= MatchColumnCount) throw ERangeError();
  return FMatchColumns[index];
}

void TPreferences::SetMatchColumn(int index, bool shown) {
  if (index < 0 || index >= MatchColumnCount) throw ERangeError();
  if (FMatchColumns[index] != shown) ColumnsChanged = true;
  FMatchColumns[index] = shown;
}

std::string TPreferences::GetServer() {
  if (!ChooseBestServer) return ConnectionSite;
  if (RecommendedServer.empty() && FFetchRecommendedServer) {
    try {
      RecommendedServer = FFetchRecommendedServer();
    } catch (const std::exception&) {
      RecommendedServer.clear();
    }
  }
  return RecommendedServer;
}

std::string TPreferences::GetCheckServer() const { return ChooseBestServer ? RecommendedServer : ConnectionSite; }

std::string TPreferences::GetProxyServer() const { return EnableProxy ? ProxyServer : std::string(); }

std::string TPreferences::GetProxyPort() const {
  return EnableProxy && AllDigits(ProxyPort) ? ProxyPort : std::string("0");
}

std::string TPreferences::GetProxyUserName() const {
  return EnableProxy && EnableProxyAuthentication ? ProxyUserName : std::string();
}

std::string TPreferences::GetProxyPassword() const {
  return EnableProxy && EnableProxyAuthentication ? ProxyPassword : std::string();
}

std::string TPreferences::GetPassword() const { return SaveUsernamePassword ? FPassword : std::string(); }

void TPreferences::SetPassword(const std::string& password) {
  FPassword = SaveUsernamePassword ? password : std::string();
}

void TPreferences::SetCurrencyIndex(int index) {
  LeagueCurrencyAt(index);  // range check
  CurrencyIndex = index;
}

std::string TPreferences::GetCurrencyName() const { return LeagueCurrencyAt(CurrencyIndex).CurrencyName; }

double TPreferences::GetCurrencyRate() const { return LeagueCurrencyAt(CurrencyIndex).Rate; }

// ---- the file -----------------------------------------------------------------------------------------

TPreferencesResult TPreferences::Load() {
  SetDefaults();
  const auto path = FileName();
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return {};
  try {
    LoadFromText(ReadFileText(path), path.string());
    return {};
  } catch (const std::exception& e) {
    SetDefaults();
    return {false, CrLf(_("Invalid preferences file.\nSetting deafult values for preferences.")), e.what()};
  }
}

void TPreferences::LoadFromText(std::string_view bytes, const std::string& sourceName) {
  pugi::xml_document doc;
  ParseXMLText(bytes, doc, sourceName);
  auto root = doc.child(RootName);
  if (!root) throw EInOutError(sourceName + ": no " + RootName + " element");
  // Read into a copy, so that a file failing half-way leaves nothing of itself behind.
  TPreferences loaded(*this);
  loaded.ReadDocument(root);
  *this = std::move(loaded);
}

void TPreferences::ReadDocument(const pugi::xml_node& root) {
  auto grids = root.child("Grids");
  auto players = grids.child("Columns").child("Players");
  for (int i = 0; i < PlayerColumnCount; ++i) {
    bool shown = FPlayerColumns[i];
    ReadBool(players, PlayerColumnNames[i], shown);
    SetPlayerColumn(i, shown);
  }
  auto matches = grids.child("Columns").child("Matches");
  for (int i = 0; i < MatchColumnCount; ++i) {
    bool shown = FMatchColumns[i];
    ReadBool(matches, MatchColumnNames[i], shown);
    SetMatchColumn(i, shown);
  }
  auto download = grids.child("Download");
  ReadBool(download, "LoadPlayersToTempGird", LoadPlayersToTempGird);
  ReadBool(download, "DoNotImportCoach", DoNotImportCoach);

  auto connection = root.child("Connection");
  auto kickvale = connection.child("Kickvale");
  ConnectionSite = ReadText(kickvale, "ConnectionSite");
  ReadBool(kickvale, "ChooseBestServer", ChooseBestServer);
  ReadBool(kickvale, "SaveUsernamePassword", SaveUsernamePassword);
  auto proxy = connection.child("Proxy");
  ProxyServer = ReadText(proxy, "ProxyServer");
  ProxyPort = ReadText(proxy, "ProxyPort");
  ReadBool(proxy, "EnableProxy", EnableProxy);
  ProxyUserName = ReadText(proxy, "ProxyUserName");
  ProxyPassword = Scramble(FileTextToBytes(ReadText(proxy, "ProxyPassword")));
  ReadBool(proxy, "EnableProxyAuthentication", EnableProxyAuthentication);
  ReadBool(connection.child("Misc"), "CheckUpdates", CheckUpdates);
  UpdateCheckURL = ReadText(connection.child("Misc"), "UpdateCheckURL");

  auto startup = root.child("Startup");
  ReadBool(startup, "LimitHistoryDataLoading", LimitHistoryDataLoading);
  ReadInt(startup, "SeasonLimit", SeasonLimit);
  ReadBool(startup, "UseAlternateHistoryPath", UseAlternateHistoryPath);
  AlternateHistoryPath = ReadText(startup, "AlternateHistoryPath");

  auto viewer = root.child("MatchViewer");
  ReadBool(viewer, "HomeTeamScores", HomeTeamScores);
  ReadBool(viewer, "AwayTeamScores", AwayTeamScores);

  // An index outside the table would make every money display fail later. Only this value falls back to
  // its default: failing the whole file would reset (and at exit overwrite) every other setting.
  int currency = CurrencyIndex;
  ReadInt(root.child("Misc"), "CurrencyIndex", currency);
  SetCurrencyIndex(currency >= 0 && currency < LeagueCurrencyChoices ? currency : DefaultCurrencyIndex);

  auto priv = root.child("Private");
  SelectedTeamM = ReadText(priv, "SelectedTeamM");
  SelectedTeamT = ReadText(priv, "SelectedTeamT");
  ReadInt(priv, "IndexTypeM", IndexTypeM);
  ReadInt(priv, "IndexTypeT", IndexTypeT);
  ReadInt(priv, "IndexWeatherM", IndexWeatherM);
  ReadInt(priv, "IndexWeatherT", IndexWeatherT);
  ReadInt(priv, "IndexResultM", IndexResultM);
  ReadInt(priv, "IndexResultT", IndexResultT);
  UserName = ReadText(priv, "UserName");
  SetPassword(Scramble(FileTextToBytes(ReadText(priv, "Password"))));
  ReadBool(priv, "StateAssumePassableForms", StateAssumePassableForms);
  ReadBool(priv, "StatePlayerComparison", StatePlayerComparison);
  ReadBool(priv, "StateTraining", StateTraining);
}

std::string TPreferences::WriteDocument() const {
  pugi::xml_document doc;
  NewXMLDocument(doc, RootName);
  auto root = doc.child(RootName);

  auto grids = root.append_child("Grids");
  auto columns = grids.append_child("Columns");
  auto players = columns.append_child("Players");
  for (int i = 0; i < PlayerColumnCount; ++i) AddBool(players, PlayerColumnNames[i], FPlayerColumns[i]);
  auto matches = columns.append_child("Matches");
  for (int i = 0; i < MatchColumnCount; ++i) AddBool(matches, MatchColumnNames[i], FMatchColumns[i]);
  auto download = grids.append_child("Download");
  AddBool(download, "LoadPlayersToTempGird", LoadPlayersToTempGird);
  AddBool(download, "DoNotImportCoach", DoNotImportCoach);

  auto connection = root.append_child("Connection");
  auto kickvale = connection.append_child("Kickvale");
  AddText(kickvale, "ConnectionSite", ConnectionSite);
  AddBool(kickvale, "ChooseBestServer", ChooseBestServer);
  AddBool(kickvale, "SaveUsernamePassword", SaveUsernamePassword);
  auto proxy = connection.append_child("Proxy");
  AddText(proxy, "ProxyServer", ProxyServer);
  AddText(proxy, "ProxyPort", ProxyPort);
  AddBool(proxy, "EnableProxy", EnableProxy);
  AddText(proxy, "ProxyUserName", ProxyUserName);
  AddText(proxy, "ProxyPassword", BytesToFileText(Scramble(GetProxyPassword())));
  AddBool(proxy, "EnableProxyAuthentication", EnableProxyAuthentication);
  auto misc = connection.append_child("Misc");
  AddBool(misc, "CheckUpdates", CheckUpdates);
  AddText(misc, "UpdateCheckURL", UpdateCheckURL);

  auto startup = root.append_child("Startup");
  AddBool(startup, "LimitHistoryDataLoading", LimitHistoryDataLoading);
  AddInt(startup, "SeasonLimit", SeasonLimit);
  AddBool(startup, "UseAlternateHistoryPath", UseAlternateHistoryPath);
  AddText(startup, "AlternateHistoryPath", AlternateHistoryPath);

  auto viewer = root.append_child("MatchViewer");
  AddBool(viewer, "HomeTeamScores", HomeTeamScores);
  AddBool(viewer, "AwayTeamScores", AwayTeamScores);

  AddInt(root.append_child("Misc"), "CurrencyIndex", CurrencyIndex);

  auto priv = root.append_child("Private");
  AddText(priv, "Warning", PrivateWarning);
  AddText(priv, "SelectedTeamM", SelectedTeamM);
  AddText(priv, "SelectedTeamT", SelectedTeamT);
  AddInt(priv, "IndexTypeM", IndexTypeM);
  AddInt(priv, "IndexTypeT", IndexTypeT);
  AddInt(priv, "IndexWeatherM", IndexWeatherM);
  AddInt(priv, "IndexWeatherT", IndexWeatherT);
  AddInt(priv, "IndexResultM", IndexResultM);
  AddInt(priv, "IndexResultT", IndexResultT);
  AddText(priv, "UserName", UserName);
  AddText(priv, "Password", BytesToFileText(Scramble(GetPassword())));
  AddBool(priv, "StateAssumePassableForms", StateAssumePassableForms);
  AddBool(priv, "StatePlayerComparison", StatePlayerComparison);
  AddBool(priv, "StateTraining", StateTraining);

  std::ostringstream text;
  doc.save(text, "  ", pugi::format_indent, pugi::encoding_utf8);
  return text.str();
}

TPreferencesResult TPreferences::Save() const {
  try {
    // Owner only from the first byte on: the file holds the security code.
    SaveFileAtomically(FileName(), WriteDocument(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    return {};
  } catch (const std::exception& e) {
    return {false, CrLf(_("Error occurred while saving\npreferences file.")), e.what()};
  }
}

TPreferences& Preferences() {
  static TPreferences preferences;
  return preferences;
}
