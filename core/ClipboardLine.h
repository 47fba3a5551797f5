#pragma once
// The one-line text form of a player that the main window's Copy to Clipboard command puts together:
// fixed-width fields between "|", the ID, skills, form, experience, age, TSI, specialty and ratings.
#include "core/Player.h"

#include <cstdint>
#include <optional>
#include <string>

// leagueCountryID: the country of the club's league in the page shown (none when no page is shown);
// a player of that country is marked with "*" in front of his ID. Fills the rating cache as a grid
// would. ERangeError when Specialty is outside 0..6.
std::string FormatClipboardLine(const TPlayer& player, std::optional<int32_t> leagueCountryID);
