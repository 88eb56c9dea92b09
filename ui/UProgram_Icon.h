#pragma once
// The program's icons: the PNGs rendered from ui/icons/*.svg at build time at
// every side the windows draw an icon at, in single and double density
// (cmake/icons.cmake), embedded as :/icons/NAME-SIDE.png and NAME-SIDE@2x.png.

#include <QIcon>
#include <QString>

// The icon named by the resource path of its source picture (":/icons/ok.svg"),
// null for a name without pictures. Each icon is made once and shared by every
// button that shows it. Its sizes are known from the file names, so a picture
// is decoded only when a window first draws it, and then kept in QPixmapCache
// under its resource path (":/icons/ok-22.png").
QIcon Program_Icon(const QString &source);
