// Kestrani: a trainer for visual calibration and visual memory.

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>

#include "app/toolkit_language.h"
#include "app/wayland_outputs.h"
#include "app/window_set.h"
#include "windows/device_pixels.h"

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

bool waylandPluginInstalled() {
    const QString platforms = QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms/");
    return QFileInfo::exists(platforms + QStringLiteral("libqwayland-generic.so")) ||
           QFileInfo::exists(platforms + QStringLiteral("libqwayland-egl.so"));
}

// On a scaled Wayland output the toolkit draws every pixel of layout as
// several device pixels, whatever its own scaling says; its per-screen
// factors take that back, so that the layout again counts device pixels.
// Gives the device pixels across one pixel of the program's output (the
// first), 1 where it is not scaled.
int keepDevicePixelsOnScaledWaylandOutputs() {
    if (!qgetenv("QT_QPA_PLATFORM").startsWith("wayland") || !waylandPluginInstalled())
        return 1;
    const std::vector<int> scales = kestrani::waylandOutputScales();
    const std::string factors = kestrani::screenFactorsForDevicePixels(scales);
    if (factors.empty())
        return 1;
    qputenv("QT_SCREEN_SCALE_FACTORS", factors.c_str());
    // The toolkit divides the font resolution by the factor as well; the
    // style's check marks and frames keep their 96 dots-per-inch sizes.
    qputenv("QT_FONT_DPI", QByteArray::number(96 / scales.front()));
    return scales.front();
}

}  // namespace

int main(int argc, char* argv[]) {
    workInDevicePixels();
    preferWaylandInAWaylandSession();
    kestrani::PlatformPorts platform;
    platform.outputPixel = keepDevicePixelsOnScaledWaylandOutputs();
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (!kestrani::installToolkitTranslations(application))
        qWarning("Qt's Russian translations are not installed (Debian package qt6-translations-l10n): "
                 "its dialogs and menus stay in English.");
    kestrani::WindowSet windows(platform);
    return QApplication::exec();
}
