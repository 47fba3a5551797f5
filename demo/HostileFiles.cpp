#include "demo/HostileFiles.h"

#include <fstream>
#include <ostream>
#include <stdexcept>

namespace {

void Head(std::ostream& out, const std::string& doctype = {}) {
  out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" << doctype
      << "<KickvaleData><FileName>players.asp</FileName><UserID>4593312</UserID>"
         "<FetchedDate>2005-03-12 10:41:07</FetchedDate><Team><TeamID>177327</TeamID>"
         "<TeamName>FC Hostile</TeamName><PlayerList>";
}
void Tail(std::ostream& out) { out << "</PlayerList></Team></KickvaleData>\n"; }

// One player of the server's players file; name, extra and the ID's text as given.
void Player(std::ostream& out, const std::string& id, const std::string& name, const std::string& extra = {}) {
  out << "<Player><PlayerID>" << id << "</PlayerID><PlayerName>" << name
      << "</PlayerName><Age>24</Age><InjuryLevel>-1</InjuryLevel><PlayerForm>6</PlayerForm>"
         "<StaminaSkill>5</StaminaSkill><PlaymakerSkill>4</PlaymakerSkill><ScorerSkill>3</ScorerSkill>"
         "<PassingSkill>4</PassingSkill><WingerSkill>3</WingerSkill><SetPiecesSkill>3</SetPiecesSkill>"
         "<DefenderSkill>5</DefenderSkill><KeeperSkill>1</KeeperSkill><Experience>3</Experience>"
         "<Leadership>3</Leadership><Salary>4200</Salary><TSI>2750</TSI><CareerGoals>0</CareerGoals>"
         "<LeagueGoals>0</LeagueGoals><CupGoals>0</CupGoals><FriendliesGoals>0</FriendliesGoals>"
         "<CareerKickvales>0</CareerKickvales><CountryID>38</CountryID><Cards>0</Cards><Specialty>0</Specialty>"
         "<TransferListed>0</TransferListed><Agreeability>2</Agreeability><Honesty>2</Honesty>"
         "<Aggressiveness>2</Aggressiveness>"
      << extra << "<TrainerData /></Player>";
}

void Repeat(std::ostream& out, const std::string& piece, size_t count) {
  for (size_t i = 0; i < count; ++i) out << piece;
}

}  // namespace

const std::vector<THostileFile>& HostileFiles() {
  static const std::vector<THostileFile> files = {
      {"100 MB file", "huge.xml",
       [](std::ostream& out) {
         Head(out);
         out << "<Player><PlayerID>1</PlayerID><PlayerName>";
         Repeat(out, std::string(1 << 20, 'x'), 100);
         out << "</PlayerName></Player>";
         Tail(out);
       }},
      {"element nested 100 000 deep", "deep.xml",
       [](std::ostream& out) {
         Head(out);
         std::string nest;
         for (int i = 0; i < 100000; ++i) nest += "<n>";
         for (int i = 0; i < 100000; ++i) nest += "</n>";
         Player(out, "212345678", "Deep Diver", nest);
         Tail(out);
       }},
      {"number of 10 000 digits", "digits.xml",
       [](std::ostream& out) {
         Head(out);
         Player(out, std::string(10000, '9'), "Long Number");
         Tail(out);
       }},
      {"invalid UTF-8", "utf8.xml",
       [](std::ostream& out) {
         Head(out);
         // A lone continuation byte, an overlong "/", a surrogate, bytes that never occur, a cut sequence.
         Player(out, "212345678", "Bad \x80 \xC0\xAF \xED\xA0\x80 \xFE\xFF end \xE2\x82");
         Tail(out);
       }},
      {"entity-expansion bomb", "bomb.xml",
       [](std::ostream& out) {
         std::string doctype = "<!DOCTYPE KickvaleData [<!ENTITY lol0 \"lol\">";
         for (int i = 1; i <= 9; ++i) {
           doctype += "<!ENTITY lol" + std::to_string(i) + " \"";
           for (int k = 0; k < 10; ++k) doctype += "&lol" + std::to_string(i - 1) + ";";
           doctype += "\">";
         }
         doctype += "]>\n";
         Head(out, doctype);
         Player(out, "212345678", "&lol9;&amp;amp;&#38;#38;");
         Tail(out);
       }},
      {"100 000 players", "crowd.xml",
       [](std::ostream& out) {
         Head(out);
         for (int i = 0; i < 100000; ++i) Player(out, std::to_string(100000000 + i), "Player " + std::to_string(i));
         Tail(out);
       }},
      {"50 000 players", "half-crowd.xml",
       [](std::ostream& out) {
         Head(out);
         for (int i = 0; i < 50000; ++i) Player(out, std::to_string(100000000 + i), "Player " + std::to_string(i));
         Tail(out);
       }},
  };
  return files;
}

std::filesystem::path WriteHostileFile(const THostileFile& file, const std::filesystem::path& folder) {
  const std::filesystem::path path = folder / file.FileName;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  file.Write(out);
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
  return path;
}
