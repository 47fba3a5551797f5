#pragma once
// The rating analyzer's file (".raf"): the team settings, the player ID and behaviour item of every place,
// and the analyzer's own (possibly edited) copies of the players as record sections.
#include "core/PlayerList.h"
#include "ratings/RatingAnalyzer.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

// Untranslated messages of a failed save and load (shown with _()). The line break is a plain "\n": gettext
// refuses carriage returns in messages, and the message boxes break lines at "\n".
extern const char* const RatingAnalyzerSaveError;
extern const char* const RatingAnalyzerLoadError;

struct TRatingAnalyzerSetup {
  TAnalyzerTeamSettings Team;  // the file does not hold CounterAttacks: it stays false when read
  std::array<int64_t, AnalyzerPositionCount> PlayerIDs{};       // 0 = empty place
  std::array<int, AnalyzerOutfieldCount> BehaviourItems{};      // places 1..10
  std::unique_ptr<TPlayerList> Players = std::make_unique<TPlayerList>();
};

// major x 100 + minor of the program's version (404 for 4.4).
int RatingAnalyzerAppVersion();

// The file's text, lines ended by CR LF.
std::string RatingAnalyzerText(const TRatingAnalyzerSetup& setup);
// Writes the text atomically (EInOutError, ERangeError from the record sections).
void SaveRatingAnalyzerFile(const std::filesystem::path& path, const TRatingAnalyzerSetup& setup);

// Reads a file's text against the players of the current snapshot: the file's players that are not in
// the snapshot are dropped, copies of the snapshot's players missing from the file are added at the end,
// and a place whose player is not in the resulting list is empty. Raises EConvertError when a key is
// missing or not an integer or a player record is malformed, ERangeError when a team setting or behaviour
// item lies outside its box.
TRatingAnalyzerSetup ReadRatingAnalyzerText(std::string_view text, const TPlayerList& snapshot);
// The same for a file (EInOutError when it cannot be read).
TRatingAnalyzerSetup LoadRatingAnalyzerFile(const std::filesystem::path& path, const TPlayerList& snapshot);
