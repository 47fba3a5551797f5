#pragma once
// The main window's pictures: the tool-button and menu icons, numbered by the image indexes through which
// a tool button finds the window it opens (a window's tag equals its button's image index), and the CKPP
// badge. Icons come from the freedesktop icon theme (Adwaita, Debian package adwaita-icon-theme) when it is
// installed; each has a drawn stand-in for systems without it. The weather icons are the grids' weather
// pictures.
#include <QIcon>
#include <QPixmap>

enum TImageIndex : int {
  iiAddToMainGrid = 1,
  iiTacticsAdvisor = 4,
  iiAssumePassableForms = 8,
  iiSunny = 9,
  iiPartiallyCloudy = 10,
  iiOvercast = 11,
  iiRainy = 12,
  iiUndefinedWeather = 13,
  iiRatingAnalyzer = 15,
  iiDownload = 16,
  iiHistory = 17,
  iiPlayerInformation = 18,
  iiArenaAdvisor = 19,
  iiMatchViewer = 20,
  iiTraining = 22,
  iiPlayerComparison = 23,
  iiKeeperAnalyzer = 24,
  iiDisabledWeather = 25,
  iiPlayerRatings = 26,
  iiInjuryAnalyzer = 27,
  iiPreferences = 28,
};

// Chooses the icon theme once (Adwaita when the platform names none and it is installed).
void InitIconTheme();
// The icon of an image index; a drawn stand-in when the theme lacks it. An empty icon for unknown indexes.
QIcon ToolIcon(int imageIndex);
// A menu icon by its freedesktop name ("document-open"); empty when the theme lacks it.
QIcon ThemeIcon(const char* name);
// Whether the icon of the image index comes from the theme (false: drawn).
bool ToolIconFromTheme(int imageIndex);

// The weather code of a weather image (9 Sunny 3, 10 Partially cloudy 2, 11 Overcast 1, 12 Rainy 0,
// 13 Undefined 4); Disabled (5) for every other image.
int WeatherCodeOfImage(int imageIndex);

// The badge of the game's product-provider interface shown at the bottom right of the main window's tabs.
QPixmap CKPPBadge();
// The program's own icon (window and tray).
QIcon ProgramIcon();
