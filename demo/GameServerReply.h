#pragma once
// One answer of the local game server, shared by the files that build answers.
#include "demo/GameServer.h"

struct TGameServer::TReply {
  int Status = 200;
  std::string Body;
  std::string ContentType = "text/xml";
  std::vector<std::pair<std::string, std::string>> Headers;
};
