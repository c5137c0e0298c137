#include "e2e/desktop.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <X11/Xlib.h>

namespace kestrani::e2e {

QString xdotool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

namespace {

// An exact-title pattern in the extended regular expressions xdotool takes.
QString exactTitle(const QString& title) {
    QString pattern = QStringLiteral("^");
    for (QChar c : title) {
        if (QStringLiteral(".[]()*+?{}|^$\\").contains(c))
            pattern += QLatin1Char('\\');
        pattern += c;
    }
    return pattern + QLatin1Char('$');
}

}  // namespace

Desktop::Desktop() = default;

Desktop::~Desktop() {
    if (program_.state() != QProcess::NotRunning) {
        program_.kill();
        program_.waitForFinished(3000);
    }
}

bool Desktop::startProgram() {
    program_.setProcessChannelMode(QProcess::ForwardedChannels);
    program_.start(qEnvironmentVariable("KESTRANI_BINARY"), {});
    return program_.waitForStarted(5000);
}

bool Desktop::waitForExit(int milliseconds) {
    return program_.waitForFinished(milliseconds);
}

unsigned long Desktop::waitForWindow(const QString& title, int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    const QString pattern = exactTitle(title);
    do {
        const QString found = xdotool({"search", "--onlyvisible", "--name", pattern});
        if (!found.isEmpty())
            return found.split('\n').first().toULong();
        QThread::msleep(20);
    } while (!deadline.hasExpired());
    return 0;
}

bool Desktop::windowVisible(const QString& title) {
    const QString pattern = exactTitle(title);
    return !xdotool({"search", "--onlyvisible", "--name", pattern}).isEmpty();
}

QRect Desktop::windowGeometry(unsigned long window) {
    QRect geometry;
    for (const QString& line : xdotool({"getwindowgeometry", "--shell", QString::number(window)}).split('\n')) {
        const QStringList pair = line.split('=');
        if (pair.size() != 2)
            continue;
        const int value = pair[1].toInt();
        if (pair[0] == "X")
            geometry.moveLeft(value);
        else if (pair[0] == "Y")
            geometry.moveTop(value);
        else if (pair[0] == "WIDTH")
            geometry.setWidth(value);
        else if (pair[0] == "HEIGHT")
            geometry.setHeight(value);
    }
    return geometry;
}

void Desktop::click(int x, int y, int button) {
    // No --sync: it waits forever when the pointer stands there already.
    xdotool({"mousemove", QString::number(x), QString::number(y), "click", QString::number(button)});
}

void Desktop::pressKey(const QString& key) { xdotool({"key", key}); }

void Desktop::closeWindow(unsigned long window) {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
}

QImage Desktop::screenshot() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage();
}

bool Desktop::waitForPixel(int x, int y, QColor colour, int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    do {
        if (pixel(x, y) == colour)
            return true;
        QThread::msleep(20);
    } while (!deadline.hasExpired());
    return false;
}

}  // namespace kestrani::e2e
