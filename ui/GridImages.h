#pragma once
// The small pictures of the grids and the main window: country flags (by the game's country ID), cards,
// the bruised and injured signs and the weather pictures. Flags come from the program's resources; the
// others are drawn once on first use. All are cached for the life of the program (a QGuiApplication must
// exist when they are first asked for).
#include <QPixmap>

class TGridImages {
public:
  // 20 x 12 in the grid's terms (stored at twice that size for sharp scaling). A neutral box for IDs
  // without a flag (empty league slots, Oceania, anything outside 1..140).
  static const QPixmap& Flag(int countryID);
  // The flag set's name of the country ("se", "gb-sct"), or nullptr.
  static const char* FlagCode(int countryID);
  static bool HasFlag(int countryID) { return FlagCode(countryID) != nullptr; }

  static const QPixmap& YellowCard();  // 8 x 12
  static const QPixmap& RedCard();     // 8 x 12
  static const QPixmap& Bruised();     // 19 x 8
  static const QPixmap& Injured();     // 11 x 11
  // 26 x 18 for the weather codes 0 Rainy .. 5 Disabled; an empty pixmap outside.
  static const QPixmap& Weather(int code);
};
