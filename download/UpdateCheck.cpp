#include "download/UpdateCheck.h"

#include "core/Version.h"
#include "data/Preferences.h"
#include "download/KVIndyHTTP.h"

#include <cstdlib>

namespace {

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool IsWebAddress(std::string_view text) {
  if (!text.starts_with("http://") && !text.starts_with("https://")) return false;
  const size_t host = text.find("//") + 2;
  if (host >= text.size() || text[host] == '/') return false;
  // No blanks or control characters: the page is handed to the system's browser as it stands.
  for (unsigned char c : text)
    if (c <= ' ' || c == 0x7f) return false;
  return true;
}

}  // namespace

TUpdateAnswer ParseUpdateAnswer(std::string_view text) {
  TUpdateAnswer answer;
  bool haveVersion = false, havePage = false;
  int number = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = Trim(line);
    if (line.empty() || line.starts_with('#')) continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0)
      throw EUpdateAnswerError("line " + std::to_string(number) + " is not Key=Value");
    const std::string_view key = Trim(line.substr(0, equals));
    const std::string_view value = Trim(line.substr(equals + 1));
    if (key == "Version") {
      if (haveVersion) throw EUpdateAnswerError("Version given twice");
      if (!ParseVersion(value)) throw EUpdateAnswerError("'" + std::string(value) + "' is not a version");
      answer.Version = value;
      haveVersion = true;
    } else if (key == "DownloadPage") {
      if (havePage) throw EUpdateAnswerError("DownloadPage given twice");
      if (!IsWebAddress(value)) throw EUpdateAnswerError("DownloadPage is not an http(s) address");
      answer.DownloadPage = value;
      havePage = true;
    }
  }
  if (!haveVersion) throw EUpdateAnswerError("no Version");
  if (!havePage) throw EUpdateAnswerError("no DownloadPage");
  return answer;
}

std::string FormatUpdateAnswer(const TUpdateAnswer& answer) {
  return "# Pitchbook update information\nVersion=" + answer.Version + "\nDownloadPage=" + answer.DownloadPage + "\n";
}

std::string UpdateCheckAddress(const TPreferences& preferences) {
  const char* environment = std::getenv("PITCHBOOK_UPDATE_URL");
  if (environment && *environment) return environment;
  return preferences.UpdateCheckURL;
}

TUpdateCheck::TUpdateCheck(TKVIndyHTTP& http, std::string address, std::string runningVersion)
    : FHTTP(http), FAddress(std::move(address)), FRunningVersion(std::move(runningVersion)) {}

TUpdateResult TUpdateCheck::Run() {
  TUpdateResult result;
  if (FAddress.empty()) return result;
  const std::string prefix = "Update check (" + FAddress + "): ";
  result.Outcome = TUpdateOutcome::Failed;
  const auto running = ParseVersion(FRunningVersion);
  if (!running) {
    result.LogLine = prefix + "the running version '" + FRunningVersion + "' is not a version";
    return result;
  }
  if (!IsWebAddress(FAddress)) {
    result.LogLine = prefix + "not an http(s) address";
    return result;
  }
  try {
    const std::string text = FHTTP.GetText(FAddress);
    if (text.size() > MaxAnswerSize) throw EUpdateAnswerError("the answer is too long");
    result.Answer = ParseUpdateAnswer(text);
  } catch (const std::exception& e) {
    result.Answer = {};
    result.LogLine = prefix + "failed: " + e.what();
    return result;
  }
  if (CompareVersions(*ParseVersion(result.Answer.Version), *running) > 0) {
    result.Outcome = TUpdateOutcome::Newer;
    result.LogLine = prefix + "version " + result.Answer.Version + " is available at " + result.Answer.DownloadPage;
  } else {
    result.Outcome = TUpdateOutcome::Current;
    result.LogLine = prefix + "newest version " + result.Answer.Version + ", running " + FRunningVersion;
  }
  return result;
}

TUpdateResult CheckForUpdate(TPreferences& preferences, const std::filesystem::path& workFolder, std::ostream& log) {
  const std::string address = preferences.CheckUpdates ? UpdateCheckAddress(preferences) : std::string();
  if (address.empty()) return {};
  TKVIndyHTTP http(preferences, workFolder);
  http.SetReadTimeout(TUpdateCheck::ReadTimeout);
  TUpdateResult result = TUpdateCheck(http, address).Run();
  if (!result.LogLine.empty()) log << result.LogLine << std::endl;
  return result;
}
