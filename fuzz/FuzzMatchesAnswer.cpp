// Fuzz target: the team's matches answer as the match download reads it: the finished matches to fetch, and
// the week in which a match of each type was played.
#include "FuzzSupport.h"
#include "download/DlCustom.h"
#include "download/DlMatch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  pugi::xml_document answer;
  ExpectLoadedOrReaderError([&] { TDlCustom::ParseAnswer(FuzzText(data, size), answer, "4711-Matches.xml"); });
  if (!answer.document_element()) return 0;
  std::vector<std::string> ids;
  ExpectLoadedOrReaderError([&] { ids = FinishedMatchIDs(answer.document_element()); });
  ids.push_back("1");  // a match the list does not hold
  for (const std::string& id : ids)
    for (int matchType : {1, 2, 3, 4, 5, 8, 9}) {
      int season = 38, round = 5;
      ExpectLoadedOrReaderError([&] { PlaceMatchInList(answer.document_element(), id, matchType, season, round); });
    }
  return 0;
}
