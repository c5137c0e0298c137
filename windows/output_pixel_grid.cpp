#include "windows/output_pixel_grid.h"

#include <QEvent>
#include <QWidget>

#include "windows/device_pixels.h"

namespace kestrani {

bool OutputPixelGrid::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        const QRect g = widget->geometry();
        const WindowRect whole = wholeOutputPixelsAround({g.x(), g.y(), g.width(), g.height()}, outputPixel_);
        const QRect wider(whole.left, whole.top, whole.width, whole.height);
        if (!widget->isWindow() && wider != g)
            widget->setGeometry(wider);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kestrani
