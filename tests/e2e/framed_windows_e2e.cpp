// The configuration and the instructions windows under real window managers
// (openbox, mutter, KWin, each started in turn on the test's X server): the
// frame with its title bar and close box lies on the screen, and the bottom
// row of buttons is drawn whole, bottom outline included, in the client area
// the window manager gives. A manager that is not installed is skipped.

#include <QProcess>
#include <QStandardPaths>
#include <QWindow>
#include <QtTest>
#include <csignal>
#include <unistd.h>

#include "e2e/desktop.h"

using namespace kestrani::e2e;

namespace {

const QColor grey(128, 128, 128);
const QRect screenRect(0, 0, 1024, 768);

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// The window's client area on the screen. (xdotool's geometry counts the
// frame's offset twice under a reparenting window manager.)
QRect clientRect(unsigned long window) {
    QRect client;
    for (const QString& line : run("xwininfo", {"-id", QString::number(window)}).split('\n')) {
        const QString value = line.section(':', 1).trimmed();
        if (line.contains("Absolute upper-left X"))
            client.moveLeft(value.toInt());
        else if (line.contains("Absolute upper-left Y"))
            client.moveTop(value.toInt());
        else if (line.trimmed().startsWith("Width"))
            client.setWidth(value.toInt());
        else if (line.trimmed().startsWith("Height"))
            client.setHeight(value.toInt());
    }
    return client;
}

// The window's outer rectangle: its client area and the frame the manager
// reports around it; an invalid rectangle while no frame is reported.
QRect outerRect(unsigned long window) {
    const QString extents = run("xprop", {"-id", QString::number(window), "_NET_FRAME_EXTENTS"});
    const QStringList widths = extents.section('=', 1).split(',', Qt::SkipEmptyParts);
    if (widths.size() != 4)
        return {};
    const int left = widths[0].toInt(), right = widths[1].toInt(), top = widths[2].toInt(),
              bottom = widths[3].toInt();
    return clientRect(window).adjusted(-left, -top, right, bottom);
}

bool dark(QColor c) { return c.red() < 112 && c.green() < 112 && c.blue() < 112; }
bool light(QColor c) { return c.red() > 150 && c.green() > 150 && c.blue() > 150; }

// Going up the column from the client area's bottom row: grey background,
// then a button's dark bottom outline, then its light face. Gives the
// outline's row, or -1 where the last row shows a face cut by the edge.
int buttonBottom(const QImage& shot, const QRect& client, int x) {
    int y = client.bottom();
    while (y > client.bottom() - client.height() / 5 && shot.pixelColor(x, y) == grey)
        --y;
    return dark(shot.pixelColor(x, y)) && light(shot.pixelColor(x, y - 3)) ? y : -1;
}

// A window manager running on the test's X server while this lives. It runs
// in a process group of its own, so that it ends with the session bus
// wrapper that started it. A start that frames no probe window is tried
// again, and the row skipped if none works.
class WindowManager {
public:
    explicit WindowManager(const QStringList& command) {
        for (int attempt = 0; attempt < 3 && !running_; ++attempt)
            running_ = start(command);
    }
    ~WindowManager() { stop(); }
    bool running() const { return running_; }

private:
    bool start(QStringList command) {
        stop();
        const QString before = supportingCheck();
        process_.setChildProcessModifier([] { ::setsid(); });
        process_.setStandardInputFile(QProcess::nullDevice());
        process_.setStandardOutputFile(QProcess::nullDevice());
        process_.setStandardErrorFile(QProcess::nullDevice());
        process_.start(command.takeFirst(), command);
        if (!process_.waitForStarted(5000))
            return false;
        group_ = static_cast<pid_t>(process_.processId());
        if (!QTest::qWaitFor([&] { return supportingCheck().contains("window id") && supportingCheck() != before; },
                             10000))
            return false;
        // Announced is not yet managing: openbox loses a window mapped in
        // the first moments after it announced itself. Then wait until a
        // probe window is framed.
        QTest::qWait(1000);
        QWindow probe;
        probe.resize(40, 40);
        probe.show();
        return QTest::qWaitFor(
            [&] { return run("xprop", {"-id", QString::number(probe.winId()), "_NET_FRAME_EXTENTS"}).contains('='); },
            5000);
    }

    void stop() {
        if (group_ <= 1)
            return;
        ::kill(-group_, SIGTERM);
        process_.waitForFinished(3000);
        ::kill(-group_, SIGKILL);  // the session bus the wrapper leaves behind
        group_ = 0;
    }

    // The managing window a manager announces on the root window.
    static QString supportingCheck() { return run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}); }

    QProcess process_;
    pid_t group_ = 0;  // the manager's process group: the wrapper's id
    bool running_ = false;
};

}  // namespace

class FramedWindowsE2E : public QObject {
    Q_OBJECT
private slots:
    void framesAndBottomRowsOnTheScreen_data() {
        QTest::addColumn<QStringList>("manager");
        QTest::newRow("openbox") << QStringList{"openbox", "--replace"};
        QTest::newRow("mutter") << QStringList{"dbus-run-session", "--", "mutter", "--x11", "--replace"};
        QTest::newRow("kwin") << QStringList{"dbus-run-session", "--", "kwin_x11", "--replace"};
    }
    void framesAndBottomRowsOnTheScreen() {
        QFETCH(QStringList, manager);
        const QString binary = manager.contains("--") ? manager[manager.indexOf("--") + 1] : manager[0];
        if (QStandardPaths::findExecutable(binary).isEmpty())
            QSKIP("window manager not installed");
        if (QStandardPaths::findExecutable("xprop").isEmpty() || QStandardPaths::findExecutable("xwininfo").isEmpty())
            QSKIP("xprop and xwininfo (x11-utils) not installed");
        const WindowManager wm(manager);
        // The program is not at fault where the manager frames no window.
        if (!wm.running())
            QSKIP("the window manager did not start framing windows in this X server");

        Desktop desktop;
        QVERIFY(desktop.startProgram());
        const unsigned long instructions = desktop.waitForWindow("Instructions to Kestrani 1.01 rus", 20000);
        QVERIFY(instructions != 0);

        // The instructions window in front: title bar and close box on the
        // screen, "OK" (the middle of the bottom row) drawn whole.
        QTRY_VERIFY_WITH_TIMEOUT(screenRect.contains(outerRect(instructions)), 5000);
        QTest::qWait(500);  // a late re-placement once the frame is known
        QVERIFY(screenRect.contains(outerRect(instructions)));
        const QRect help = clientRect(instructions);
        QImage shot = desktop.screenshot();
        shot.save(QDir::temp().filePath(QStringLiteral("kestrani-%1-instructions.png").arg(QTest::currentDataTag())));
        const int okBottom = buttonBottom(shot, help, help.center().x());
        QVERIFY2(okBottom > 0, "OK is drawn whole");

        // "OK" brings the configuration window forward: its frame on the
        // screen and "Завершить работу" (624 to 777 of 790 design pixels)
        // drawn whole at the bottom right.
        desktop.click(help.center().x(), okBottom - 8);
        QTRY_VERIFY(!desktop.windowVisible("Instructions to Kestrani 1.01 rus"));
        const unsigned long configuration = desktop.waitForWindow("Kestrani 1.01 rus");
        QTRY_VERIFY_WITH_TIMEOUT(screenRect.contains(outerRect(configuration)), 5000);
        const QRect window = clientRect(configuration);
        const int finishX = window.left() + window.width() * 700 / 790;
        QTRY_VERIFY2(buttonBottom(desktop.screenshot(), window, finishX) > 0, "Завершить работу is drawn whole");
        desktop.screenshot().save(
            QDir::temp().filePath(QStringLiteral("kestrani-%1-configuration.png").arg(QTest::currentDataTag())));
    }
};

QTEST_MAIN(FramedWindowsE2E)
#include "framed_windows_e2e.moc"
