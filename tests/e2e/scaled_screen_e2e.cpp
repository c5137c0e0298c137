// The real program on an X screen that asks for double-size rendering, by the
// toolkit's scale factor or by the X resources' 192 dots per inch: the program
// still counts every pixel of geometry in device pixels, so the screen shows
// pixel for pixel what an unscaled screen of the same size shows.

#include <QtTest>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <algorithm>
#include <optional>

#include "e2e/desktop.h"

using namespace kestrani::e2e;

namespace {

const QColor grey(128, 128, 128), silverColour(192, 192, 192);

// Places on the 1024 × 768 screen (design positions × 1.28).
const QPoint monitorButton(114, 687);   // "Настройка монитора" of the instructions window
const QPoint lineItem(316, 479);        // "Прямая линия"
const QPoint exercisesButton(897, 630);  // "Упражнения"
const QPoint startButton(681, 610);     // "Начали?"
const QRect referenceArea(256, 0, 501, 580);

// The X resources every new client reads; an empty text removes them.
void setXResources(const QByteArray& text) {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    const Atom property = XInternAtom(display, "RESOURCE_MANAGER", False);
    const Window root = DefaultRootWindow(display);
    if (text.isEmpty())
        XDeleteProperty(display, root, property);
    else
        XChangeProperty(display, root, property, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(text.constData()), int(text.size()));
    XSync(display, False);
    XCloseDisplay(display);
}

struct Screens {
    QImage monitorPage;     // the instructions window on its monitor page
    QImage configuration;   // the configuration window
    QImage reference;       // the exercise screen with a line as reference
    QImage cards;           // the first two cards
};

bool covered(Desktop& desktop, QPoint at) {
    return QTest::qWaitFor([&] { return desktop.pixel(at.x(), at.y()) != grey; }, 5000);
}

// Plays the same few actions under the environment and takes its pictures.
std::optional<Screens> play(const QStringList& environment) {
    Desktop desktop;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& pair : environment)
        env.insert(pair.section('=', 0, 0), pair.section('=', 1));
    desktop.program().setProcessEnvironment(env);
    if (!desktop.startProgram())
        return std::nullopt;
    Screens screens;
    const unsigned long instructions = desktop.waitForWindow("Instructions to Kestrani 1.01 rus");
    if (!instructions || !desktop.waitForWindow("Kestrani 1.01 rus"))
        return std::nullopt;
    QTest::qWait(300);
    desktop.click(monitorButton.x(), monitorButton.y());
    if (!desktop.waitForWindow("Monitor settings"))
        return std::nullopt;
    screens.monitorPage = desktop.settledScreenshot(80);
    desktop.closeWindow(desktop.waitForWindow("Monitor settings"));
    if (!QTest::qWaitFor([&] { return !desktop.windowVisible("Monitor settings"); }, 5000))
        return std::nullopt;
    desktop.click(lineItem.x(), lineItem.y());
    screens.configuration = desktop.settledScreenshot(80);
    desktop.click(exercisesButton.x(), exercisesButton.y());
    if (!desktop.waitForWindow("Kestrani 1.01 rus: упражнение") || !covered(desktop, referenceArea.center()))
        return std::nullopt;
    screens.reference = desktop.settledScreenshot(80);
    desktop.click(startButton.x(), startButton.y());
    if (!covered(desktop, {250, 300}) || !covered(desktop, {772, 300}))
        return std::nullopt;
    screens.cards = desktop.settledScreenshot(80);
    return screens;
}

// The widest stroke of a drawn line across columns and across rows: a line
// one device pixel wide is 1 in one of the two.
int thinnestStroke(const QImage& area, QColor background) {
    std::vector<int> columns(std::size_t(area.width())), rows(std::size_t(area.height()));
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            if (area.pixelColor(x, y) != background) {
                ++columns[std::size_t(x)];
                ++rows[std::size_t(y)];
            }
    return std::min(*std::max_element(columns.begin(), columns.end()), *std::max_element(rows.begin(), rows.end()));
}

int countDifferent(const QImage& area, QColor background) {
    int n = 0;
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            n += area.pixelColor(x, y) != background;
    return n;
}

}  // namespace

class ScaledScreenE2E : public QObject {
    Q_OBJECT
    std::optional<Screens> plain_;

private slots:
    void initTestCase() {
        setXResources({});
        plain_ = play({});
        QVERIFY(plain_);
        // The line of the reference: one device pixel wide, in the reference window.
        const QImage reference = plain_->reference.copy(referenceArea);
        QVERIFY(countDifferent(reference, silverColour) > 20);
        QCOMPARE(thinnestStroke(reference, silverColour), 1);
        // The cards at 0 and 522, 501 × 652, on the grey backdrop.
        const QImage& cards = plain_->cards;
        for (QPoint inside : {QPoint(0, 0), QPoint(500, 0), QPoint(0, 651), QPoint(500, 651), QPoint(522, 0),
                              QPoint(1022, 651)})
            QVERIFY2(cards.pixelColor(inside) != grey, qPrintable(QStringLiteral("card at %1, %2").arg(inside.x()).arg(inside.y())));
        for (QPoint outside : {QPoint(501, 0), QPoint(521, 651), QPoint(0, 652), QPoint(1022, 652), QPoint(1023, 0)})
            QVERIFY2(cards.pixelColor(outside) == grey, qPrintable(QStringLiteral("backdrop at %1, %2").arg(outside.x()).arg(outside.y())));
    }

    void aScaledScreenShowsThePlainScreensPixels_data() {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QByteArray>("resources");
        QTest::newRow("QT_SCALE_FACTOR=2") << QStringList{"QT_SCALE_FACTOR=2"} << QByteArray();
        QTest::newRow("Xft.dpi 192") << QStringList{} << QByteArray("Xft.dpi:\t192\n");
    }

    void aScaledScreenShowsThePlainScreensPixels() {
        QFETCH(QStringList, environment);
        QFETCH(QByteArray, resources);
        QVERIFY(plain_);
        setXResources(resources);
        const std::optional<Screens> scaled = play(environment);
        setXResources({});
        QVERIFY(scaled);
        // A picture that differs is saved beside the plain one, to be looked at.
        const auto same = [](const QImage& plain, const QImage& scaled, const char* name) {
            if (plain == scaled)
                return true;
            plain.save(QDir::temp().filePath(QStringLiteral("kestrani-plain-%1.png").arg(name)));
            scaled.save(QDir::temp().filePath(QStringLiteral("kestrani-scaled-%1.png").arg(name)));
            return false;
        };
        QVERIFY(same(plain_->monitorPage, scaled->monitorPage, "monitor"));
        QVERIFY(same(plain_->configuration, scaled->configuration, "configuration"));
        QVERIFY(same(plain_->reference, scaled->reference, "reference"));
        QVERIFY(same(plain_->cards, scaled->cards, "cards"));
    }
};

QTEST_MAIN(ScaledScreenE2E)
#include "scaled_screen_e2e.moc"
