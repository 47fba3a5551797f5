// The local game server's answers to the program's update check: the newest version and a download page,
// so that the check can be tried and tested end to end on 127.0.0.1.
#include "demo/GameServer.h"
#include "demo/GameServerReply.h"

#include "download/UpdateCheck.h"

void TGameServer::SetLatestVersion(const std::string& version) {
  std::lock_guard lock(FMutex);
  FLatestVersion = version;
  FLatestAnswer.clear();
}

void TGameServer::SetLatestAnswer(const std::string& text) {
  std::lock_guard lock(FMutex);
  FLatestVersion.clear();
  FLatestAnswer = text;
}

std::string TGameServer::LatestVersionURL() const { return Address() + LatestVersionPath; }

TGameServer::TReply TGameServer::LatestVersion() {
  std::lock_guard lock(FMutex);
  if (FLatestAnswer.empty() && FLatestVersion.empty()) return TReply{404, "Not Found", "text/plain", {}};
  // The page is named at request time: the port is known only once the server runs.
  const std::string body = FLatestAnswer.empty()
                               ? FormatUpdateAnswer(TUpdateAnswer{FLatestVersion, Address() + DownloadPagePath})
                               : FLatestAnswer;
  return TReply{200, body, "text/plain; charset=utf-8", {}};
}

TGameServer::TReply TGameServer::DownloadPage() {
  return TReply{200,
                "<!DOCTYPE html>\n<html><head><title>Pitchbook</title></head><body><h1>Pitchbook</h1>"
                "<p>The local game server stands in for the program's download page.</p></body></html>\n",
                "text/html; charset=utf-8",
                {}};
}
