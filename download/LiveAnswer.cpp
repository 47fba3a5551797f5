// Reader of the live-match answer.
#include "download/LiveAnswer.h"

#include "core/DateTime.h"
#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"

#include <pugixml.hpp>

namespace {

// Element text as valid UTF-8: a server that mixes encodings must not put broken bytes on the screen.
std::string TextOf(pugi::xml_node node, const char* name) {
  std::string text = node.child(name).child_value();
  if (!IsValidUtf8(text)) text = Cp1252ToUtf8(text);
  return text;
}

// A count or minute: empty, or a whole number (checked here so that the model can compare minutes as
// numbers and put goal counts into captions without surprise).
std::string NumberText(pugi::xml_node node, const char* name) {
  std::string text = Trim(TextOf(node, name));
  if (!text.empty()) StrToInt(text);
  return text;
}

int EventKeyNumber(const std::string& key) {
  const std::string number = Trim(key.substr(0, key.find('_')));
  return number.empty() ? 0 : StrToInt(number);
}

}  // namespace

const TLiveMatch* TLiveAnswer::Find(std::string_view matchID) const {
  for (const TLiveMatch& match : Matches)
    if (match.MatchID == matchID) return &match;
  return nullptr;
}

TLiveAnswer ReadLiveAnswer(std::string_view bytes) {
  pugi::xml_document doc;
  ParseXMLText(bytes, doc, "Live.XML");
  const pugi::xml_node root = doc.document_element();
  if (!root) throw EInOutError(FormatText(_("\"%s\" is not a valid XML file: %s (at byte %lld)"), "Live.XML",
                                          "no root element", 0LL));
  TLiveAnswer answer;
  answer.ActionType = Trim(TextOf(root, "ActionType"));
  answer.FetchedDate = ParseDateTime(Trim(TextOf(root, "FetchedDate")));
  for (pugi::xml_node m : root.child("MatchList").children("Match")) {
    TLiveMatch match;
    match.MatchID = Trim(TextOf(m, "MatchID"));
    const std::string date = Trim(TextOf(m, "MatchDate"));
    if (!date.empty()) match.MatchDate = ParseDateTime(date);
    match.HomeTeamName = TextOf(m.child("HomeTeam"), "HomeTeamName");
    match.HomeTeamID = Trim(TextOf(m.child("HomeTeam"), "HomeTeamID"));
    match.AwayTeamName = TextOf(m.child("AwayTeam"), "AwayTeamName");
    match.AwayTeamID = Trim(TextOf(m.child("AwayTeam"), "AwayTeamID"));
    match.HomeGoals = NumberText(m, "HomeGoals");
    match.AwayGoals = NumberText(m, "AwayGoals");
    for (pugi::xml_node e : m.child("EventList").children("Event")) {
      TLiveEvent event;
      event.Minute = NumberText(e, "Minute");
      event.ObjectPlayerID = Trim(TextOf(e, "ObjectPlayerID"));
      // The first event carries the attendance here; every other one a player ID: a number either way.
      if (!event.ObjectPlayerID.empty()) GroupDigitsOfText(event.ObjectPlayerID, ' ');
      event.Key = EventKeyNumber(TextOf(e, "EventKey"));
      event.Text = TextOf(e, "EventText");
      match.Events.push_back(std::move(event));
    }
    answer.Matches.push_back(std::move(match));
  }
  return answer;
}
