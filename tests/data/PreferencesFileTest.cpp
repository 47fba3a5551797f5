// "Preferences.xml": what survives a save and a load, how hand-made and broken files are read, and that a
// save never damages the old file.
#include "TestSupport.h"
#include "data/Preferences.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <pugixml.hpp>

#include <csignal>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {
const std::string InvalidFileMessage = "Invalid preferences file.\r\nSetting deafult values for preferences.";
const std::string SaveErrorMessage = "Error occurred while saving\r\npreferences file.";

// Every stored setting as text, keyed by field (columns by element name).
std::map<std::string, std::string> Fields(const TPreferences& p) {
  std::map<std::string, std::string> f;
  auto b = [](bool v) { return std::string(v ? "T" : "F"); };
  for (int i = 0; i < PlayerColumnCount; ++i) f[std::string("Players.") + PlayerColumnNames[i]] = b(p.GetPlayerColumn(i));
  for (int i = 0; i < MatchColumnCount; ++i) f[std::string("Matches.") + MatchColumnNames[i]] = b(p.GetMatchColumn(i));
  f["LoadPlayersToTempGird"] = b(p.LoadPlayersToTempGird);
  f["DoNotImportCoach"] = b(p.DoNotImportCoach);
  f["ConnectionSite"] = p.ConnectionSite;
  f["ChooseBestServer"] = b(p.ChooseBestServer);
  f["SaveUsernamePassword"] = b(p.SaveUsernamePassword);
  f["ProxyServer"] = p.ProxyServer;
  f["ProxyPort"] = p.ProxyPort;
  f["EnableProxy"] = b(p.EnableProxy);
  f["ProxyUserName"] = p.ProxyUserName;
  f["ProxyPassword"] = p.ProxyPassword;
  f["EnableProxyAuthentication"] = b(p.EnableProxyAuthentication);
  f["CheckUpdates"] = b(p.CheckUpdates);
  f["UpdateCheckURL"] = p.UpdateCheckURL;
  f["LimitHistoryDataLoading"] = b(p.LimitHistoryDataLoading);
  f["SeasonLimit"] = std::to_string(p.SeasonLimit);
  f["UseAlternateHistoryPath"] = b(p.UseAlternateHistoryPath);
  f["AlternateHistoryPath"] = p.AlternateHistoryPath;
  f["HomeTeamScores"] = b(p.HomeTeamScores);
  f["AwayTeamScores"] = b(p.AwayTeamScores);
  f["CurrencyIndex"] = std::to_string(p.CurrencyIndex);
  f["SelectedTeamM"] = p.SelectedTeamM;
  f["SelectedTeamT"] = p.SelectedTeamT;
  f["IndexTypeM"] = std::to_string(p.IndexTypeM);
  f["IndexTypeT"] = std::to_string(p.IndexTypeT);
  f["IndexWeatherM"] = std::to_string(p.IndexWeatherM);
  f["IndexWeatherT"] = std::to_string(p.IndexWeatherT);
  f["IndexResultM"] = std::to_string(p.IndexResultM);
  f["IndexResultT"] = std::to_string(p.IndexResultT);
  f["UserName"] = p.UserName;
  f["Password"] = p.GetPassword();
  f["StateAssumePassableForms"] = b(p.StateAssumePassableForms);
  f["StatePlayerComparison"] = b(p.StatePlayerComparison);
  f["StateTraining"] = b(p.StateTraining);
  return f;
}

// A value other than the default in every field (SaveUsernamePassword stays on, or the password is not kept).
void SetUnusualValues(TPreferences& p) {
  for (int i = 0; i < PlayerColumnCount; ++i) p.SetPlayerColumn(i, !p.GetPlayerColumn(i));
  for (int i = 0; i < MatchColumnCount; ++i) p.SetMatchColumn(i, !p.GetMatchColumn(i));
  p.LoadPlayersToTempGird = false;
  p.DoNotImportCoach = false;
  p.ConnectionSite = "127.0.0.1:8080";
  p.ChooseBestServer = false;
  p.ProxyServer = "proxy.local";
  p.ProxyPort = "3128";
  p.EnableProxy = true;
  p.ProxyUserName = "proxy user";
  p.ProxyPassword = "pä€ss<&>\"'";
  p.EnableProxyAuthentication = true;
  p.CheckUpdates = false;
  p.UpdateCheckURL = "http://127.0.0.1:8080/pitchbook/latest";
  p.LimitHistoryDataLoading = false;
  p.SeasonLimit = 17;
  p.UseAlternateHistoryPath = true;
  p.AlternateHistoryPath = "/data/old history/";
  p.HomeTeamScores = false;
  p.AwayTeamScores = false;
  p.SetCurrencyIndex(0);
  p.SelectedTeamM = "FC Ölbaum & <Co>";
  p.SelectedTeamT = "Team T";
  p.IndexTypeM = 1;
  p.IndexTypeT = -2;
  p.IndexWeatherM = 3;
  p.IndexWeatherT = 4;
  p.IndexResultM = 5;
  p.IndexResultT = 6;
  p.UserName = "Manager Ünal";
  p.SetPassword("s3cr€t \xF0\x9F\x98\x80 end");  // 4-byte UTF-8: its scrambled lead byte is a control character
  p.StateAssumePassableForms = true;
  p.StatePlayerComparison = true;
  p.StateTraining = true;
}

// Element paths of a saved file in document order ("Grids/Download/DoNotImportCoach").
std::vector<std::string> ElementPaths(const std::filesystem::path& file) {
  pugi::xml_document doc;
  EXPECT_TRUE(doc.load_file(file.c_str()));
  std::vector<std::string> paths;
  std::function<void(pugi::xml_node, std::string)> walk = [&](pugi::xml_node node, std::string prefix) {
    for (auto child : node.children()) {
      if (child.type() != pugi::node_element) continue;
      std::string path = prefix.empty() ? child.name() : prefix + "/" + child.name();
      paths.push_back(path);
      walk(child, path);
    }
  };
  walk(doc.document_element(), "");
  return paths;
}

std::string ElementText(const std::filesystem::path& file, const char* xpath) {
  pugi::xml_document doc;
  EXPECT_TRUE(doc.load_file(file.c_str()));
  return doc.select_node(xpath).node().text().get();
}

std::string FileWith(const std::string& body) {
  return "<?xml version=\"1.0\" ?>\n<PitchbookPreferences>\n" + body + "\n</PitchbookPreferences>\n";
}
}  // namespace

TEST(PreferencesFile, EveryStoredSettingSurvivesSaveAndLoad) {
  TTempFolder home;
  TPreferences saved;
  saved.ProgramFolder = home.Path();
  const auto defaults = Fields(saved);
  SetUnusualValues(saved);
  const auto expected = Fields(saved);
  for (const auto& [name, value] : expected) {
    if (name != "SaveUsernamePassword") {
      EXPECT_NE(defaults.at(name), value) << name << " is left at its default";
    }
  }
  ASSERT_TRUE(saved.Save());

  TPreferences loaded;
  loaded.ProgramFolder = home.Path();
  auto result = loaded.Load();
  EXPECT_TRUE(result) << result.Detail;
  EXPECT_EQ(Fields(loaded), expected);
}

TEST(PreferencesFile, IsWrittenInTheDocumentedLayout) {
  TTempFolder home;
  TPreferences p;
  p.ProgramFolder = home.Path();
  ASSERT_TRUE(p.Save());
  auto paths = ElementPaths(home / "Preferences.xml");
  ASSERT_EQ(paths.size(), 65u + 43u);
  EXPECT_EQ(paths[0], "Grids");
  EXPECT_EQ(paths[3], "Grids/Columns/Players/PlayerName");
  EXPECT_EQ(paths[40], "Grids/Columns/Players/Maximum");
  EXPECT_EQ(paths[42], "Grids/Columns/Matches/MatchName");
  EXPECT_EQ(paths[64], "Grids/Columns/Matches/Value");
  const std::vector<std::string> rest(paths.begin() + 65, paths.end());
  const std::vector<std::string> expected{
      "Grids/Download", "Grids/Download/LoadPlayersToTempGird", "Grids/Download/DoNotImportCoach", "Connection",
      "Connection/Kickvale", "Connection/Kickvale/ConnectionSite", "Connection/Kickvale/ChooseBestServer",
      "Connection/Kickvale/SaveUsernamePassword", "Connection/Proxy", "Connection/Proxy/ProxyServer",
      "Connection/Proxy/ProxyPort", "Connection/Proxy/EnableProxy", "Connection/Proxy/ProxyUserName",
      "Connection/Proxy/ProxyPassword", "Connection/Proxy/EnableProxyAuthentication", "Connection/Misc",
      "Connection/Misc/CheckUpdates", "Connection/Misc/UpdateCheckURL", "Startup", "Startup/LimitHistoryDataLoading", "Startup/SeasonLimit",
      "Startup/UseAlternateHistoryPath", "Startup/AlternateHistoryPath", "MatchViewer",
      "MatchViewer/HomeTeamScores", "MatchViewer/AwayTeamScores", "Misc", "Misc/CurrencyIndex", "Private",
      "Private/Warning", "Private/SelectedTeamM", "Private/SelectedTeamT", "Private/IndexTypeM",
      "Private/IndexTypeT", "Private/IndexWeatherM", "Private/IndexWeatherT", "Private/IndexResultM",
      "Private/IndexResultT", "Private/UserName", "Private/Password", "Private/StateAssumePassableForms",
      "Private/StatePlayerComparison", "Private/StateTraining"};
  EXPECT_EQ(rest, expected);
  auto file = home / "Preferences.xml";
  EXPECT_EQ(ElementText(file, "/PitchbookPreferences/Private/Warning"), "Do NOT edit contents of this node");
  EXPECT_EQ(ElementText(file, "/PitchbookPreferences/Grids/Columns/Players/PlayerID"), "False");
  EXPECT_EQ(ElementText(file, "/PitchbookPreferences/Misc/CurrencyIndex"), "93");
}

TEST(PreferencesFile, StoresPasswordsScrambledAndOnlyWhileTheirSwitchesAreOn) {
  TTempFolder home;
  TPreferences p;
  p.ProgramFolder = home.Path();
  p.SetPassword("abc");
  p.ProxyPassword = "abc";
  p.EnableProxy = true;
  p.EnableProxyAuthentication = true;
  ASSERT_TRUE(p.Save());
  auto file = home / "Preferences.xml";
  const std::string text = ReadWholeFile(file);
  EXPECT_EQ(text.find("abc"), std::string::npos);
  // The scrambled bytes 9C 9D 9E, written as the Windows-1252 characters they stand for.
  EXPECT_EQ(ElementText(file, "//Private/Password"), "\u0153\u009D\u017E");
  EXPECT_EQ(ElementText(file, "//Proxy/ProxyPassword"), "\u0153\u009D\u017E");

  p.SaveUsernamePassword = false;  // typed at login, but not to be remembered
  p.EnableProxyAuthentication = false;
  ASSERT_TRUE(p.Save());
  EXPECT_EQ(ElementText(file, "//Private/Password"), "");
  EXPECT_EQ(ElementText(file, "//Proxy/ProxyPassword"), "");
}

TEST(PreferencesFile, ReadsSingleByteFilesWithRawPasswordBytes) {
  TTempFolder home;
  // As an old single-byte program writes it: no encoding declared, Windows-1252 bytes throughout.
  WriteWholeFile(home / "Preferences.xml",
                 FileWith("<Private><UserName>M\xFCller</UserName><Password>\x9C\x9D\x9E</Password></Private>"));
  TPreferences p;
  p.ProgramFolder = home.Path();
  auto result = p.Load();
  ASSERT_TRUE(result) << result.Detail;
  EXPECT_EQ(p.UserName, "Müller");
  EXPECT_EQ(p.GetPassword(), "abc");
}

TEST(PreferencesFile, ReadsHandMadeFilesWithTheThreeReaders) {
  TTempFolder home;
  // Private values as the main window left them before the load.
  TPreferences p;
  p.ProgramFolder = home.Path();
  p.UserName = "old user";
  p.SelectedTeamM = "old M";
  p.SelectedTeamT = "old T";
  p.IndexTypeM = 4;
  p.IndexResultT = 2;
  p.StateTraining = true;
  WriteWholeFile(home / "Preferences.xml",
                 FileWith("<Connection><Kickvale><ChooseBestServer>true</ChooseBestServer>"
                          "<SaveUsernamePassword></SaveUsernamePassword></Kickvale>"
                          "<Proxy><EnableProxy>yes</EnableProxy><ProxyServer></ProxyServer></Proxy></Connection>"
                          "<Startup><SeasonLimit> 5</SeasonLimit><LimitHistoryDataLoading/></Startup>"
                          "<Misc><CurrencyIndex></CurrencyIndex></Misc>"));
  auto result = p.Load();
  EXPECT_TRUE(result) << result.Detail;
  EXPECT_FALSE(p.ChooseBestServer);       // only "True" is true
  EXPECT_FALSE(p.EnableProxy);            // anything else is false
  EXPECT_TRUE(p.SaveUsernamePassword);    // empty keeps the default
  EXPECT_TRUE(p.LimitHistoryDataLoading); // so does an element without text
  EXPECT_EQ(p.SeasonLimit, 5);
  EXPECT_EQ(p.CurrencyIndex, 93);
  EXPECT_EQ(p.ConnectionSite, "");        // a missing text element empties the text
  EXPECT_TRUE(p.GetPlayerColumn(0));
  EXPECT_FALSE(p.GetPlayerColumn(2));
  // No Private section: its texts are emptied, its numbers and switches keep what they had.
  EXPECT_EQ(p.UserName, "");
  EXPECT_EQ(p.SelectedTeamM, "");
  EXPECT_EQ(p.SelectedTeamT, "");
  EXPECT_EQ(p.IndexTypeM, 4);
  EXPECT_EQ(p.IndexResultT, 2);
  EXPECT_TRUE(p.StateTraining);
}

TEST(PreferencesFile, InvalidFileGivesTheMessageAndAllDefaults) {
  const struct {
    const char* Name;
    std::string Text;
  } cases[] = {
      {"non-number integer", FileWith("<Startup><SeasonLimit>two</SeasonLimit></Startup>")},
      {"number with trailing garbage", FileWith("<Private><IndexTypeM>1x</IndexTypeM></Private>")},
      {"non-number currency", FileWith("<Misc><CurrencyIndex>x</CurrencyIndex></Misc>")},
      {"not XML", "this is not XML"},
      {"unclosed element", "<?xml version=\"1.0\" ?><PitchbookPreferences><Startup>"},
      {"foreign root", "<?xml version=\"1.0\" ?><Settings><Startup/></Settings>"},
      {"empty file", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TTempFolder home;
    WriteWholeFile(home / "Preferences.xml", c.Text);
    TPreferences p;
    p.ProgramFolder = home.Path();
    p.SeasonLimit = 9;
    p.UserName = "kept";
    auto result = p.Load();
    EXPECT_FALSE(result);
    EXPECT_EQ(result.Message, InvalidFileMessage);
    EXPECT_FALSE(result.Detail.empty());
    EXPECT_EQ(p.SeasonLimit, 2);
    EXPECT_EQ(p.CurrencyIndex, 93);
    EXPECT_EQ(p.UserName, "kept");  // nothing of the broken file is taken over
    EXPECT_EQ(ReadWholeFile(home / "Preferences.xml"), c.Text);  // left alone until the next save
  }
}

TEST(PreferencesFile, CurrencyOutsideTheTableFallsBackAloneAndKeepsTheRest) {
  for (const char* index : {"96", "-1", "1000"}) {
    SCOPED_TRACE(index);
    TTempFolder home;
    WriteWholeFile(home / "Preferences.xml",
                   FileWith(std::string("<Connection><Kickvale><ConnectionSite>http://127.0.0.1:1/</ConnectionSite>"
                                        "</Kickvale></Connection>"
                                        "<Startup><SeasonLimit>5</SeasonLimit><UseAlternateHistoryPath>True"
                                        "</UseAlternateHistoryPath><AlternateHistoryPath>/x/</AlternateHistoryPath>"
                                        "</Startup><Misc><CurrencyIndex>") +
                            index + "</CurrencyIndex></Misc><Private><UserName>me</UserName></Private>"));
    TPreferences p;
    p.ProgramFolder = home.Path();
    p.SetCurrencyIndex(3);
    auto result = p.Load();
    EXPECT_TRUE(result) << result.Detail;
    EXPECT_EQ(p.CurrencyIndex, 93);
    EXPECT_EQ(p.SeasonLimit, 5);
    EXPECT_TRUE(p.UseAlternateHistoryPath);
    EXPECT_EQ(p.AlternateHistoryPath, "/x/");
    EXPECT_EQ(p.ConnectionSite, "http://127.0.0.1:1/");
    EXPECT_EQ(p.UserName, "me");
  }
}

TEST(PreferencesFile, MissingFileGivesDefaultsWithoutComplaint) {
  TTempFolder home;
  TPreferences p;
  p.ProgramFolder = home.Path();
  p.SeasonLimit = 9;
  EXPECT_TRUE(p.Load());
  EXPECT_EQ(p.SeasonLimit, 2);
  EXPECT_FALSE(std::filesystem::exists(home / "Preferences.xml"));
}

TEST(PreferencesFile, IsReadableByTheOwnerOnly) {
  TTempFolder home;
  WriteWholeFile(home / "Preferences.xml", "old");
  std::filesystem::permissions(home / "Preferences.xml", std::filesystem::perms(0644));
  TPreferences p;
  p.ProgramFolder = home.Path();
  ASSERT_TRUE(p.Save());
  struct stat info {};
  ASSERT_EQ(stat((home / "Preferences.xml").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(PreferencesFile, FailedSaveReportsAndKeepsTheOldFile) {
  TTempFolder home;
  TPreferences p;
  p.ProgramFolder = home.Path();
  p.UserName = "before";
  ASSERT_TRUE(p.Save());
  const std::string before = ReadWholeFile(home / "Preferences.xml");

  // A full disk: no file may grow beyond 100 bytes while saving.
  p.UserName = "after";
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit tiny = old;
  tiny.rlim_cur = 100;
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
  auto result = p.Save();
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(result);
  EXPECT_EQ(result.Message, SaveErrorMessage);
  EXPECT_EQ(ReadWholeFile(home / "Preferences.xml"), before);
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(home.Path())) ++files;
  EXPECT_EQ(files, 1) << "the temporary file is left behind";

  // A program folder that is gone.
  p.ProgramFolder = home / "missing";
  result = p.Save();
  EXPECT_FALSE(result);
  EXPECT_EQ(result.Message, SaveErrorMessage);
  EXPECT_FALSE(std::filesystem::exists(home / "missing"));
}

TEST(PreferencesCli, PrintsTheDefaultsOfAnEmptyProgramFolder) {
  TTempFolder home;
  auto run = RunCli("prefs --json --home '" + home.Path().string() + "'");
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  auto json = nlohmann::json::parse(run.Out);
  EXPECT_EQ(json["CurrencyIndex"], 93);
  EXPECT_EQ(json["SeasonLimit"], 2);
  EXPECT_EQ(json["PlayerColumns"].size(), 38u);
  EXPECT_EQ(json["PlayerColumns"][2], false);
  EXPECT_EQ(json["MatchColumns"].size(), 23u);
  EXPECT_EQ(json["ChooseBestServer"], true);
  EXPECT_FALSE(std::filesystem::exists(home / "Preferences.xml"));
}

TEST(PreferencesCli, MasksSecretsAndReportsABrokenFile) {
  TTempFolder home;
  TPreferences p;
  p.ProgramFolder = home.Path();
  p.UserName = "manager";
  p.SetPassword("topsecret");
  p.ProxyPassword = "proxysecret";
  p.EnableProxy = p.EnableProxyAuthentication = true;
  ASSERT_TRUE(p.Save());
  auto run = RunCli("prefs --json --home '" + home.Path().string() + "'");
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out.find("secret"), std::string::npos);
  auto json = nlohmann::json::parse(run.Out);
  EXPECT_EQ(json["Password"], "***");
  EXPECT_EQ(json["ProxyPassword"], "***");
  EXPECT_EQ(json["UserName"], "manager");

  auto lines = RunCli("prefs --home '" + home.Path().string() + "'");
  EXPECT_NE(lines.Out.find("UserName = manager\n"), std::string::npos);
  EXPECT_NE(lines.Out.find("PlayerColumns.PlayerID = False\n"), std::string::npos) << lines.Out;
  EXPECT_EQ(lines.Out.find("secret"), std::string::npos);

  WriteWholeFile(home / "Preferences.xml", FileWith("<Startup><SeasonLimit>many</SeasonLimit></Startup>"));
  auto broken = RunCli("prefs --json --home '" + home.Path().string() + "'");
  EXPECT_EQ(broken.ExitCode, 1);
  EXPECT_NE(broken.Err.find("Invalid preferences file."), std::string::npos);
  EXPECT_EQ(nlohmann::json::parse(broken.Out)["SeasonLimit"], 2);
}
