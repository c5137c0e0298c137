#include "e2e/desktop.h"

#include <QDeadlineTimer>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <algorithm>
#include <vector>

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

// A pixel of a button's face: a light grey, tinted at most a little (as the
// default button's is).
bool isFace(QRgb pixel) {
    const auto [low, high] = std::minmax({qRed(pixel), qGreen(pixel), qBlue(pixel)});
    return low >= 0xd0 && high - low <= 16;
}

// Whether a box of face pixels is ringed by one colour that is not the face's,
// as a button's outline is (the rounded corners left out).
bool isOutlined(const QImage& image, QRect box) {
    const QRect ring = box.adjusted(-1, -1, 1, 1);
    if (!image.rect().contains(ring))
        return false;
    const QRgb outline = image.pixel(ring.left(), box.center().y());
    if (isFace(outline))
        return false;
    for (int y = box.top() + 3; y <= box.bottom() - 3; ++y)
        if (image.pixel(ring.left(), y) != outline || image.pixel(ring.right(), y) != outline)
            return false;
    for (int x = box.left() + 3; x <= box.right() - 3; ++x)
        if (image.pixel(x, ring.top()) != outline || image.pixel(x, ring.bottom()) != outline)
            return false;
    return true;
}

}  // namespace

QList<QRect> findButtons(const QImage& screen) {
    const QImage image = screen.convertToFormat(QImage::Format_RGB32);
    const int width = image.width(), height = image.height();
    std::vector<bool> seen(static_cast<size_t>(width) * height);
    auto at = [&](int x, int y) { return static_cast<size_t>(y) * width + x; };
    QList<QRect> buttons;
    std::vector<QPoint> pending;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (seen[at(x, y)] || !isFace(image.pixel(x, y)))
                continue;
            // The connected face around this pixel; the caption's letters lie inside it.
            int left = x, right = x, top = y, bottom = y, count = 0;
            seen[at(x, y)] = true;
            pending.push_back({x, y});
            while (!pending.empty()) {
                const QPoint p = pending.back();
                pending.pop_back();
                ++count;
                left = std::min(left, p.x()), right = std::max(right, p.x());
                top = std::min(top, p.y()), bottom = std::max(bottom, p.y());
                for (const QPoint n : {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)})
                    if (image.rect().contains(n) && !seen[at(n.x(), n.y())] && isFace(image.pixel(n))) {
                        seen[at(n.x(), n.y())] = true;
                        pending.push_back(n);
                    }
            }
            const QRect box(QPoint(left, top), QPoint(right, bottom));
            const bool buttonSized = box.width() >= 24 && box.width() <= 400 && box.height() >= 10 && box.height() <= 100;
            if (buttonSized && count * 10 >= box.width() * box.height() * 6 && isOutlined(image, box))
                buttons.append(box);
        }
    return buttons;
}

QFont toolkitFont() {
    QFont font = QGuiApplication::font();
    if (font.pointSizeF() > 0)
        font.setPixelSize(qRound(font.pointSizeF() * 96 / 72));
    return font;
}

namespace {

bool isInk(QRgb pixel) { return qGray(pixel) < 110; }
bool isGround(QRgb pixel) { return qGray(pixel) > 190; }

}  // namespace

namespace {

// The text's pixels in a rendering: dark strokes and the light ground around
// and between them.
struct TextShape {
    QSize size;
    std::vector<QPoint> ink;
    std::vector<QPoint> ground;
};

// The toolkit places a centred text at a fraction of a pixel, and each
// fraction gives its letters other pixels: the text is rendered at each.
std::vector<TextShape> textShapes(const QString& text, const QFont& font) {
    const QFontMetrics metrics(font);
    std::vector<TextShape> shapes;
    for (int eighths = 0; eighths < 8; ++eighths) {
        QImage rendering(metrics.horizontalAdvance(text) + 5, metrics.height() + 4, QImage::Format_RGB32);
        rendering.fill(Qt::white);
        {
            QPainter painter(&rendering);
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(QPointF(2 + eighths / 8.0, 2 + metrics.ascent()), text);
        }
        TextShape shape{rendering.size(), {}, {}};
        for (int y = 0; y < rendering.height(); ++y)
            for (int x = 0; x < rendering.width(); ++x) {
                const QRgb p = rendering.pixel(x, y);
                if (isInk(p))
                    shape.ink.emplace_back(x, y);
                else if (isGround(p))
                    shape.ground.emplace_back(x, y);
            }
        if (!shape.ink.empty())
            shapes.push_back(std::move(shape));
    }
    return shapes;
}

// Whether the shape matches the picture at the place, a twentieth of its
// strokes and of its ground allowed to differ.
bool matchesAt(const QImage& image, const TextShape& shape, QPoint at) {
    auto fewMisses = [&](const std::vector<QPoint>& points, bool (*expected)(QRgb)) {
        std::size_t misses = 0;
        for (const QPoint& p : points)
            if (!expected(image.pixel(at + p)) && ++misses > points.size() / 20)
                return false;
        return true;
    };
    return isInk(image.pixel(at + shape.ink.front())) && fewMisses(shape.ink, isInk) && fewMisses(shape.ground, isGround);
}

}  // namespace

QList<QRect> findText(const QImage& screen, const QString& text, const QFont& font, QRect within) {
    QList<QRect> found;
    const std::vector<TextShape> shapes = textShapes(text, font);
    if (shapes.empty())
        return found;
    const QImage image = screen.convertToFormat(QImage::Format_RGB32);
    const QRect area = within.isEmpty() ? image.rect() : within & image.rect();
    const QSize size = shapes.front().size;
    for (int top = area.top(); top + size.height() <= area.bottom() + 1; ++top)
        for (int left = area.left(); left + size.width() <= area.right() + 1; ++left)
            for (const TextShape& shape : shapes)
                if (matchesAt(image, shape, {left, top})) {
                    found.append(QRect(QPoint(left, top), size));
                    break;
                }
    return found;
}

Desktop::Desktop() = default;

Desktop::~Desktop() {
    if (program_.state() != QProcess::NotRunning) {
        program_.kill();
        program_.waitForFinished(3000);
    }
    if (randr_)
        XCloseDisplay(randr_);
}

namespace {

// The output takes the mode of the size (made when the output has none), and
// the screen the size.
bool switchScreenSize(Display* display, QSize size) {
    const Window root = DefaultRootWindow(display);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    if (!resources || resources->noutput < 1 || resources->ncrtc < 1)
        return false;
    RRMode mode = 0;
    for (int i = 0; i < resources->nmode && !mode; ++i)
        if (int(resources->modes[i].width) == size.width() && int(resources->modes[i].height) == size.height())
            mode = resources->modes[i].id;
    if (!mode) {
        QByteArray name = QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toLatin1();
        XRRModeInfo info{};
        info.width = unsigned(size.width());
        info.height = unsigned(size.height());
        info.hTotal = info.width;
        info.vTotal = info.height;
        info.dotClock = 60UL * info.hTotal * info.vTotal;
        info.name = name.data();
        info.nameLength = unsigned(name.size());
        mode = XRRCreateMode(display, root, &info);
        XRRAddOutputMode(display, resources->outputs[0], mode);
        XSync(display, False);
        XRRFreeScreenResources(resources);
        resources = XRRGetScreenResourcesCurrent(display, root);
    }
    // The output must fit the screen at every moment: a smaller screen takes
    // the new mode first, a larger one its size first.
    Window rootReturn = 0;
    int x = 0, y = 0;
    unsigned int width = 0, height = 0, border = 0, depth = 0;
    XGetGeometry(display, root, &rootReturn, &x, &y, &width, &height, &border, &depth);
    const bool smaller = size.width() <= int(width) && size.height() <= int(height);
    auto resizeScreen = [&] {
        XRRSetScreenSize(display, root, size.width(), size.height(), size.width() * 254 / 960, size.height() * 254 / 960);
    };
    if (!smaller)
        resizeScreen();
    const Status status = XRRSetCrtcConfig(display, resources, resources->crtcs[0], CurrentTime, 0, 0, mode, RR_Rotate_0,
                                           &resources->outputs[0], 1);
    if (smaller)
        resizeScreen();
    XRRFreeScreenResources(resources);
    return status == RRSetConfigSuccess;
}

}  // namespace

bool Desktop::setScreenSize(QSize size) {
    if (!randr_ && !(randr_ = XOpenDisplay(nullptr)))
        return false;
    // A new mode changes the output's mode list, which a window manager
    // takes for a monitor plugged in: mutter then lays the screen out again
    // at the output's preferred mode, and when it reads the state before the
    // switch, it puts the old size back after it. With the server grabbed,
    // it reads the state only once the switch is made, and takes the switch
    // as the monitor's own.
    XGrabServer(randr_);
    const bool switched = switchScreenSize(randr_, size);
    XUngrabServer(randr_);
    XSync(randr_, False);
    return switched;
}

bool Desktop::startProgram() {
    program_.setProcessChannelMode(QProcess::ForwardedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString wayland = qEnvironmentVariable("KESTRANI_WAYLAND_DISPLAY");
    if (!wayland.isEmpty()) {
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.insert(QStringLiteral("WAYLAND_DISPLAY"), wayland);
        environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    }
    const QString scale = qEnvironmentVariable("KESTRANI_SCALE_FACTOR");
    if (!scale.isEmpty())
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
    program_.setProcessEnvironment(environment);
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

QList<unsigned long> Desktop::visibleWindows(const QString& title) {
    QList<unsigned long> windows;
    for (const QString& id : xdotool({"search", "--onlyvisible", "--name", exactTitle(title)}).split('\n'))
        if (!id.isEmpty())
            windows.append(id.toULong());
    return windows;
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

QRect Desktop::clientGeometry(unsigned long window) {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return {};
    QRect client;
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes)) {
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(display, window, attributes.root, 0, 0, &x, &y, &child);
        client = QRect(x, y, attributes.width, attributes.height);
    }
    XCloseDisplay(display);
    return client;
}

namespace {

// The first `count` values of a 32-bit cardinal property; empty when it is absent.
std::vector<long> cardinals(Display* display, Window window, const char* property, long count) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::vector<long> values;
    if (XGetWindowProperty(display, window, XInternAtom(display, property, False), 0, count, False, XA_CARDINAL,
                           &type, &format, &items, &remaining, &data) == Success &&
        format == 32)
        values.assign(reinterpret_cast<const long*>(data), reinterpret_cast<const long*>(data) + items);
    if (data)
        XFree(data);
    return values;
}

}  // namespace

QMargins Desktop::frameExtents(unsigned long window) {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return {};
    const std::vector<long> e = cardinals(display, window, "_NET_FRAME_EXTENTS", 4);  // left, right, top, bottom
    XCloseDisplay(display);
    return e.size() == 4 ? QMargins(int(e[0]), int(e[2]), int(e[1]), int(e[3])) : QMargins();
}

unsigned long Desktop::focusWindow() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 0;
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    XCloseDisplay(display);
    return focus;
}

bool Desktop::programHasFocus() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    // The focus may rest on a window inside the program's top-level window.
    bool found = false;
    while (focus > PointerRoot && !found) {
        found = cardinals(display, focus, "_NET_WM_PID", 1) == std::vector<long>{long(program_.processId())};
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, focus, &root, &parent, &children, &count))
            break;
        if (children)
            XFree(children);
        focus = parent == root ? 0 : parent;
    }
    XCloseDisplay(display);
    return found;
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

QImage Desktop::settledScreenshot(int intervalMilliseconds) {
    QImage previous = screenshot();
    for (int i = 0; i < 40; ++i) {
        QThread::msleep(static_cast<unsigned long>(intervalMilliseconds));
        QImage next = screenshot();
        if (next == previous)
            return next;
        previous = next;
    }
    return previous;
}

}  // namespace kestrani::e2e
