#include "download/DlConnect.h"

#include "core/Intl.h"
#include "data/Preferences.h"
#include "download/KVIndyHTTP.h"

TDlConnectResult Connect(TKVIndyHTTP& http, const TDlConnectInput& input, const TDlReport& report) {
  TDlConnectResult result;
  report(TDlReportKind::Info, _("Establishing connection..."));
  // A proxy port that is no port fails every request; saying so here keeps the report from blaming the login.
  if (const std::string error = ProxyPortError(ProxySettingsOf(http.Preferences())); !error.empty()) {
    ReportConnectionError(report, EHTTPError(error));
    return result;
  }
  if (!input.SwitchLoginServer && http.IsSessionAlive()) {
    report(TDlReportKind::Info, FormatText(_("Connected to %s"), http.Preferences().GetServer().c_str()));
    result.Connected = true;
    return result;
  }
  if (http.Login(input.UserName, input.SecurityCode)) {
    report(TDlReportKind::Info, FormatText(_("Connected to %s"), http.Preferences().GetServer().c_str()));
    result.Connected = true;
    result.UntickSwitchLoginServer = input.SwitchLoginServer;
    return result;
  }
  report(TDlReportKind::Error, _("Login failed"));
  return result;
}

void ReportConnectionError(const TDlReport& report, const std::exception& error) {
  report(TDlReportKind::Error, _("Connection error"));
  report(TDlReportKind::Error, error.what());
}
