// pitchbook-cli prefs [--home DIR] [--json]: the preferences of a program folder as the program reads them.
// Secrets are masked. A file that cannot be read shows its message on stderr, then the defaults, and the
// command exits with 1.
#include "app/cli/CliCommand.h"
#include "data/Preferences.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>

namespace {
struct TPrefsOptions {
  std::string Home;
  bool Json = false;
};

std::string Masked(const std::string& secret) { return secret.empty() ? std::string() : std::string("***"); }

std::string WithLineFeeds(std::string text) {
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 1);
  return text;
}

// The settings in the order of the file, under their field names.
nlohmann::ordered_json ToJson(const TPreferences& p) {
  nlohmann::ordered_json j;
  j["PlayerColumns"] = p.PlayerColumns();
  j["MatchColumns"] = p.MatchColumns();
  j["LoadPlayersToTempGird"] = p.LoadPlayersToTempGird;
  j["DoNotImportCoach"] = p.DoNotImportCoach;
  j["ConnectionSite"] = p.ConnectionSite;
  j["ChooseBestServer"] = p.ChooseBestServer;
  j["SaveUsernamePassword"] = p.SaveUsernamePassword;
  j["ProxyServer"] = p.ProxyServer;
  j["ProxyPort"] = p.ProxyPort;
  j["EnableProxy"] = p.EnableProxy;
  j["ProxyUserName"] = p.ProxyUserName;
  j["ProxyPassword"] = Masked(p.ProxyPassword);
  j["EnableProxyAuthentication"] = p.EnableProxyAuthentication;
  j["CheckUpdates"] = p.CheckUpdates;
  j["UpdateCheckURL"] = p.UpdateCheckURL;
  j["LimitHistoryDataLoading"] = p.LimitHistoryDataLoading;
  j["SeasonLimit"] = p.SeasonLimit;
  j["UseAlternateHistoryPath"] = p.UseAlternateHistoryPath;
  j["AlternateHistoryPath"] = p.AlternateHistoryPath;
  j["HomeTeamScores"] = p.HomeTeamScores;
  j["AwayTeamScores"] = p.AwayTeamScores;
  j["CurrencyIndex"] = p.CurrencyIndex;
  j["SelectedTeamM"] = p.SelectedTeamM;
  j["SelectedTeamT"] = p.SelectedTeamT;
  j["IndexTypeM"] = p.IndexTypeM;
  j["IndexTypeT"] = p.IndexTypeT;
  j["IndexWeatherM"] = p.IndexWeatherM;
  j["IndexWeatherT"] = p.IndexWeatherT;
  j["IndexResultM"] = p.IndexResultM;
  j["IndexResultT"] = p.IndexResultT;
  j["UserName"] = p.UserName;
  j["Password"] = Masked(p.GetPassword());
  j["StateAssumePassableForms"] = p.StateAssumePassableForms;
  j["StatePlayerComparison"] = p.StatePlayerComparison;
  j["StateTraining"] = p.StateTraining;
  return j;
}

// "Name = value" lines; booleans as in the file, columns one line each under their element names.
void PrintLines(const nlohmann::ordered_json& j) {
  auto text = [](const nlohmann::ordered_json& v) -> std::string {
    if (v.is_boolean()) return v.get<bool>() ? "True" : "False";
    if (v.is_string()) return v.get<std::string>();
    return v.dump();
  };
  for (const auto& [name, value] : j.items()) {
    if (name == "PlayerColumns" || name == "MatchColumns") {
      for (size_t i = 0; i < value.size(); ++i)
        std::cout << name << '.' << (name == "PlayerColumns" ? PlayerColumnNames[i] : MatchColumnNames[i]) << " = "
                  << text(value[i]) << '\n';
    } else {
      std::cout << name << " = " << text(value) << '\n';
    }
  }
}

const TCliCommand PrefsCommand([](CLI::App& app, TCliContext& context) {
  auto options = std::make_shared<TPrefsOptions>();
  auto* command = app.add_subcommand("prefs", "Show the preferences of the program folder (secrets masked)");
  command->add_option("--home", options->Home, "Program folder");
  command->add_flag("--json", options->Json, "One JSON object keyed by setting name");
  command->callback([options, &context] {
    TPreferences preferences;
    preferences.ProgramFolder = CliProgramFolder(options->Home);
    if (auto result = preferences.Load(); !result) {
      std::cerr << WithLineFeeds(result.Message) << '\n' << result.Detail << '\n';
      context.ExitCode = 1;
    }
    auto json = ToJson(preferences);
    if (options->Json)
      std::cout << json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    else
      PrintLines(json);
  });
});
}  // namespace
