#pragma once
// Scaling of a window laid out for the design screen: every control's edges
// and font size are multiplied by the window's design scale.

#include <QFont>
#include <QRect>
#include <QString>
#include <vector>

#include "windows/window_geometry.h"

class QLabel;
class QWidget;

namespace kestrani {

// Scales the geometry and font of every descendant of window, and the
// window's own font. The controls standing on the window also move down by
// the scale's shift; controls inside them keep their places there.
void scaleContents(QWidget& window, DesignScale scale);

// A window's controls as laid out at design size, their places and fonts
// and the window's own font, so that the window is always scaled afresh from
// its design and never on top of an earlier scaling.
class DesignLayout {
public:
    // Records the window's controls as they stand now.
    explicit DesignLayout(QWidget& window);
    // Puts every control back at its design place and font, then scales the
    // window's contents by scaleContents.
    void scaleTo(DesignScale scale);

private:
    struct Control {
        QWidget* widget;
        QRect geometry;
        QFont font;
        bool ownFont;
    };
    QWidget& window_;
    QFont font_;
    std::vector<Control> controls_;
};

// Marks a label whose box follows its text and fits it to the text;
// scaleContents fits it again after scaling its font.
void followText(QLabel& label);
// Marks it only, for a label whose text comes later.
void markFollowingText(QLabel& label);

// Fits the text of every descendant of window to the window as it now stands.
void fitTexts(QWidget& window);

// Makes a control's text fit: a button's text its button, a label's text its
// box and the window's width. Only a text that would be cut gets a smaller font.
void fitText(QWidget& control, const QWidget& window);

// A font family as the windows name it, and the kind of font to fall back on
// where neither it nor a stand-in the font system knows is installed.
struct DesignFamily {
    QString name;
    QFont::StyleHint fallback;
};

// The font system substitutes a metric-compatible font where one is known
// (Liberation Serif for Times New Roman).
inline const DesignFamily timesFamily{QStringLiteral("Times New Roman"), QFont::Serif};
inline const DesignFamily sansSerifFamily{QStringLiteral("MS Sans Serif"), QFont::SansSerif};

// A font of the family and character height in pixels.
QFont designFont(const DesignFamily& family, int pixelHeight);

}  // namespace kestrani
