#pragma once
// The start-up check for a newer program version. It is off unless the user configured an address (the
// preference UpdateCheckURL or the environment variable PITCHBOOK_UPDATE_URL) and CheckUpdates is on, so
// nothing is ever contacted that the user did not name. The address answers a small text:
//
//   # comment lines and blank lines are ignored, so are keys this program does not know
//   Version=0.2.0
//   DownloadPage=https://example.org/pitchbook/download
//
// A newer version is offered to the user; the same or an older one, a failed request and a malformed
// answer are only logged (one line), never shown in a box.
#include "core/Errors.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

class TKVIndyHTTP;
class TPreferences;

// An answer that does not follow the format above.
class EUpdateAnswerError : public EPitchbookError {
public:
  using EPitchbookError::EPitchbookError;
};

struct TUpdateAnswer {
  std::string Version;
  std::string DownloadPage;
};

// Raises EUpdateAnswerError when a line is not "Key=Value", Version or DownloadPage is missing or given
// twice, the version is not a dotted version, or the page is not an http:// or https:// address.
TUpdateAnswer ParseUpdateAnswer(std::string_view text);
// The answer text for a version and page (the local game server serves it).
std::string FormatUpdateAnswer(const TUpdateAnswer& answer);

enum class TUpdateOutcome {
  Off,      // no address configured or CheckUpdates off: no request was made
  Newer,    // the answer names a newer version
  Current,  // the answer names the running version or an older one
  Failed,   // the request failed or the answer was malformed
};

struct TUpdateResult {
  TUpdateOutcome Outcome = TUpdateOutcome::Off;
  TUpdateAnswer Answer;  // filled for Newer and Current
  std::string LogLine;   // what goes into the program's log (empty for Off)
};

// The configured address: PITCHBOOK_UPDATE_URL when set and not empty, else the preference.
std::string UpdateCheckAddress(const TPreferences& preferences);

class TUpdateCheck {
public:
  static constexpr int ReadTimeout = 5000;  // milliseconds; the check must not hold up the program's close
  static constexpr size_t MaxAnswerSize = 64 * 1024;

  // address: the configured address (empty: the check is off); runningVersion: the program's version.
  TUpdateCheck(TKVIndyHTTP& http, std::string address, std::string runningVersion = PITCHBOOK_VERSION);
  // Asks the address and compares; never raises.
  TUpdateResult Run();

private:
  TKVIndyHTTP& FHTTP;
  std::string FAddress;
  std::string FRunningVersion;
};

// The loader's update step: off unless preferences.CheckUpdates and an address are set; otherwise asks
// with a client of its own (the shared one may be busy with a download) and writes the log line to log.
TUpdateResult CheckForUpdate(TPreferences& preferences, const std::filesystem::path& workFolder, std::ostream& log);
