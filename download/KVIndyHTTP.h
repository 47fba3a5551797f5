#pragma once
// The one HTTP client of the program (libcurl), shared by the download jobs and the match viewer. It keeps
// the game's session cookie between requests, applies the proxy of the preferences before every request,
// logs in to the game's XML interface and fetches its files. Used by one thread at a time; it has no lock.
#include "core/Errors.h"

#include <pugixml.hpp>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

class TPreferences;

// A request that failed: no connection, a read time-out, an answer cut short, or an HTTP error status.
// The message is what the download report shows after "Connection error".
class EHTTPError : public EPitchbookError {
public:
  explicit EHTTPError(const std::string& message, int status = 0) : EPitchbookError(message), FStatus(status) {}
  // The HTTP status when the server answered with an error status, else 0.
  int Status() const { return FStatus; }

private:
  int FStatus;
};

// The proxy as handed to libcurl for a request (empty server: no proxy; port 0: the default or the port
// written in the server text; empty user name: no authentication). InvalidPort holds a typed port that
// is no port (not a number, or outside 1..65535): libcurl would take 0 for its default port, so a request
// with such a port fails instead (ProxyPortError).
struct TProxySettings {
  std::string Server;
  long Port = 0;
  std::string InvalidPort;
  std::string UserName;
  std::string Password;
  bool operator==(const TProxySettings&) const = default;
};
TProxySettings ProxySettingsOf(const TPreferences& preferences);
// The message for settings with an invalid port ("The proxy port \"80a\" is not a number from 1 to 65535."),
// empty when the port can be used.
std::string ProxyPortError(const TProxySettings& proxy);

// Every byte except the unreserved ones (letters, digits, "-._~") as %XX, so that user input cannot end a
// query parameter early ("&", "#", "+", "=").
std::string PercentEncode(std::string_view text);
// True for a non-empty text of ASCII digits only: the only form in which an ID taken from the user or from
// a server answer may become part of a URL or a file name.
bool IsDigitsID(std::string_view text);
// Replaces each "%s" of format by the next argument, percent-encoded ("%%" gives "%"). An argument whose
// key ends in "ID" or is "season" ("matchID=%s") must be digits or empty; anything else raises
// EConvertError "'%s' is not a valid ID". Too few arguments (a fault of the caller) raise
// std::invalid_argument.
std::string FormatQuery(std::string_view format, std::initializer_list<std::string_view> args);
// The program's version in the four-number form of a file version ("0.1.0.0").
std::string ProgramFileVersion();
// The host of a server list's RecommendedURL: everything after the first "//" (the whole text when there is
// none), without one trailing "/". Empty when the rest is not a plain host[:port], so a server answer cannot redirect requests
// elsewhere through a path, user name or query.
std::string RecommendedHostOf(std::string_view url);
// Parses an answer of the game's interface into doc. The game declares its encoding in the XML declaration;
// Windows-1252, which pugixml does not know, is converted first. Raises EInOutError "Invalid XML answer: %s"
// when the text is not XML or has no root element.
void ParseXmlAnswer(const std::string& text, pugi::xml_document& doc);
// The recommended host of the server-list answer (RecommendedHostOf its RecommendedURL). Raises EInOutError
// "Invalid XML answer: %s" when the text is not XML with a root element.
std::string RecommendedServerOfAnswer(const std::string& text);

class TKVIndyHTTP {
public:
  // The application's identity at the game's interface.
  static constexpr const char* ApplicationID = "734";
  static constexpr const char* ApplicationKey = "5D27C0A3-9E14-4B6F-8A52-7F03D9B1E6C4";
  static constexpr int DefaultReadTimeout = 30000;  // milliseconds
  // A logged-out session test gets a short page; the logged-in one is longer than this.
  static constexpr int64_t LiveSessionLength = 1500;
  static constexpr const char* LoginSuccessMarker = "<LoginResult>0</LoginResult>";

  // workFolder: the program folder's "Work" folder, where RequestToWorkFile saves.
  TKVIndyHTTP(TPreferences& preferences, std::filesystem::path workFolder);
  ~TKVIndyHTTP();
  TKVIndyHTTP(const TKVIndyHTTP&) = delete;
  TKVIndyHTTP& operator=(const TKVIndyHTTP&) = delete;

  // ---- settings ----
  // Longest wait for the connection, and for the next byte of an answer. Tests shorten it.
  void SetReadTimeout(int milliseconds);
  int ReadTimeout() const { return FReadTimeout; }
  // The game's main web host, asked for the server list: GameHosts().WebHost unless set here.
  void SetMainWebHost(std::string host) { FMainWebHost = std::move(host); }
  std::string MainWebHost() const;
  void SetWorkFolder(std::filesystem::path folder) { FWorkFolder = std::move(folder); }
  const std::filesystem::path& WorkFolder() const { return FWorkFolder; }
  // When on, any request (or proxy) whose host is not 127.0.0.1 / localhost is refused before it is sent.
  // Tests switch it on so that nothing they do can reach another machine.
  void SetLoopbackOnly(bool on) { FLoopbackOnly = on; }
  TPreferences& Preferences() const { return FPreferences; }
  const std::string& UserAgent() const { return FUserAgent; }

  // ---- the game's interface ----
  // Starts a new session (connection closed, cookies deleted, server list asked again) and logs in. True
  // when the game accepted the login; false on a refusal and on any failure.
  bool Login(const std::string& loginName, const std::string& securityCode);
  // True when the session test page of the check server comes back long (a live session).
  bool IsSessionAlive();
  // The recommended server of the game's server list (its host), or empty on any failure.
  std::string FetchRecommendedServer();

  // "http://SERVER/community/ckpp/ckppxml.axd?file=" + FormatQuery(format, args).
  std::string DataURL(std::string_view format, std::initializer_list<std::string_view> args);
  // "http://SERVER/Common/ckpp/ckppxml.axd?file=live" + FormatQuery(format, args) (live matches).
  std::string LiveURL(std::string_view format, std::initializer_list<std::string_view> args);
  // Data requests: the answer saved in the work folder (only once it arrived whole and is well-formed XML;
  // atomically), copied into the caller's stream, or parsed into the caller's document. The stream and the
  // document stay untouched when the request fails.
  void RequestToWorkFile(std::string_view format, std::initializer_list<std::string_view> args,
                         const std::string& fileName);
  void RequestToStream(std::string_view format, std::initializer_list<std::string_view> args, std::ostream& stream);
  void RequestToXml(std::string_view format, std::initializer_list<std::string_view> args,
                    pugi::xml_document& document);

  // ---- plain requests (the proxy is applied first; failures raise EHTTPError) ----
  std::string GetText(const std::string& url);
  void GetToStream(const std::string& url, std::ostream& stream);
  // The answer written to path atomically once it arrived whole.
  void GetToFile(const std::string& url, const std::filesystem::path& path);
  // GetToFile into the work folder, after checking that the answer is well-formed XML. fileName must be a
  // plain name (no folder part).
  void GetToWorkFile(const std::string& url, const std::string& fileName);

  // ---- the last answer ----
  // Declared Content-Length of the last answer (-1 when it had none), its body length and HTTP status.
  int64_t LastContentLength() const { return FLastContentLength; }
  int64_t LastBodyLength() const { return FLastBodyLength; }
  int LastStatus() const { return FLastStatus; }
  void ClearResponseHeaders();
  // The proxy given to libcurl for the last request.
  const TProxySettings& LastProxySettings() const { return FLastProxy; }
  // The connections the last request had to open (0: it reused the kept-alive one).
  int LastNewConnections() const { return FLastNewConnections; }

private:
  struct TCurl;
  // One GET into memory. Raises EHTTPError for every failure, HTTP error statuses included.
  std::string Perform(const std::string& url);
  void ApplyProxy();
  void CheckLoopback(const std::string& url) const;
  std::string ServerURL(const char* path);

  TPreferences& FPreferences;
  std::filesystem::path FWorkFolder;
  std::unique_ptr<TCurl> FCurl;
  int FReadTimeout = DefaultReadTimeout;
  std::string FMainWebHost;
  std::string FUserAgent;
  bool FLoopbackOnly = false;
  bool FFreshConnect = false;
  int FLastNewConnections = 0;
  int64_t FLastContentLength = -1;
  int64_t FLastBodyLength = 0;
  int FLastStatus = 0;
  TProxySettings FLastProxy;
};
