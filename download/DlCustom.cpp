#include "download/DlCustom.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"
#include "download/KVIndyHTTP.h"

#include <algorithm>
#include <cctype>
#include <exception>

namespace fs = std::filesystem;

std::string DlMessageLine(const TDlMessage& message) {
  return message.Kind == TDlMessageKind::Error ? "** " + message.Text : message.Text;
}

// ---- TDlReportLog ---------------------------------------------------------------------------------------

void TDlReportLog::Add(const TDlMessage& message) {
  if (message.Replace && FPosition >= 0) FLines.resize(static_cast<size_t>(FPosition));
  FPosition = static_cast<int>(FLines.size());
  FLines.push_back(message);
}

void TDlReportLog::Clear() {
  FLines.clear();
  FPosition = -1;
}

std::string TDlReportLog::Text() const {
  std::string text;
  for (const TDlMessage& line : FLines) text += DlMessageLine(line) + "\n";
  return text;
}

// ---- TDlCustom ------------------------------------------------------------------------------------------

TDlCustom::TDlCustom(TKVIndyHTTP& http, THistory& history, TDlSettings settings, TDlCallbacks callbacks)
    : FHttp(http), FHistory(history), FSettings(std::move(settings)), FCallbacks(std::move(callbacks)) {
  // Downloads wait on the network mostly; the window and the start-up loader come first.
  SetPriority(TPriority::BelowNormal);
  EmptyWorkFolder(FSettings.Folders.WorkFolder());
}

TDlCustom::~TDlCustom() {
  StopAndWait();
  EmptyWorkFolder(FSettings.Folders.WorkFolder());
}

void TDlCustom::StopAndWait() {
  if (Finished()) return;
  Terminate();
  WaitFor();
}

void TDlCustom::EmptyWorkFolder(const fs::path& workFolder) {
  std::error_code ec;
  if (workFolder.empty() || !fs::is_directory(workFolder, ec)) return;
  for (const fs::directory_entry& entry : fs::directory_iterator(workFolder, ec)) {
    std::string extension = entry.path().extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    std::error_code fileError;
    if (extension == ".xml" && entry.is_regular_file(fileError)) fs::remove(entry.path(), fileError);
  }
}

void TDlCustom::ParseAnswer(std::string_view text, pugi::xml_document& document, const std::string& name) {
  pugi::xml_document parsed;
  ParseXMLText(text, parsed, name);
  if (!parsed.document_element())
    throw EInOutError(FormatText(_("\"%s\" is not a valid XML file: %s (at byte %lld)"), name.c_str(),
                                 _("no root element"), static_cast<long long>(text.size())));
  document = std::move(parsed);
}

void TDlCustom::Report(TDlMessageKind kind, const std::string& text, bool replace) {
  if (kind == TDlMessageKind::Error) FReportedError.store(true);
  Sync(FCallbacks.Report, TDlMessage{kind, text, replace});
}

TDlReport TDlCustom::ReportCallback() {
  return [this](TDlReportKind kind, const std::string& text) {
    Report(kind == TDlReportKind::Error    ? TDlMessageKind::Error
           : kind == TDlReportKind::Notice ? TDlMessageKind::Notice
                                           : TDlMessageKind::Info,
           text, false);
  };
}

void TDlCustom::ReportConnectionError(const std::exception& error) { ::ReportConnectionError(ReportCallback(), error); }

bool TDlCustom::ConnectToServer() {
  const TDlConnectResult result = Connect(FHttp, FSettings.Login, ReportCallback());
  if (result.UntickSwitchLoginServer) {
    FSettings.Login.SwitchLoginServer = false;
    Sync(FCallbacks.UntickSwitchLoginServer);
  }
  return result.Connected;
}

void TDlCustom::SyncCall(const std::function<void()>& fn) {
  std::exception_ptr error;
  Synchronize([&] {
    try {
      fn();
    } catch (...) {
      error = std::current_exception();
    }
  });
  if (error) std::rethrow_exception(error);
}

void TDlCustom::CheckTerminated() const {
  if (Terminated()) throw TTerminated{};
}

void TDlCustom::ShowRunning(bool running) {
  Sync(FCallbacks.DownloadCaption, std::string(running ? _("Stop") : _("Download")));
  Sync(FCallbacks.CloseEnabled, !running);
}
