// One user's road through the program on the desktop the test runs on
// (KESTRANI_DESKTOP: none, openbox, mutter, kwin, weston or scaled; see
// with_desktop.sh): the start, the instructions, an exercise with one right and
// one wrong answer, a second exercise, leaving it, a third one from the
// configuration window, and ending the program.
// Buttons, cards and message boxes are found on screenshots, as a user finds
// them, so the same checks hold on a Wayland compositor whose windows X cannot
// see; where X sees the windows, the framed windows' frames and the keyboard
// focus are read from X as well. A check that fails is noted and the road goes
// on while it can; every screen it passes is kept for a look afterwards.

#include <QtTest>
#include <functional>
#include <optional>

#include "e2e/desktop.h"
#include "windows/window_geometry.h"

using namespace kestrani;
using namespace kestrani::e2e;

namespace {

const QColor grey(128, 128, 128);              // the backdrop
const QColor silver(192, 192, 192);            // the reference window before a reference
const QColor westonBackground(0x20, 0x30, 0x40);  // set by with_desktop.sh

QRect toRect(WindowRect r) { return {r.left, r.top, r.width, r.height}; }

QString text(QRect r) { return QStringLiteral("%1,%2 %3×%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()); }

QString text(QColor c) { return QStringLiteral("(%1, %2, %3)").arg(c.red()).arg(c.green()).arg(c.blue()); }

// The three action buttons of the configuration window, top to bottom:
// "Инструкции", "Упражнения", "Завершить работу": the lowest button and the
// two nearest above it of its width and left edge, at even steps.
std::optional<QList<QRect>> actionButtons(QList<QRect> buttons) {
    if (buttons.isEmpty())
        return {};
    std::sort(buttons.begin(), buttons.end(), [](QRect a, QRect b) { return a.bottom() > b.bottom(); });
    QList<QRect> column;
    for (QRect b : buttons)
        if (column.size() < 3 && qAbs(b.left() - buttons[0].left()) <= 2 && qAbs(b.width() - buttons[0].width()) <= 2)
            column.prepend(b);
    if (column.size() < 3)
        return {};
    const int step = column[1].top() - column[0].top();
    if (step <= column[0].height() || qAbs(column[2].top() - column[1].top() - step) > 2)
        return {};
    return column;
}

// The exercise screen while a reference is shown: "Изменить эталон" and
// "Начали?", a pair of like buttons side by side on the reference window, and
// "Новое упражнение" and "Выйти из упражнения" on the backdrop's band below
// the fields. The reference window's pair is taken wherever it stands.
struct ReferencePhase {
    QRect change, start, newExercise, leave;
};

std::optional<ReferencePhase> referencePhase(const QList<QRect>& buttons, QRect band) {
    QList<QRect> onReference, onBand;
    for (QRect b : buttons)
        (band.contains(b) ? onBand : onReference).append(b);
    if (onReference.size() != 2 || onBand.size() != 2 || qAbs(onReference[0].top() - onReference[1].top()) > 2 ||
        qAbs(onReference[0].width() - onReference[1].width()) > 2)
        return {};
    auto byLeft = [](QRect a, QRect b) { return a.left() < b.left(); };
    std::sort(onReference.begin(), onReference.end(), byLeft);
    std::sort(onBand.begin(), onBand.end(), byLeft);
    return ReferencePhase{onReference[0], onReference[1], onBand[0], onBand[1]};
}

class Road {
public:
    explicit Road(QString desktopName)
        : name_(std::move(desktopName)),
          wayland_(!qEnvironmentVariableIsEmpty("KESTRANI_WAYLAND_DISPLAY")),
          screenshots_(QDir::temp().filePath(QStringLiteral("kestrani-desktop-") + name_)) {
        QDir(screenshots_).removeRecursively();
        QDir().mkpath(screenshots_);
    }

    // Start: the instructions window in front and active, with its bottom row
    // of buttons on the screen; the framed windows' title bars on the screen.
    bool start() {
        stage_ = QStringLiteral("start");
        if (!desktop_.startProgram())
            return stop(QStringLiteral("the program does not start"));
        const bool shown = waitForScreen([&] { return instructionsRow().has_value(); }, 10000);
        unsigned long instructions = 0;
        if (!wayland_) {
            instructions = desktop_.waitForWindow(instructionsTitle, 1000);
            const unsigned long configuration = desktop_.waitForWindow(configurationTitle, 1000);
            if (!instructions || !configuration)
                return stop(QStringLiteral("X does not show both framed windows"));
            checkFrame(instructions, QStringLiteral("instructions window"));
            checkFrame(configuration, QStringLiteral("configuration window"));
            expect(desktop_.focusWindow() == instructions,
                   QStringLiteral("the instructions window does not have the keyboard focus"));
        }
        if (!shown) {
            // With its OK cut off a user can still put the window away: by
            // its close box, or on Wayland by space, as OK has the focus.
            problem(QStringLiteral("the instructions window's OK and its eight page buttons are not all on the screen"));
            instructionsPutAway_ = true;
            if (wayland_)
                desktop_.pressKey(QStringLiteral("space"));
            else
                desktop_.closeWindow(instructions);
            return true;
        }
        const auto [ok, row] = *instructionsRow();
        ok_ = ok;
        if (wayland_) {
            // The page buttons span design x 10 to 785; OK's top is at design y 504.
            const double scale = (row.last().right() + 1 - row.first().left()) / 775.0;
            checkTitleBarAbove(ok.center().x(), ok.top() - qRound(504 * scale), QStringLiteral("instructions window"));
        }
        return true;
    }

    // "OK" puts the instructions away and uncovers the configuration window.
    bool leaveInstructions() {
        stage_ = QStringLiteral("OK");
        if (!instructionsPutAway_) {
            if (wayland_) {
                // X cannot tell which Wayland window is active: the keyboard
                // must reach OK, which takes the focus when the window opens.
                desktop_.pressKey(QStringLiteral("space"));
                if (!waitForScreen([&] { return !instructionsRow(); }, 3000)) {
                    problem(QStringLiteral("space does not press OK: the instructions window is not active"));
                    click(ok_);
                }
            } else {
                click(ok_);
            }
        }
        if (!waitForScreen([&] { return !instructionsRow() && actionButtons(buttons_); }, 5000))
            return stop(QStringLiteral("the configuration window's three action buttons do not come out"));
        actions_ = *actionButtons(buttons_);
        if (wayland_) {
            // "Инструкции" stands at design y 448 and is 153 wide.
            const double scale = actions_[0].width() / 153.0;
            checkTitleBarAbove(actions_[0].center().x(), actions_[0].top() - qRound(448 * scale),
                               QStringLiteral("configuration window"));
        } else {
            expect(!desktop_.windowVisible(instructionsTitle), QStringLiteral("the instructions window is still shown"));
        }
        return true;
    }

    // "Упражнения": the reference window and the backdrop.
    bool startExercise() {
        stage_ = QStringLiteral("Упражнения");
        click(actions_[1]);
        return referenceIsShown();
    }

    // "Начали?": the two cards, one of them the reference.
    bool begin() {
        stage_ = QStringLiteral("Начали?");
        click(phase_.start);
        return cardsAreShown();
    }

    // A click on the card that shows the reference: the next pair of cards.
    bool answerRight() {
        stage_ = QStringLiteral("right answer");
        click(cards_[referenceCard_].center());
        if (!cardsAreShown())
            return false;
        expect(onlyBackdropButtons(), QStringLiteral("a message or a stray button after a right answer"));
        return true;
    }

    // A click on the other card: the end message in front, closed by Return;
    // the backdrop alone stays.
    bool answerWrong() {
        stage_ = QStringLiteral("wrong answer");
        const QList<QRect> before = buttons_;
        const QList<unsigned long> windowsBefore = wayland_ ? QList<unsigned long>() : desktop_.visibleWindows(messageTitle);
        click(cards_[1 - referenceCard_].center());
        if (!messageBoxIsShown(before, windowsBefore))
            return false;
        stage_ = QStringLiteral("Return on the end message");
        desktop_.pressKey(QStringLiteral("Return"));
        if (!waitForScreen([&] { return onlyBackdropButtons(); }, 3000))
            return stop(QStringLiteral("Return does not close the message, or the backdrop's buttons move"));
        for (QRect card : cards_)
            expect(screen_.pixelColor(card.center()) == grey,
                   QStringLiteral("a card is still shown at %1").arg(text(card)));
        // X can tell where the keyboard went; Wayland clients cannot.
        expect(wayland_ || QTest::qWaitFor([&] { return desktop_.programHasFocus(); }, 1000),
               QStringLiteral("after the message no window of the program has the keyboard focus (X gives it to 0x%1)")
                   .arg(desktop_.focusWindow(), 0, 16));
        return true;
    }

    // "Новое упражнение": the second exercise starts with a new reference.
    bool newExercise() {
        stage_ = QStringLiteral("Новое упражнение");
        click(phase_.newExercise);
        return referenceIsShown();
    }

    // "Выйти из упражнения": back to the configuration window.
    bool leaveExercise() {
        stage_ = QStringLiteral("Выйти из упражнения");
        click(phase_.leave);
        if (!waitForScreen([&] { return !referencePhase(buttons_, band_) && actionButtons(buttons_); },
                           5000))
            return stop(QStringLiteral("the configuration window does not come back"));
        actions_ = *actionButtons(buttons_);
        return true;
    }

    // "Завершить работу": the goodbye message; Return closes it and the
    // program ends.
    bool finish() {
        stage_ = QStringLiteral("Завершить работу");
        const QList<QRect> before = buttons_;
        const QList<unsigned long> windowsBefore = wayland_ ? QList<unsigned long>() : desktop_.visibleWindows(messageTitle);
        click(actions_[2]);
        if (!messageBoxIsShown(before, windowsBefore))
            return false;
        stage_ = QStringLiteral("Return on the goodbye message");
        desktop_.pressKey(QStringLiteral("Return"));
        if (!desktop_.waitForExit(5000))
            return stop(QStringLiteral("the program does not end"));
        expect(desktop_.program().exitStatus() == QProcess::NormalExit && desktop_.program().exitCode() == 0,
               QStringLiteral("the program ends with an error"));
        return true;
    }

    // Lists what went wrong, one line each; true when nothing did.
    bool passed() const {
        for (const QString& p : problems_)
            qWarning("%s: %s", qPrintable(name_), qPrintable(p));
        return problems_.isEmpty();
    }

    QString report() const {
        return QStringLiteral("%1 problems on %2, screens in %3").arg(problems_.size()).arg(name_, screenshots_);
    }

private:
    static inline const QString instructionsTitle = QStringLiteral("Instructions to Kestrani 1.01 rus");
    static inline const QString configurationTitle = QStringLiteral("Kestrani 1.01 rus");
    static inline const QString messageTitle = QStringLiteral("Kestrani");

    // Named after the last screen kept, which shows it.
    void problem(const QString& what) {
        problems_.append(QStringLiteral("%1 %2: %3").arg(screenshotCount_, 2, 10, QChar('0')).arg(stage_, what));
    }
    void expect(bool holds, const QString& what) {
        if (!holds)
            problem(what);
    }
    bool stop(const QString& what) {
        problem(what + QStringLiteral(" (the road stops here)"));
        return false;
    }

    // Clicks, then moves the pointer to the bottom-right corner, where
    // weston's pointer picture is off the screen and hovers over nothing.
    void click(QPoint at) {
        desktop_.click(at.x(), at.y());
        xdotool({"mousemove", QString::number(screenRect_.right()), QString::number(screenRect_.bottom())});
    }
    void click(QRect button) { click(button.center()); }

    // Takes screenshots until the screen stands still (the program draws in
    // several strokes) and the condition holds; keeps the last one, also on disk.
    bool waitForScreen(const std::function<bool()>& condition, int milliseconds) {
        QDeadlineTimer deadline(milliseconds);
        bool holds = false;
        do {
            QImage previous = desktop_.screenshot();
            for (int i = 0; i < 50; ++i) {
                QTest::qWait(60);
                screen_ = desktop_.screenshot();
                if (screen_ == previous)
                    break;
                previous = screen_;
            }
            buttons_ = findButtons(screen_);
            holds = condition();
        } while (!holds && !deadline.hasExpired());
        screen_.save(QStringLiteral("%1/%2 %3.png").arg(screenshots_).arg(++screenshotCount_, 2, 10, QChar('0')).arg(stage_));
        return holds;
    }

    // OK (the tallest button) and the eight page buttons beside it, left to right.
    std::optional<std::pair<QRect, QList<QRect>>> instructionsRow() const {
        if (buttons_.isEmpty())
            return {};
        const QRect ok = *std::max_element(buttons_.begin(), buttons_.end(),
                                           [](QRect a, QRect b) { return a.height() < b.height(); });
        QList<QRect> row;
        for (QRect b : buttons_)
            if (b.height() * 2 < ok.height() && b.center().y() >= ok.top() && b.center().y() <= ok.bottom())
                row.append(b);
        if (row.size() != 8)
            return {};
        row.append(ok);
        std::sort(row.begin(), row.end(), [](QRect a, QRect b) { return a.left() < b.left(); });
        return std::pair{ok, row};
    }

    // A framed window wholly on the screen, title bar and borders included;
    // under a window manager it has a title bar.
    void checkFrame(unsigned long window, const QString& what) {
        const QMargins extents = desktop_.frameExtents(window);
        const QRect frame = desktop_.frameGeometry(window);
        expect(screenRect_.contains(frame),
               QStringLiteral("the %1's frame %2 is not wholly on the screen").arg(what, text(frame)));
        expect(!qEnvironmentVariableIsSet("KESTRANI_WINDOW_MANAGER") || extents.top() > 0,
               QStringLiteral("the window manager gives the %1 no title bar").arg(what));
    }

    // On Wayland the title bar is drawn by the program itself above the client
    // area, whose top is worked out from a button's place: it must leave room
    // for a title bar, and something other than the desktop must be drawn there.
    void checkTitleBarAbove(int x, int clientTop, const QString& what) {
        const bool room = clientTop >= 20;
        expect(room && screen_.pixelColor(x, clientTop - 10) != westonBackground,
               QStringLiteral("no title bar above the %1's client area, which starts at y %2").arg(what).arg(clientTop));
    }

    // Points along a field's edges, and one between its centre and its top.
    static QList<QPoint> edgePoints(QRect field) {
        return {field.topLeft(),
                field.topRight(),
                {field.left(), field.center().y()},
                {field.right(), field.center().y()},
                {field.center().x(), field.top() + field.height() / 4},
                {field.center().x(), field.bottom()}};
    }

    // Whether a field shows the colour of its centre at its edges.
    bool showsOneColour(QRect field) const {
        const QColor colour = screen_.pixelColor(field.center());
        const QList<QPoint> points = edgePoints(field);
        return std::all_of(points.begin(), points.end(), [&](QPoint p) { return screen_.pixelColor(p) == colour; });
    }

    // A field shown at its place: one colour to its very edges, and the
    // backdrop just outside the edges that face the backdrop. Gives the colour.
    QColor checkField(QRect field, const QString& what) {
        const QColor colour = screen_.pixelColor(field.center());
        expect(colour != grey, QStringLiteral("the %1 is not shown at %2").arg(what, text(field)));
        QList<QPoint> outside = {{field.right() + 1, field.center().y()}, {field.center().x(), field.bottom() + 1}};
        if (field.left() > 0)
            outside.append({field.left() - 1, field.center().y()});
        QStringList wrong;
        for (QPoint p : edgePoints(field))
            if (screen_.pixelColor(p) != colour)
                wrong.append(QStringLiteral("%1 at %2,%3").arg(text(screen_.pixelColor(p))).arg(p.x()).arg(p.y()));
        for (QPoint p : outside)
            if (screen_.pixelColor(p) != grey)
                wrong.append(QStringLiteral("%1 outside at %2,%3").arg(text(screen_.pixelColor(p))).arg(p.x()).arg(p.y()));
        expect(wrong.isEmpty(), QStringLiteral("the %1 does not fill %2 in its colour %3 with the backdrop round it: %4")
                                    .arg(what, text(field), text(colour), wrong.join(QStringLiteral(", "))));
        return colour;
    }

    // The backdrop's two buttons where the reference phase had them, and no other.
    bool onlyBackdropButtons() const {
        return buttons_.size() == 2 && buttons_.contains(phase_.newExercise) && buttons_.contains(phase_.leave);
    }

    // The prompt: dark letters on the backdrop between the band's buttons.
    void checkPrompt() {
        const QRect area(QPoint(phase_.newExercise.right() + 4, band_.top()),
                         QPoint(phase_.leave.left() - 4, band_.bottom()));
        int letters = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                letters += screen_.pixelColor(x, y).value() < 60;
        expect(letters > 50, QStringLiteral("no prompt on the backdrop in %1").arg(text(area)));
    }

    bool referenceIsShown() {
        // The reference window is silver until the reference is drawn over it.
        auto drawn = [&] {
            const auto phase = referencePhase(buttons_, band_);
            return phase && screen_.pixelColor((phase->change.right() + phase->start.left()) / 2,
                                               phase->start.top() - 10) != silver;
        };
        if (!waitForScreen(drawn, 5000)) {
            if (!referencePhase(buttons_, band_))
                return stop(QStringLiteral("the reference window's and the backdrop's buttons are not all on the screen"));
            problem(QStringLiteral("no reference is drawn on the reference window"));
        }
        phase_ = *referencePhase(buttons_, band_);
        expect(reference_.contains(phase_.change) && reference_.contains(phase_.start),
               QStringLiteral("the reference window's buttons at %1 and %2 lie outside its place %3")
                   .arg(text(phase_.change), text(phase_.start), text(reference_)));
        referenceColour_ = checkField(reference_, QStringLiteral("reference window"));
        for (QPoint corner : {backdrop_.topLeft(), backdrop_.topRight(), backdrop_.bottomLeft(), backdrop_.bottomRight()})
            expect(screen_.pixelColor(corner) == grey,
                   QStringLiteral("no backdrop at its corner %1,%2").arg(corner.x()).arg(corner.y()));
        checkPrompt();
        return true;
    }

    // The next pair of cards: other than the pair before, each of one colour,
    // one of them the reference's. The screen can stand still in the middle of
    // a step (lines drawn over the fields, a field shown before it is painted),
    // so only such a pair ends the wait; without one the checks below tell
    // what the screen shows instead.
    bool cardsAreShown() {
        auto colours = [&] {
            return std::pair(screen_.pixelColor(cards_[0].center()), screen_.pixelColor(cards_[1].center()));
        };
        const auto before = cardColours_;
        auto shown = [&] {
            const auto [left, right] = colours();
            return colours() != before && showsOneColour(cards_[0]) && showsOneColour(cards_[1]) &&
                   (left == referenceColour_) != (right == referenceColour_);
        };
        expect(waitForScreen(shown, 5000), QStringLiteral("no new pair of whole cards, one of them the reference"));
        cardColours_ = colours();
        const QColor left = checkField(cards_[0], QStringLiteral("left card"));
        const QColor right = checkField(cards_[1], QStringLiteral("right card"));
        if ((left == referenceColour_) == (right == referenceColour_))
            return stop(QStringLiteral("not exactly one card shows the reference %1: the cards are %2 and %3")
                            .arg(text(referenceColour_), text(left), text(right)));
        referenceCard_ = left == referenceColour_ ? 0 : 1;
        expect(onlyBackdropButtons(), QStringLiteral("the backdrop's two buttons are not the only ones on the screen"));
        checkPrompt();
        return true;
    }

    // A message box comes out in front with a button of its own; X, where it
    // sees it as a new window of the message's title, gives it the keyboard
    // and shows it wholly on the screen.
    bool messageBoxIsShown(const QList<QRect>& before, const QList<unsigned long>& windowsBefore) {
        auto newButton = [&] {
            return std::any_of(buttons_.begin(), buttons_.end(), [&](QRect b) { return !before.contains(b); });
        };
        if (!waitForScreen(newButton, 5000))
            return stop(QStringLiteral("no message box wholly on the screen"));
        if (!wayland_) {
            unsigned long box = 0;
            const bool seen = QTest::qWaitFor(
                [&] {
                    for (unsigned long window : desktop_.visibleWindows(messageTitle))
                        if (!windowsBefore.contains(window))
                            box = window;
                    return box != 0;
                },
                1000);
            expect(seen, QStringLiteral("X shows no message box"));
            if (box) {
                checkFrame(box, QStringLiteral("message box"));
                expect(desktop_.focusWindow() == box, QStringLiteral("the message box does not have the keyboard focus"));
            }
        }
        return true;
    }

    Desktop desktop_;
    const QString name_;
    const bool wayland_;
    const QString screenshots_;
    const QRect screenRect_ = QGuiApplication::primaryScreen()->geometry();
    const ScreenSize size_{screenRect_.width(), screenRect_.height()};
    const QRect backdrop_ = toRect(backdropGeometry(size_));
    const QRect reference_ = toRect(referenceWindowGeometry(size_));
    const QRect cards_[2] = {toRect(leftCardGeometry(size_)), toRect(rightCardGeometry(size_))};
    // The backdrop below the fields, where its buttons and the prompt stand.
    const QRect band_ = QRect(QPoint(0, reference_.bottom() + 1), backdrop_.bottomRight());

    QString stage_;
    QStringList problems_;
    int screenshotCount_ = 0;
    QImage screen_;
    QList<QRect> buttons_;
    QRect ok_;
    bool instructionsPutAway_ = false;
    QList<QRect> actions_;
    ReferencePhase phase_;
    QColor referenceColour_;
    int referenceCard_ = 0;
    std::pair<QColor, QColor> cardColours_;
};

}  // namespace

class DesktopRoadE2E : public QObject {
    Q_OBJECT
private slots:
    void oneUserGoesTheWholeRoad() {
        Road road(qEnvironmentVariable("KESTRANI_DESKTOP", QStringLiteral("none")));
        const bool whole = road.start() && road.leaveInstructions() && road.startExercise() && road.begin() &&
                           road.answerRight() && road.answerWrong() && road.newExercise() && road.leaveExercise() &&
                           road.startExercise() && road.leaveExercise() && road.finish();
        QVERIFY2(road.passed() && whole, qPrintable(road.report()));
    }
};

QTEST_MAIN(DesktopRoadE2E)
#include "desktop_road_e2e.moc"
