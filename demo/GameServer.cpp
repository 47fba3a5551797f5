#include "demo/GameServer.h"
#include "demo/GameServerReply.h"

#include <httplib.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace {

const char* const SessionCookieName = "ASP.NET_SessionId";

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool SafeNamePart(const std::string& text) {
  if (text.empty() || text[0] == '.') return false;
  return std::all_of(text.begin(), text.end(), [](unsigned char c) {
    return std::isalnum(c) || c == '-' || c == '_' || c == '.';
  });
}

std::string XmlEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string XmlAnswer(const std::string& fileName, const std::string& inner) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<KickvaleData>\r\n  <FileName>" + fileName +
         "</FileName>\r\n  <Version>1.0</Version>\r\n" + inner + "</KickvaleData>\r\n";
}

std::string NotLoggedIn() {
  return XmlAnswer("error", "  <Error>Not authorized: log in first</Error>\r\n");
}

// The path of a request as the game sees it: without the scheme and host that a proxied request carries.
std::string LocalPath(const std::string& path, bool& proxied) {
  proxied = false;
  auto scheme = path.find("://");
  if (scheme == std::string::npos || path[0] == '/') return path;
  proxied = true;
  auto slash = path.find('/', scheme + 3);
  return slash == std::string::npos ? std::string("/") : path.substr(slash);
}

}  // namespace

std::string TGameRequest::Param(const std::string& name) const {
  const std::string wanted = Lower(name);
  for (const auto& [key, value] : Params)
    if (Lower(key) == wanted) return value;
  return {};
}

// ---- TFolderWorldSource -----------------------------------------------------------------------------

TFolderWorldSource::TFolderWorldSource(std::filesystem::path folder) : FFolder(std::move(folder)) {}

std::string TFolderWorldSource::FileNameFor(const TGameRequest& request) {
  const std::string file = Lower(request.File);
  if (!SafeNamePart(file)) return {};
  std::vector<std::pair<std::string, std::string>> params;
  for (const auto& [key, value] : request.Params) {
    if (value.empty()) continue;
    params.emplace_back(Lower(key), Lower(value));
    if (!SafeNamePart(params.back().first) || !SafeNamePart(params.back().second)) return {};
  }
  std::sort(params.begin(), params.end());
  std::string name = file;
  for (const auto& [key, value] : params) name += "@" + key + "=" + value;
  return name + ".xml";
}

std::optional<std::string> TFolderWorldSource::Answer(const TGameRequest& request) {
  const std::string specific = FileNameFor(request);
  if (specific.empty()) return std::nullopt;
  for (const std::string& name : {specific, Lower(request.File) + ".xml"}) {
    std::ifstream in(FFolder / name, std::ios::binary);
    if (!in) continue;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  return std::nullopt;
}

// ---- TGameServer ------------------------------------------------------------------------------------


TGameServer::TGameServer(std::shared_ptr<IGameWorldSource> source) : FSource(std::move(source)) {}

TGameServer::~TGameServer() { Stop(); }

void TGameServer::Start(int port) {
  if (FServer) throw std::runtime_error("The game server is already running");
  {
    std::lock_guard lock(FStallMutex);
    FStopping = false;
  }
  auto server = std::make_unique<httplib::Server>();
  // An idle kept-alive connection holds up Stop until it times out: keep that short.
  server->set_keep_alive_timeout(1);
  // Headers and body go out in separate writes; without this each answer waits for a delayed ACK.
  server->set_tcp_nodelay(true);
  server->Get(".*", [this](const httplib::Request& req, httplib::Response& res) { Handle(req, res); });
  int bound = port == 0 ? server->bind_to_any_port("127.0.0.1") : (server->bind_to_port("127.0.0.1", port) ? port : -1);
  if (bound <= 0) throw std::runtime_error("Cannot listen on 127.0.0.1:" + std::to_string(port));
  FPort = bound;
  FServer = std::move(server);
  FThread = std::thread([this] { FServer->listen_after_bind(); });
  // A stop that came before the listening loop began would be lost and leave Stop waiting for ever.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!FServer->is_running() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void TGameServer::Stop() {
  if (!FServer) return;
  {
    std::lock_guard lock(FStallMutex);
    FStopping = true;
  }
  FStallWake.notify_all();
  FServer->stop();
  if (FThread.joinable()) FThread.join();
  FServer.reset();
}

bool TGameServer::Running() const { return FServer && FServer->is_running(); }

std::string TGameServer::Host() const { return "127.0.0.1:" + std::to_string(FPort); }

std::string TGameServer::Address() const { return "http://" + Host(); }

void TGameServer::AddAccount(const std::string& loginName, const std::string& securityCode) {
  std::lock_guard lock(FMutex);
  FAccounts[Lower(loginName)] = securityCode;
}

void TGameServer::SetApplication(const std::string& id, const std::string& key) {
  std::lock_guard lock(FMutex);
  FApplicationID = id;
  FApplicationKey = key;
}

void TGameServer::SetRecommendedURL(const std::string& url) {
  std::lock_guard lock(FMutex);
  FRecommendedURL = url;
}

void TGameServer::SetRequireSession(bool require) {
  std::lock_guard lock(FMutex);
  FRequireSession = require;
}

void TGameServer::SetSource(std::shared_ptr<IGameWorldSource> source) {
  std::lock_guard lock(FSourceMutex);
  FSource = std::move(source);
}

void TGameServer::ExpireSessions() {
  std::lock_guard lock(FMutex);
  FSessions.clear();
}

int TGameServer::RequestCount(const std::string& key) const {
  std::lock_guard lock(FMutex);
  auto it = FCounts.find(key);
  return it == FCounts.end() ? 0 : it->second;
}

int TGameServer::TotalRequests() const {
  std::lock_guard lock(FMutex);
  return FTotal;
}

std::vector<std::string> TGameServer::RequestLog() const {
  std::lock_guard lock(FMutex);
  return FLog;
}

std::string TGameServer::LastHeader(const std::string& name) const {
  std::lock_guard lock(FMutex);
  auto it = FLastHeaders.find(Lower(name));
  return it == FLastHeaders.end() ? std::string() : it->second;
}

int TGameServer::ProxiedRequests() const {
  std::lock_guard lock(FMutex);
  return FProxied;
}

void TGameServer::ResetCounts() {
  std::lock_guard lock(FMutex);
  FCounts.clear();
  FTotal = 0;
  FProxied = 0;
  FLog.clear();
  FLastHeaders.clear();
}

void TGameServer::InjectFault(const std::string& key, TGameFaultSpec fault) {
  std::lock_guard lock(FMutex);
  FFaults[key] = fault;
}

void TGameServer::ClearFaults() {
  std::lock_guard lock(FMutex);
  FFaults.clear();
}

TGameFaultSpec TGameServer::TakeFault(const std::string& key) {
  std::lock_guard lock(FMutex);
  auto it = FFaults.find(key);
  if (it == FFaults.end()) return {};
  TGameFaultSpec fault = it->second;
  if (it->second.Times > 0 && --it->second.Times == 0) FFaults.erase(it);
  return fault;
}

bool TGameServer::ValidSession(const std::string& cookieHeader, std::string* user) const {
  // Cookie: a=b; ASP.NET_SessionId=token; c=d
  const std::string prefix = std::string(SessionCookieName) + "=";
  size_t pos = 0;
  while (pos < cookieHeader.size()) {
    size_t end = cookieHeader.find(';', pos);
    if (end == std::string::npos) end = cookieHeader.size();
    std::string part = cookieHeader.substr(pos, end - pos);
    part.erase(0, part.find_first_not_of(' '));
    if (part.compare(0, prefix.size(), prefix) == 0) {
      auto session = FSessions.find(part.substr(prefix.size()));
      if (session != FSessions.end()) {
        if (user) *user = session->second;
        return true;
      }
    }
    pos = end + 1;
  }
  return false;
}

void TGameServer::Handle(const httplib::Request& req, httplib::Response& res) {
  bool proxied = false;
  const std::string path = Lower(LocalPath(req.path, proxied));
  TGameRequest request;
  for (const auto& [key, value] : req.params) {
    if (request.File.empty() && Lower(key) == "file")
      request.File = value;
    else
      request.Params.emplace_back(key, value);
  }
  // The game's interface lives under two roots: the community pages and the live-match service.
  std::string key = UnknownKey;
  const std::string file = Lower(request.File);
  if (path == "/community/ckpp/ckppxml.axd" && !file.empty() && file != "live")
    key = file;
  else if (path == "/common/ckpp/ckppxml.axd" && file == "live")
    key = file;
  else if (path == "/community/teamdetails.asp")
    key = SessionTestKey;
  else if (path == LatestVersionPath)
    key = LatestVersionKey;
  else if (path == DownloadPagePath)
    key = DownloadPageKey;

  bool validSession;
  {
    std::lock_guard lock(FMutex);
    ++FTotal;
    ++FCounts[key];
    if (proxied) ++FProxied;
    FLog.push_back(req.target);
    FLastHeaders.clear();
    for (const auto& [name, value] : req.headers) FLastHeaders[Lower(name)] = value;
    validSession = ValidSession(req.get_header_value("Cookie"), &request.User);
    if (!validSession && FRequireSession && key != UnknownKey && key != SessionTestKey && key != "login" &&
        key != "servers" && key != LatestVersionKey && key != DownloadPageKey)
      ++FCounts[UnauthorizedKey];
  }
  TReply reply;
  try {
    reply = Dispatch(key, request, validSession);
  } catch (const std::exception& e) {
    reply = TReply{500, e.what(), "text/plain", {}};
  }
  SendReply(std::move(reply), TakeFault(key), res);
}

TGameServer::TReply TGameServer::Dispatch(const std::string& key, const TGameRequest& request, bool validSession) {
  if (key == UnknownKey) return TReply{404, "Not Found", "text/plain", {}};
  if (key == SessionTestKey) return SessionTest(validSession);
  if (key == "login") return Login(request);
  if (key == "servers") return ServerList();
  if (key == LatestVersionKey) return LatestVersion();
  if (key == DownloadPageKey) return DownloadPage();
  {
    std::lock_guard lock(FMutex);
    if (FRequireSession && !validSession) return TReply{200, NotLoggedIn(), "text/xml", {}};
  }
  std::lock_guard lock(FSourceMutex);
  std::optional<std::string> answer = FSource ? FSource->Answer(request) : std::nullopt;
  if (!answer) return TReply{404, "Not Found", "text/plain", {}};
  return TReply{200, std::move(*answer), "text/xml", {}};
}

TGameServer::TReply TGameServer::Login(const TGameRequest& request) {
  std::lock_guard lock(FMutex);
  const bool application =
      request.Param("ckppID") == FApplicationID && request.Param("ckppKey") == FApplicationKey;
  auto account = FAccounts.find(Lower(request.Param("loginname")));
  const bool credentials = account != FAccounts.end() && account->second == request.Param("readonlypassword") &&
                           request.Param("actionType") == "login";
  if (!application || !credentials) {
    // The game answers a refused login with a code of its own and no session.
    const char* code = application ? "1" : "2";
    return TReply{200,
                  XmlAnswer("login", std::string("  <LoginResult>") + code +
                                         "</LoginResult>\r\n  <LoginErrorMessage>Wrong login name or security "
                                         "code</LoginErrorMessage>\r\n"),
                  "text/xml",
                  {}};
  }
  static std::random_device random;
  std::ostringstream token;
  token << std::hex << ++FSessionSerial << 'x' << random() << random();
  FSessions.emplace(token.str(), account->first);
  return TReply{200,
                XmlAnswer("login", "  <LoginName>" + XmlEscape(account->first) +
                                       "</LoginName>\r\n  <LoginResult>0</LoginResult>\r\n"),
                "text/xml",
                {{"Set-Cookie", std::string(SessionCookieName) + "=" + token.str() + "; path=/; HttpOnly"}}};
}

TGameServer::TReply TGameServer::SessionTest(bool validSession) {
  if (!validSession) return TReply{200, NotLoggedIn(), "text/xml", {}};
  std::string body = XmlAnswer("teamDetails.asp", "  <Team>\r\n    <TeamID>0</TeamID>\r\n  </Team>\r\n");
  // The logged-in page of the game is long; a comment stands in for the rest of it.
  if (body.size() < SessionPageSize) body += "<!--" + std::string(SessionPageSize - body.size(), ' ') + "-->\r\n";
  return TReply{200, std::move(body), "text/xml", {}};
}

TGameServer::TReply TGameServer::ServerList() {
  std::lock_guard lock(FMutex);
  const std::string url = FRecommendedURL.empty() ? Address() : FRecommendedURL;
  return TReply{200,
                XmlAnswer("servers", "  <RecommendedURL>" + XmlEscape(url) + "</RecommendedURL>\r\n  <ServerList>\r\n"
                                     "    <Server><URL>" + XmlEscape(url) + "</URL></Server>\r\n  </ServerList>\r\n"),
                "text/xml",
                {}};
}

bool TGameServer::WaitStall(std::chrono::milliseconds duration) {
  std::unique_lock lock(FStallMutex);
  return !FStallWake.wait_for(lock, duration, [this] { return FStopping; });
}

void TGameServer::SendReply(TReply reply, const TGameFaultSpec& fault, httplib::Response& res) {
  for (const auto& [name, value] : reply.Headers) res.set_header(name, value);
  res.status = reply.Status;
  auto body = std::make_shared<std::string>(std::move(reply.Body));
  const std::string type = reply.ContentType;
  const size_t half = body->size() / 2;
  switch (fault.Fault) {
    case TGameFault::None:
      res.set_content(*body, type);
      break;
    case TGameFault::HttpError:
      res.headers.erase("Set-Cookie");
      res.status = fault.Status;
      res.set_content("Internal Server Error", "text/plain");
      break;
    case TGameFault::TruncatedXml:
      res.set_content(body->substr(0, half), type);
      break;
    case TGameFault::Chunked:
      res.set_chunked_content_provider(type, [body](size_t offset, httplib::DataSink& sink) {
        if (offset < body->size()) {
          const size_t n = std::min<size_t>(512, body->size() - offset);
          return sink.write(body->data() + offset, n);
        }
        sink.done();
        return true;
      });
      break;
    case TGameFault::CutConnection:
      res.set_content_provider(body->size(), type, [body, half](size_t offset, size_t, httplib::DataSink& sink) {
        if (offset == 0 && half > 0) return sink.write(body->data(), half);
        return false;  // abandons the connection with the rest unsent
      });
      break;
    case TGameFault::Stall: {
      auto duration = fault.StallFor;
      res.set_content_provider(body->size(), type,
                               [this, body, half, duration](size_t offset, size_t length, httplib::DataSink& sink) {
                                 if (offset == 0 && half > 0) return sink.write(body->data(), half);
                                 if (!WaitStall(duration)) return false;
                                 return sink.write(body->data() + offset, length);
                               });
      break;
    }
  }
}
