#pragma once
// Driving the real program in a real X server: start it, find its windows,
// click with xdotool, read pixels from screenshots, close windows politely.

#include <QColor>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

namespace kestrani::e2e {

// Runs xdotool with the arguments and returns what it printed.
QString xdotool(const QStringList& arguments);

class Desktop {
public:
    Desktop();
    ~Desktop();

    // Starts the binary named by KESTRANI_BINARY; false when it does not start.
    bool startProgram();
    QProcess& program() { return program_; }
    // Waits until the program has ended; false on a time-out.
    bool waitForExit(int milliseconds);

    // The id of a visible window whose title is exactly the text; 0 when none
    // appears within the time.
    unsigned long waitForWindow(const QString& title, int milliseconds = 5000);
    bool windowVisible(const QString& title);
    QRect windowGeometry(unsigned long window);

    void click(int x, int y, int button = 1);
    void pressKey(const QString& key);
    // Asks the window to close, as its close box does.
    void closeWindow(unsigned long window);

    QImage screenshot();
    QColor pixel(int x, int y) { return screenshot().pixelColor(x, y); }
    // Waits until the pixel has the colour; false on a time-out.
    bool waitForPixel(int x, int y, QColor colour, int milliseconds = 3000);

private:
    QProcess program_;
};

}  // namespace kestrani::e2e
