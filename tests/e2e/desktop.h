#pragma once
// Driving the real program in a real X server: start it, find its windows,
// click with xdotool, read pixels from screenshots, close windows politely.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QMargins>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

struct _XDisplay;  // Xlib's Display

namespace kestrani::e2e {

// Runs xdotool with the arguments and returns what it printed.
QString xdotool(const QStringList& arguments);

// The push buttons on a screenshot, found as a user finds them: a light,
// evenly shaded face inside a darker outline, wholly on the picture. A button
// cut by the picture's edge is not found.
QList<QRect> findButtons(const QImage& screen);

// The font the program's toolkit writes its own dialogs and menus in: the
// desktop's default font at the program's 96 dots per inch.
QFont toolkitFont();

// Where the text stands on a screenshot, dark on a light ground, written in
// the font as the toolkit writes it: its strokes and the light between them
// match a rendering of the text in this process, pixel for pixel but for a
// few (a shortcut's underline, a shade of antialiasing). Searched within the
// rectangle, the whole picture when it is empty.
QList<QRect> findText(const QImage& screen, const QString& text, const QFont& font, QRect within = {});

class Desktop {
public:
    Desktop();
    ~Desktop();

    // Starts the binary named by KESTRANI_BINARY; false when it does not start.
    // When KESTRANI_WAYLAND_DISPLAY names a compositor's socket, the program
    // sees a Wayland session and no X display; KESTRANI_SCALE_FACTOR scales
    // the program's screen as a high-resolution desktop does.
    bool startProgram();
    QProcess& program() { return program_; }
    // Waits until the program has ended; false on a time-out.
    bool waitForExit(int milliseconds);

    // The id of a visible window whose title is exactly the text; 0 when none
    // appears within the time.
    unsigned long waitForWindow(const QString& title, int milliseconds = 5000);
    bool windowVisible(const QString& title);
    // The ids of all visible windows whose title is exactly the text.
    QList<unsigned long> visibleWindows(const QString& title);
    QRect windowGeometry(unsigned long window);
    // The window's client area in screen coordinates, and the frame its window
    // manager declares round it (none without one).
    QRect clientGeometry(unsigned long window);
    QMargins frameExtents(unsigned long window);
    // The client area with that frame: what the window covers on the screen.
    QRect frameGeometry(unsigned long window) { return clientGeometry(window).marginsAdded(frameExtents(window)); }
    // The window that has the keyboard focus.
    unsigned long focusWindow();
    // Whether the keyboard focus is on a window of the program.
    bool programHasFocus();

    void click(int x, int y, int button = 1);
    void pressKey(const QString& key);
    // Asks the window to close, as its close box does.
    void closeWindow(unsigned long window);

    // Gives the X screen another size through RandR, as a monitor taking
    // another resolution does (Xvfb allows sizes up to the one it started
    // with). A size made for the test lives on the connection that made it,
    // so it holds while this Desktop does; false when the server refuses.
    bool setScreenSize(QSize size);

    QImage screenshot();
    // Waits until two screenshots in a row, the given time apart, are the
    // same (at most 40 times) and gives the last.
    QImage settledScreenshot(int intervalMilliseconds = 60);
    QColor pixel(int x, int y) { return screenshot().pixelColor(x, y); }
    // Waits until the pixel has the colour; false on a time-out.
    bool waitForPixel(int x, int y, QColor colour, int milliseconds = 3000);

private:
    QProcess program_;
    ::_XDisplay* randr_ = nullptr;
};

}  // namespace kestrani::e2e
