#include "download/KVIndyHTTP.h"

#include "core/Intl.h"
#include "core/Utils.h"
#include "data/GameHosts.h"
#include "data/Preferences.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <cctype>
#include <mutex>
#include <stdexcept>

namespace {

const char* const LoginPath = "/community/ckpp/ckppxml.axd";
const char* const DataPath = "/community/ckpp/ckppxml.axd?file=";
const char* const LivePath = "/Common/ckpp/ckppxml.axd?file=live";
const char* const SessionTestPath = "/community/teamDetails.asp?outputType=XML&actionType=view";
const char* const ServerListPath = "/Community/CKPP/ckppxml.axd?file=servers";

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return out;
}

bool IsLoopbackHost(const std::string& host) {
  const std::string h = LowerAscii(host);
  return h == "127.0.0.1" || h == "localhost" || h == "[::1]" || h == "::1";
}

// The host part of a URL (a scheme is assumed when missing); empty when it cannot be parsed.
std::string HostOf(const std::string& url) {
  std::string host;
  CURLU* u = curl_url();
  if (curl_url_set(u, CURLUPART_URL, url.c_str(), CURLU_DEFAULT_SCHEME | CURLU_NON_SUPPORT_SCHEME) == CURLUE_OK) {
    char* part = nullptr;
    if (curl_url_get(u, CURLUPART_HOST, &part, 0) == CURLUE_OK && part) host = part;
    curl_free(part);
  }
  curl_url_cleanup(u);
  return host;
}

}  // namespace

void ParseXmlAnswer(const std::string& text, pugi::xml_document& doc) {
  const std::string head = LowerAscii(std::string_view(text).substr(0, std::min<size_t>(text.size(), 200)));
  const bool cp1252 = head.rfind("<?xml", 0) == 0 && head.find("windows-1252") != std::string::npos &&
                      head.find("windows-1252") < head.find("?>");
  pugi::xml_parse_result result;
  const unsigned options = pugi::parse_default | pugi::parse_declaration;
  if (cp1252) {
    const std::string utf8 = Cp1252ToUtf8(text);
    result = doc.load_buffer(utf8.data(), utf8.size(), options, pugi::encoding_utf8);
  } else {
    result = doc.load_buffer(text.data(), text.size(), options, pugi::encoding_auto);
  }
  if (!result || !doc.document_element())
    throw EInOutError(FormatText(_("Invalid XML answer: %s"),
                                 result ? _("no root element") : result.description()));
}

std::string RecommendedServerOfAnswer(const std::string& text) {
  pugi::xml_document doc;
  ParseXmlAnswer(text, doc);
  return RecommendedHostOf(doc.document_element().child_value("RecommendedURL"));
}

namespace {
bool PlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}
}  // namespace

// ---- free helpers ---------------------------------------------------------------------------------------

TProxySettings ProxySettingsOf(const TPreferences& preferences) {
  TProxySettings proxy;
  proxy.Server = preferences.GetProxyServer();
  if (!proxy.Server.empty()) {
    // The preferences give "0" for a port that is not a number; the typed text is kept to name it. An empty
    // port leaves the choice to the server text ("host:port") or libcurl's default.
    const std::string& typed = preferences.ProxyPort;
    const std::string port = preferences.GetProxyPort();
    if (IsDigitsID(port) && port.size() <= 5) {
      const long value = std::stol(port);
      proxy.Port = value <= 65535 ? value : 0;
    }
    if (!typed.empty() && proxy.Port == 0) proxy.InvalidPort = typed;
    proxy.UserName = preferences.GetProxyUserName();
    proxy.Password = preferences.GetProxyPassword();
  }
  return proxy;
}

std::string ProxyPortError(const TProxySettings& proxy) {
  if (proxy.InvalidPort.empty()) return {};
  return FormatText(_("The proxy port \"%s\" is not a number from 1 to 65535."), proxy.InvalidPort.c_str());
}

std::string PercentEncode(std::string_view text) {
  static const char* const hex = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size() * 3);
  for (unsigned char c : text) {
    if (std::isalnum(c) && c < 0x80) {
      out += char(c);
    } else if (c == '-' || c == '.' || c == '_' || c == '~') {
      out += char(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

bool IsDigitsID(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string FormatQuery(std::string_view format, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(format.size() + 32);
  auto arg = args.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%' || i + 1 >= format.size()) {
      out += format[i];
      continue;
    }
    const char kind = format[++i];
    if (kind == '%') {
      out += '%';
      continue;
    }
    if (kind != 's') {
      out += '%';
      out += kind;
      continue;
    }
    if (arg == args.end()) throw std::invalid_argument("FormatQuery: too few arguments for " + std::string(format));
    const std::string_view value = *arg++;
    // The key this value belongs to: from the last '&' or '?' up to the '=' just written.
    if (!out.empty() && out.back() == '=') {
      const size_t start = out.find_last_of("&?", out.size() - 1);
      const std::string key = LowerAscii(out.substr(start == std::string::npos ? 0 : start + 1,
                                                    out.size() - 1 - (start == std::string::npos ? 0 : start + 1)));
      const bool numeric = key == "season" || (key.size() >= 2 && key.compare(key.size() - 2, 2, "id") == 0);
      if (numeric && !value.empty() && !IsDigitsID(value))
        throw EConvertError(FormatText(_("'%s' is not a valid ID"), std::string(value).c_str()));
    }
    out += PercentEncode(value);
  }
  return out;
}

std::string ProgramFileVersion() {
  int parts[4] = {0, 0, 0, 0};
  std::string_view version = PITCHBOOK_VERSION;
  int n = 0;
  size_t pos = 0;
  while (n < 4 && pos <= version.size()) {
    size_t end = version.find('.', pos);
    if (end == std::string_view::npos) end = version.size();
    const std::string_view part = version.substr(pos, end - pos);
    parts[n++] = IsDigitsID(part) && part.size() < 9 ? std::stoi(std::string(part)) : 0;
    pos = end + 1;
  }
  return FormatText("%d.%d.%d.%d", parts[0], parts[1], parts[2], parts[3]);
}

std::string RecommendedHostOf(std::string_view url) {
  const size_t scheme = url.find("//");
  std::string_view rest = scheme == std::string_view::npos ? url : url.substr(scheme + 2);
  const char* const blanks = " \t\r\n";
  const size_t first = rest.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  rest = rest.substr(first, rest.find_last_not_of(blanks) - first + 1);
  // "http://host:port/" names the host's root: the one path that is still a plain host.
  if (rest.size() > 1 && rest.back() == '/') rest.remove_suffix(1);
  const bool plainHost = std::all_of(rest.begin(), rest.end(), [](unsigned char c) {
    return (std::isalnum(c) && c < 0x80) || c == '.' || c == '-' || c == '_' || c == ':' || c == '[' || c == ']';
  });
  return plainHost ? std::string(rest) : std::string();
}

// ---- TKVIndyHTTP -----------------------------------------------------------------------------------------

struct TKVIndyHTTP::TCurl {
  CURL* Handle = nullptr;
  char Error[CURL_ERROR_SIZE] = {};
  std::string Body;
  std::string StatusLine;
  // The read time-out: the answer is abandoned when no byte has arrived for that long.
  std::chrono::milliseconds ReadTimeout{0};
  std::chrono::steady_clock::time_point LastData;
  bool TimedOut = false;

  static size_t Write(char* data, size_t size, size_t count, void* self) {
    auto* curl = static_cast<TCurl*>(self);
    curl->LastData = std::chrono::steady_clock::now();
    curl->Body.append(data, size * count);
    return size * count;
  }
  static int Progress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* curl = static_cast<TCurl*>(self);
    curl->TimedOut = std::chrono::steady_clock::now() - curl->LastData > curl->ReadTimeout;
    return curl->TimedOut ? 1 : 0;
  }
  static size_t Header(char* data, size_t size, size_t count, void* self) {
    static_cast<TCurl*>(self)->LastData = std::chrono::steady_clock::now();
    std::string_view line(data, size * count);
    if (line.rfind("HTTP/", 0) == 0) {
      while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
      static_cast<TCurl*>(self)->StatusLine = line;
    }
    return size * count;
  }
};

TKVIndyHTTP::TKVIndyHTTP(TPreferences& preferences, std::filesystem::path workFolder)
    : FPreferences(preferences), FWorkFolder(std::move(workFolder)), FCurl(std::make_unique<TCurl>()) {
  InitCurlOnce();
  FCurl->Handle = curl_easy_init();
  if (!FCurl->Handle) throw EHTTPError("Cannot create the HTTP client");
  CURL* h = FCurl->Handle;
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(h, CURLOPT_ERRORBUFFER, FCurl->Error);
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &TCurl::Write);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, FCurl.get());
  curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &TCurl::Header);
  curl_easy_setopt(h, CURLOPT_HEADERDATA, FCurl.get());
  curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &TCurl::Progress);
  curl_easy_setopt(h, CURLOPT_XFERINFODATA, FCurl.get());
  curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(h, CURLOPT_COOKIEFILE, "");  // the cookie engine, in memory only
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(h, CURLOPT_PROXYAUTH, long(CURLAUTH_BASIC));
  FUserAgent = FormatText("Pitchbook (%s)", ProgramFileVersion().c_str());
  FPreferences.SetRecommendedServerFetcher([this] { return FetchRecommendedServer(); });
}

TKVIndyHTTP::~TKVIndyHTTP() {
  FPreferences.SetRecommendedServerFetcher(nullptr);
  curl_easy_cleanup(FCurl->Handle);
}

std::string TKVIndyHTTP::MainWebHost() const { return FMainWebHost.empty() ? GameHosts().WebHost : FMainWebHost; }

void TKVIndyHTTP::SetReadTimeout(int milliseconds) { FReadTimeout = std::max(1, milliseconds); }

void TKVIndyHTTP::ClearResponseHeaders() {
  FLastContentLength = -1;
  FLastBodyLength = 0;
  FLastStatus = 0;
}

void TKVIndyHTTP::CheckLoopback(const std::string& url) const {
  if (!FLoopbackOnly) return;
  if (!IsLoopbackHost(HostOf(url))) throw EHTTPError("Refused to contact a host other than 127.0.0.1: " + url);
  if (!FLastProxy.Server.empty() && !IsLoopbackHost(HostOf(FLastProxy.Server)))
    throw EHTTPError("Refused to use a proxy other than 127.0.0.1: " + FLastProxy.Server);
}

void TKVIndyHTTP::ApplyProxy() {
  FLastProxy = ProxySettingsOf(FPreferences);
  if (const std::string error = ProxyPortError(FLastProxy); !error.empty()) throw EHTTPError(error);
  CURL* h = FCurl->Handle;
  // An empty proxy and an empty exception list keep libcurl from taking either from the environment.
  curl_easy_setopt(h, CURLOPT_PROXY, FLastProxy.Server.c_str());
  curl_easy_setopt(h, CURLOPT_NOPROXY, "");
  curl_easy_setopt(h, CURLOPT_PROXYPORT, FLastProxy.Port);
  curl_easy_setopt(h, CURLOPT_PROXYUSERNAME, FLastProxy.UserName.empty() ? nullptr : FLastProxy.UserName.c_str());
  curl_easy_setopt(h, CURLOPT_PROXYPASSWORD, FLastProxy.UserName.empty() ? nullptr : FLastProxy.Password.c_str());
}

std::string TKVIndyHTTP::Perform(const std::string& url) {
  ApplyProxy();
  CheckLoopback(url);
  CURL* h = FCurl->Handle;
  curl_easy_setopt(h, CURLOPT_URL, url.c_str());
  curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(h, CURLOPT_USERAGENT, FUserAgent.c_str());
  curl_easy_setopt(h, CURLOPT_FRESH_CONNECT, FFreshConnect ? 1L : 0L);
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, long(FReadTimeout));
  FCurl->ReadTimeout = std::chrono::milliseconds(FReadTimeout);
  FCurl->LastData = std::chrono::steady_clock::now();
  FCurl->TimedOut = false;
  FFreshConnect = false;
  FCurl->Body.clear();
  FCurl->StatusLine.clear();
  FCurl->Error[0] = 0;
  ClearResponseHeaders();

  const CURLcode rc = curl_easy_perform(h);
  long connects = 0;
  curl_easy_getinfo(h, CURLINFO_NUM_CONNECTS, &connects);
  FLastNewConnections = int(connects);
  long status = 0;
  curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
  curl_off_t length = -1;
  curl_easy_getinfo(h, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
  FLastStatus = int(status);
  FLastContentLength = length;
  FLastBodyLength = int64_t(FCurl->Body.size());
  if (rc == CURLE_OPERATION_TIMEDOUT || (rc == CURLE_ABORTED_BY_CALLBACK && FCurl->TimedOut))
    throw EHTTPError(_("Read timed out."));
  if (rc != CURLE_OK) throw EHTTPError(FCurl->Error[0] ? FCurl->Error : curl_easy_strerror(rc));
  if (status < 200 || status >= 300)
    throw EHTTPError(FCurl->StatusLine.empty() ? FormatText("HTTP %ld", status) : FCurl->StatusLine, int(status));
  return std::move(FCurl->Body);
}

std::string TKVIndyHTTP::GetText(const std::string& url) { return Perform(url); }

void TKVIndyHTTP::GetToStream(const std::string& url, std::ostream& stream) {
  const std::string body = Perform(url);
  stream.write(body.data(), std::streamsize(body.size()));
}

void TKVIndyHTTP::GetToFile(const std::string& url, const std::filesystem::path& path) {
  SaveFileAtomically(path, Perform(url));
}

void TKVIndyHTTP::GetToWorkFile(const std::string& url, const std::string& fileName) {
  if (!PlainFileName(fileName)) throw EInOutError(FormatText(_("Invalid file name: %s"), fileName.c_str()));
  const std::string body = Perform(url);
  // An answer cut short by a proxy or the server is not kept: the work folder serves as a cache.
  pugi::xml_document check;
  ParseXmlAnswer(body, check);
  std::error_code ec;
  std::filesystem::create_directories(FWorkFolder, ec);
  SaveFileAtomically(FWorkFolder / fileName, body);
}

std::string TKVIndyHTTP::ServerURL(const char* path) {
  const std::string host = FPreferences.GetServer();
  if (host.empty()) throw EHTTPError(_("No game server is known."));
  return "http://" + host + path;
}

std::string TKVIndyHTTP::DataURL(std::string_view format, std::initializer_list<std::string_view> args) {
  return ServerURL(DataPath) + FormatQuery(format, args);
}

std::string TKVIndyHTTP::LiveURL(std::string_view format, std::initializer_list<std::string_view> args) {
  return ServerURL(LivePath) + FormatQuery(format, args);
}

void TKVIndyHTTP::RequestToWorkFile(std::string_view format, std::initializer_list<std::string_view> args,
                                    const std::string& fileName) {
  GetToWorkFile(DataURL(format, args), fileName);
}

void TKVIndyHTTP::RequestToStream(std::string_view format, std::initializer_list<std::string_view> args,
                                  std::ostream& stream) {
  GetToStream(DataURL(format, args), stream);
}

void TKVIndyHTTP::RequestToXml(std::string_view format, std::initializer_list<std::string_view> args,
                               pugi::xml_document& document) {
  const std::string body = GetText(DataURL(format, args));
  pugi::xml_document parsed;
  ParseXmlAnswer(body, parsed);
  document = std::move(parsed);
}

bool TKVIndyHTTP::Login(const std::string& loginName, const std::string& securityCode) {
  FPreferences.ForgetRecommendedServer();
  // A login starts a new session: a new connection and no cookie of the old one.
  curl_easy_setopt(FCurl->Handle, CURLOPT_COOKIELIST, "ALL");
  FUserAgent = FormatText("Pitchbook (%s)", ProgramFileVersion().c_str());
  try {
    const std::string query = std::string("file=login") + "&actionType=login" +
                              "&loginname=" + PercentEncode(loginName) +
                              "&readonlypassword=" + PercentEncode(securityCode) +
                              "&ckppID=" + ApplicationID + "&ckppKey=" + ApplicationKey;
    // The login URL may first ask for the server list (Choose best server), a request of its own: the
    // fresh connection is asked for only now, so that the login itself does not reuse the old one.
    const std::string url = ServerURL(LoginPath) + "?" + query;
    FFreshConnect = true;
    const std::string answer = GetText(url);
    FPreferences.UserName = loginName;
    FPreferences.SetPassword(securityCode);
    return answer.find(LoginSuccessMarker) != std::string::npos;
  } catch (const std::exception&) {
    return false;
  }
}

bool TKVIndyHTTP::IsSessionAlive() {
  const std::string host = FPreferences.GetCheckServer();
  if (host.empty()) return false;
  ClearResponseHeaders();
  try {
    GetText("http://" + host + SessionTestPath);
    // An answer sent in chunks declares no length: its body tells.
    const int64_t length = FLastContentLength >= 0 ? FLastContentLength : FLastBodyLength;
    return length >= LiveSessionLength;
  } catch (const std::exception&) {
    return false;
  }
}

std::string TKVIndyHTTP::FetchRecommendedServer() {
  try {
    return RecommendedServerOfAnswer(GetText("http://" + MainWebHost() + ServerListPath));
  } catch (const std::exception&) {
    return {};
  }
}
