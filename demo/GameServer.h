#pragma once
// A local stand-in for the game's XML interface (CKPP), bound to 127.0.0.1 only. It speaks the game's URLs:
// login and session cookie, the session test page, the server list, and the file requests, whose answers come
// from a pluggable world source. Tests use its request counters and fault injection; `pitchbook-cli serve`
// runs it on a folder for the demo.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace httplib {
class Server;
struct Request;
struct Response;
}

// One file request of the interface: the value of `file` and the other query parameters (decoded), in the
// order they were sent.
struct TGameRequest {
  std::string File;
  std::vector<std::pair<std::string, std::string>> Params;
  // The login name of the request's session (lower case); empty without a valid session.
  std::string User = {};

  // Value of a parameter (compared without regard to case, as the game does); empty when absent.
  std::string Param(const std::string& name) const;
};

// Supplies the XML text of file requests. Answers std::nullopt when it has no such file (the server then
// answers 404). Called from the server's threads, one request at a time per source.
class IGameWorldSource {
public:
  virtual ~IGameWorldSource() = default;
  virtual std::optional<std::string> Answer(const TGameRequest& request) = 0;
};

// Serves files of a folder. For "file=NAME&k1=v1&k2=v2" it looks for "NAME@k1=v1@k2=v2.xml" (everything in
// lower case; only parameters with a value, sorted by key), then for "NAME.xml". Anything but letters,
// digits, '-', '_' and '.' (or a leading '.') makes the request unknown, so a request can never reach
// outside the folder.
class TFolderWorldSource : public IGameWorldSource {
public:
  explicit TFolderWorldSource(std::filesystem::path folder);
  std::optional<std::string> Answer(const TGameRequest& request) override;
  // The file name tried first for a request (empty when the request holds a forbidden character).
  static std::string FileNameFor(const TGameRequest& request);

private:
  std::filesystem::path FFolder;
};

// Misbehaviour that tests can ask of the server for one request key.
enum class TGameFault {
  None,
  HttpError,      // answer with the fault's status (500 by default) and a short text body
  Stall,          // send the headers and half of the body, then nothing until the stall ends or the server stops
  TruncatedXml,   // a complete HTTP answer whose XML is cut in half (not well-formed)
  CutConnection,  // declare the full length, send half, then close the connection
  Chunked,        // the answer in chunks, without Content-Length
};

struct TGameFaultSpec {
  TGameFault Fault = TGameFault::None;
  int Status = 500;
  std::chrono::milliseconds StallFor{std::chrono::hours(1)};
  int Times = -1;  // how many requests it affects (-1: all)
};

class TGameServer {
public:
  // The application identity the game accepts (the program's own).
  static constexpr const char* DefaultApplicationID = "734";
  static constexpr const char* DefaultApplicationKey = "5D27C0A3-9E14-4B6F-8A52-7F03D9B1E6C4";
  // Request keys for the counters and faults that are not file requests.
  static constexpr const char* SessionTestKey = "teamDetails.asp";
  static constexpr const char* UnauthorizedKey = "unauthorized";
  static constexpr const char* UnknownKey = "unknown";
  // Shorter than the client's threshold of a live session; the logged-in page is padded above it.
  static constexpr size_t SessionPageSize = 2048;

  explicit TGameServer(std::shared_ptr<IGameWorldSource> source);
  ~TGameServer();
  TGameServer(const TGameServer&) = delete;
  TGameServer& operator=(const TGameServer&) = delete;

  // Binds 127.0.0.1:port (0: a free port chosen by the system) and serves on a thread of its own. Raises
  // std::runtime_error when the port cannot be bound.
  void Start(int port = 0);
  // Stops serving and ends stalled answers; safe to call twice.
  void Stop();
  bool Running() const;
  int Port() const { return FPort; }
  // "127.0.0.1:PORT", the form of the program's server addresses, and "http://127.0.0.1:PORT".
  std::string Host() const;
  std::string Address() const;

  // Accounts: login name and security code (the read-only password). Login names compare without regard
  // to case, security codes exactly.
  void AddAccount(const std::string& loginName, const std::string& securityCode);
  void SetApplication(const std::string& id, const std::string& key);
  // RecommendedURL of the server list; empty (the default) means Address(). The list is answered as given.
  void SetRecommendedURL(const std::string& url);
  // When true (the default), file requests without a valid session cookie get a short error answer.
  void SetRequireSession(bool require);
  void SetSource(std::shared_ptr<IGameWorldSource> source);
  // The program's update check asks LatestVersionURL(): the answer names this version and the server's
  // download page (LatestVersionPath, DownloadPagePath). Empty (the default): the check gets 404.
  // SetLatestAnswer serves a text as it stands instead (malformed answers for tests).
  static constexpr const char* LatestVersionKey = "latest-version";
  static constexpr const char* LatestVersionPath = "/pitchbook/latest";
  static constexpr const char* DownloadPageKey = "download-page";
  static constexpr const char* DownloadPagePath = "/pitchbook/download";
  void SetLatestVersion(const std::string& version);
  void SetLatestAnswer(const std::string& text);
  std::string LatestVersionURL() const;
  // Ends every session (as the game does at the end of the day): the next session test fails.
  void ExpireSessions();

  // ---- for tests ----
  // Number of requests per key: the `file` value of ckppxml.axd requests ("login", "servers", "players",
  // "live", ...), SessionTestKey for the session test, UnauthorizedKey for file requests refused for want of
  // a session (counted in addition to their file key), UnknownKey for other paths.
  int RequestCount(const std::string& key) const;
  int TotalRequests() const;
  // Full targets (path and query, as received) of every request, in order.
  std::vector<std::string> RequestLog() const;
  // The last value of a request header ("User-Agent", "Proxy-Authorization", "Cookie"); empty when none.
  std::string LastHeader(const std::string& name) const;
  // Number of requests that came through a proxy (absolute URL as the request target).
  int ProxiedRequests() const;
  void ResetCounts();
  void InjectFault(const std::string& key, TGameFaultSpec fault);
  void InjectFault(const std::string& key, TGameFault fault) { InjectFault(key, TGameFaultSpec{fault}); }
  void ClearFaults();

private:
  struct TReply;
  void Handle(const httplib::Request& request, httplib::Response& response);
  TReply Dispatch(const std::string& key, const TGameRequest& request, bool validSession);
  TReply Login(const TGameRequest& request);
  TReply SessionTest(bool validSession);
  TReply ServerList();
  TReply LatestVersion();
  TReply DownloadPage();
  // True for a cookie of a live session; user gets its login name.
  bool ValidSession(const std::string& cookieHeader, std::string* user = nullptr) const;
  TGameFaultSpec TakeFault(const std::string& key);
  void SendReply(TReply reply, const TGameFaultSpec& fault, httplib::Response& response);
  // Waits for the stall to end; false when the server stops meanwhile.
  bool WaitStall(std::chrono::milliseconds duration);

  std::unique_ptr<httplib::Server> FServer;
  std::thread FThread;
  int FPort = 0;

  mutable std::mutex FMutex;  // guards everything below
  std::shared_ptr<IGameWorldSource> FSource;
  std::map<std::string, std::string> FAccounts;  // lower-case login name -> security code
  std::string FApplicationID = DefaultApplicationID;
  std::string FApplicationKey = DefaultApplicationKey;
  std::string FRecommendedURL;
  std::string FLatestVersion;
  std::string FLatestAnswer;
  bool FRequireSession = true;
  std::map<std::string, std::string> FSessions;  // session token -> lower-case login name
  uint64_t FSessionSerial = 0;
  std::map<std::string, int> FCounts;
  int FTotal = 0;
  int FProxied = 0;
  std::vector<std::string> FLog;
  std::map<std::string, std::string> FLastHeaders;
  std::map<std::string, TGameFaultSpec> FFaults;

  // Stalled answers wait here; Stop wakes them so that the server can end.
  std::mutex FStallMutex;
  std::condition_variable FStallWake;
  bool FStopping = false;
  std::mutex FSourceMutex;  // one source call at a time
};
