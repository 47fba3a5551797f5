#pragma once
// The connection step that every download job runs before its requests: reuse the game session when it is
// still alive, else log in. Messages go to the job's report through a callback, so that the step does not
// depend on the job's window.
#include <exception>
#include <functional>
#include <string>

class TKVIndyHTTP;

// The report line kinds of a download (green information, aqua notice, yellow error with "** ").
enum class TDlReportKind { Info, Notice, Error };
using TDlReport = std::function<void(TDlReportKind kind, const std::string& text)>;

// What the download window supplies: its login fields and its "Switch login server" box.
struct TDlConnectInput {
  std::string UserName;
  std::string SecurityCode;
  bool SwitchLoginServer = false;
};

struct TDlConnectResult {
  bool Connected = false;
  // True when a login through a ticked "Switch login server" succeeded: the window unticks the box.
  bool UntickSwitchLoginServer = false;
};

// A failed request of a job: the error "Connection error", then the error's own message.
void ReportConnectionError(const TDlReport& report, const std::exception& error);

// Reports "Establishing connection...", then "Connected to %s" or the error "Login failed".
TDlConnectResult Connect(TKVIndyHTTP& http, const TDlConnectInput& input, const TDlReport& report);
