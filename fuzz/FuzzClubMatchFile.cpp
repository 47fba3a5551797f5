// Fuzz target: the club match file (history folder + "Matches/" + team ID + ".xml"): the file, then each
// MatchData as the start-up loader and the match grid read it (season and round, the match record, the
// grid row).
#include "FuzzSupport.h"
#include "core/MatchPage.h"
#include "core/TeamMatchFile.h"
#include "core/Utils.h"
#include "ratings/MatchRowValues.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TTeamMatchFile file;
  ExpectLoadedOrReaderError([&] { file.LoadFromText(FuzzText(data, size), "4711.xml"); });
  for (const pugi::xml_node& match : file.Matches()) {
    ExpectLoadedOrReaderError([&] {
      StrToInt(ChildText(match, "Season"));
      StrToInt(ChildText(match, "MatchRound"));
      StrToInt(ChildText(match.child(TTeamMatchFile::LineupName), "MatchType"));
    });
    TMatchPage page;
    ExpectLoadedOrReaderError([&] { page.ReadMatchData(match); });
    ExpectLoadedOrReaderError([&] { BuildMatchRow(match, "4711"); });
  }
  return 0;
}
