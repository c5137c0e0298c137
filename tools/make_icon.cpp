// Renders the configuration window's logo as the program's square icon.
// Usage: make_icon SIZE OUTPUT.png
// It paints onto an image in memory and needs neither a display nor an
// application object.

#include <QImage>
#include <QPainter>
#include <cstdio>

#include "config/configuration_pictures.h"

int main(int argc, char* argv[]) {
    const int size = argc == 3 ? QString::fromLocal8Bit(argv[1]).toInt() : 0;
    if (size <= 0) {
        std::fprintf(stderr, "usage: %s SIZE OUTPUT.png\n", argv[0]);
        return 2;
    }

    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    {
        // The 90 × 87 logo fills the width and sits in the middle of the height.
        QPainter painter(&icon);
        painter.scale(size / 90.0, size / 90.0);
        painter.translate(0, 1.5);
        kestrani::paintLogo(painter);
    }
    if (!icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
