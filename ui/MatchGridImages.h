#pragma once
// The match grid's pictures of match types and weathers, drawn by the program (no image files) and kept
// once drawn: the grid paints them in every visible row.
#include <QPixmap>

// Logical size of the pictures; they fit a match grid cell of the default row height.
constexpr int MatchImageWidth = 24;
constexpr int MatchImageHeight = 16;

// The picture of a match type (1 league, 2 qualification, 3 cup, 4 friendly, 5 friendly with cup rules,
// 8 international friendly, 9 international friendly with cup rules); a null pixmap for other types.
QPixmap MatchTypePixmap(int matchType, qreal devicePixelRatio = 1.0);
// The picture of a weather code (0 rainy, 1 overcast, 2 partially cloudy, 3 sunny, 4 undefined,
// 5 disabled); a null pixmap for other codes.
QPixmap WeatherPixmap(int weather, qreal devicePixelRatio = 1.0);
