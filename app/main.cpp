// Kestrani: a trainer for visual calibration and visual memory.

#include <QApplication>

#include "app/window_set.h"

namespace {

// The program lays every window out from the screen's size in device pixels
// and counts its objects, steps and lines in them, so the toolkit's own
// scaling for high-density screens is switched off: one pixel of geometry is
// one pixel of the screen, and fonts have the pixel sizes the windows give.
// The style's check marks and frames keep their sizes at 96 dots per inch
// too, or they would outgrow the rows laid out for them.
void workInDevicePixels() {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_FONT_DPI", "96");
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
}

// In a Wayland session the program runs as a Wayland client, falling back to
// X11 where the toolkit's Wayland plugin is missing; a platform the user
// names is kept.
void preferWaylandInAWaylandSession() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland")
        qputenv("QT_QPA_PLATFORM", "wayland;xcb");
}

}  // namespace

int main(int argc, char* argv[]) {
    workInDevicePixels();
    preferWaylandInAWaylandSession();
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    kestrani::WindowSet windows;
    return QApplication::exec();
}
