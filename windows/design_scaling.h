#pragma once
// Scaling of a window laid out for a 600-pixel-high screen: every control's
// edges and font size are multiplied by the screen height over 600.

#include <QFont>
#include <QString>

class QWidget;

namespace kestrani {

// Scales the geometry and font of every descendant of window, and the
// window's own font.
void scaleContents(QWidget& window, int screenHeight);

// A font of the given family and character height in pixels.
QFont designFont(const QString& family, int pixelHeight);

// Stand-ins with Cyrillic for the fonts the windows were designed with.
inline const QString timesFamily = QStringLiteral("Liberation Serif");      // Times New Roman
inline const QString sansSerifFamily = QStringLiteral("Liberation Sans");   // MS Sans Serif

}  // namespace kestrani
