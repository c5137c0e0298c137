#include "windows/design_scaling.h"

#include <QWidget>

#include "windows/window_geometry.h"

namespace kestrani {

namespace {

QFont scaledFont(QFont font, int screenHeight) {
    if (font.pixelSize() > 0)
        font.setPixelSize(scaleFontPixelHeight(font.pixelSize(), screenHeight));
    return font;
}

void scaleChildren(QWidget& parent, int screenHeight) {
    for (QObject* object : parent.children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child->isWindow())
            continue;
        const QRect g = child->geometry();
        const WindowRect scaled = scaleControl({g.x(), g.y(), g.width(), g.height()}, screenHeight);
        child->setGeometry(scaled.left, scaled.top, scaled.width, scaled.height);
        if (child->testAttribute(Qt::WA_SetFont))
            child->setFont(scaledFont(child->font(), screenHeight));
        scaleChildren(*child, screenHeight);
    }
}

}  // namespace

void scaleContents(QWidget& window, int screenHeight) {
    window.setFont(scaledFont(window.font(), screenHeight));
    scaleChildren(window, screenHeight);
}

QFont designFont(const QString& family, int pixelHeight) {
    QFont font(family);
    font.setPixelSize(pixelHeight);
    return font;
}

}  // namespace kestrani
