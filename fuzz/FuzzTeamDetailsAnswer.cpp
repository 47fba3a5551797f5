// Fuzz target: the answers the team-list download reads: the team details (one list entry) and the league
// details (the team IDs it then asks for).
#include "FuzzSupport.h"
#include "core/Utils.h"
#include "download/DlCustom.h"
#include "download/DlTeamList.h"
#include "download/KVIndyHTTP.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = FuzzText(data, size);
  pugi::xml_document answer;
  ExpectLoadedOrReaderError([&] { TDlCustom::ParseAnswer(text, answer, "TeamDetails.xml"); });
  if (!answer.document_element()) return 0;
  ExpectLoadedOrReaderError([&] {
    const TTeamListEntry entry = TeamListEntryOfDetails(answer.document_element());
    // Both IDs become parts of file names.
    ExpectThat(entry.TeamID.empty() || IsDigitsID(entry.TeamID), "a team ID that is not digits was accepted");
    ExpectThat(entry.UnitID.empty() || IsDigitsID(entry.UnitID), "a league unit ID that is not digits was accepted");
  });
  for (pugi::xml_node team = answer.document_element().child("Team"); team; team = team.next_sibling("Team"))
    ChildText(team, "TeamID");
  return 0;
}
