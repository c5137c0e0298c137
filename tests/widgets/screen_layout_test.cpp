// The windows laid out for a 600-pixel-high screen, on screens from 800 × 600
// to 3840 × 2160, 5:4 and portrait included: every control inside its window,
// every window inside the screen, every text inside its box. Screens of 4:3
// and wider keep the layout recorded at 1024 × 768 and 1920 × 1080.
//
// KESTRANI_RECORD_LAYOUT=1 writes the recordings anew instead of comparing.

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTextStream>
#include <QtTest>
#include <map>
#include <memory>

#include "config/configuration_window.h"
#include "fakes/fake_screen.h"
#include "fakes/result_samples.h"
#include "help/instructions_window.h"
#include "results/results_geometry.h"
#include "results/results_window.h"
#include "windows/backdrop_window.h"
#include "windows/reference_window.h"

using namespace kestrani;
using namespace kestrani::fakes;

Q_DECLARE_METATYPE(kestrani::ScreenSize)

namespace {

const HelpPage everyPage[] = {HelpPage::Start,         HelpPage::Instructions, HelpPage::Submodalities,
                              HelpPage::ObjectKinds,   HelpPage::ExerciseKinds, HelpPage::Complications,
                              HelpPage::Durations,     HelpPage::StandardColours, HelpPage::MonitorSettings};

// One window, fitted to a fake screen the way the program shows it.
struct Fitted {
    QString name;
    std::unique_ptr<FakeScreen> screen;
    std::unique_ptr<ExerciseState> state;
    std::unique_ptr<EventLog> log;
    std::unique_ptr<FakeMessageBoxes> messages;
    std::unique_ptr<ExerciseScreen> host;  // of the exercise surfaces; outlives them
    std::unique_ptr<QWidget> window;
};

std::vector<Fitted> fittedWindows(ScreenSize size) {
    std::vector<Fitted> all;
    auto add = [&](QString name) -> Fitted& {
        Fitted& f = all.emplace_back();
        f.name = std::move(name);
        f.screen = std::make_unique<FakeScreen>(size);
        return f;
    };

    Fitted& configuration = add("TKestrani");
    configuration.state = std::make_unique<ExerciseState>();
    configuration.log = std::make_unique<EventLog>();
    configuration.messages = std::make_unique<FakeMessageBoxes>(*configuration.log);
    configuration.window =
        std::make_unique<TKestrani>(*configuration.screen, *configuration.state, *configuration.messages);
    configuration.window->show();

    for (HelpPage page : everyPage) {
        Fitted& help = add(QStringLiteral("TForm5/%1").arg(int(page)));
        auto form = std::make_unique<TForm5>(*help.screen);
        form->show();
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get()))
            qWarning("the instructions window did not become active");
        if (page != HelpPage::Start)
            form->openPage(page);
        help.window = std::move(form);
    }

    // The backdrop with its longest prompt lines.
    Fitted& backdrop = add("TForm3");
    backdrop.host = std::make_unique<ExerciseScreen>();
    auto form3 = std::make_unique<TForm3>(*backdrop.screen, *backdrop.host);
    form3->show();
    form3->setUpperPrompt("Выберите и запомните эталон. Стандартные цвета не меняются!");
    form3->setLowerPrompt("Если отличается, то нажмите на внешний фон, если нет - на объект");
    backdrop.window = std::move(form3);

    Fitted& reference = add("TSubmCheck");
    reference.host = std::make_unique<ExerciseScreen>();
    auto submCheck = std::make_unique<TSubmCheck>(*reference.screen, *reference.host);
    submCheck->show();
    reference.window = std::move(submCheck);
    return all;
}

QString textOf(const QWidget* widget) {
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    return {};
}

// A control's name in its window: its object name, else its text, else its
// class and its place among its siblings of that class.
QString pathOf(const QWidget* widget, const QWidget* window) {
    QStringList parts;
    for (const QWidget* w = widget; w != window; w = w->parentWidget()) {
        QString part = w->objectName();
        if (part.isEmpty())
            part = textOf(w);
        if (part.isEmpty()) {
            int index = 0;
            for (const QObject* sibling : w->parent()->children()) {
                if (sibling == w)
                    break;
                index += sibling->metaObject() == w->metaObject();
            }
            part = QStringLiteral("%1#%2").arg(w->metaObject()->className()).arg(index);
        }
        parts.prepend(part);
    }
    return parts.join('/');
}

struct Placed {
    QRect geometry;
    int fontPixels;
};

using Layout = std::map<QString, Placed>;

Layout layoutOf(const std::vector<Fitted>& windows) {
    Layout layout;
    for (const Fitted& f : windows) {
        layout[f.name] = {f.window->geometry(), f.window->font().pixelSize()};
        for (const QWidget* child : f.window->findChildren<QWidget*>())
            layout[f.name + '/' + pathOf(child, f.window.get())] = {child->geometry(), child->font().pixelSize()};
    }
    return layout;
}

QString recordingPath(ScreenSize size) {
    return QStringLiteral(KESTRANI_TESTS_DIR "/widgets/layout/%1x%2.txt").arg(size.width).arg(size.height);
}

void record(const Layout& layout, const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text));
    QTextStream out(&file);
    for (const auto& [key, placed] : layout) {
        const QRect& g = placed.geometry;
        out << key << '\t' << g.x() << ' ' << g.y() << ' ' << g.width() << ' ' << g.height() << ' '
            << placed.fontPixels << '\n';
    }
}

Layout recorded(const QString& path) {
    Layout layout;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return layout;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList fields = in.readLine().split('\t');
        if (fields.size() != 2)
            continue;
        const QStringList n = fields[1].split(' ');
        layout[fields[0]] = {QRect(n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt()), n[4].toInt()};
    }
    return layout;
}

// The part of a control its text has to fit in, or an empty rectangle for a
// control without text.
QRect textRoom(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text().isEmpty() ? QRect() : label->contentsRect();
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if (!button || button->text().isEmpty())
        return {};
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox*>(button))
        contents = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<QRadioButton*>(button))
        contents = QStyle::SE_RadioButtonContents;
    return button->style()->subElementRect(contents, &option, button);
}

// Every visible control and label of the window lies inside it, and every
// text fits its box (measured with the font's metrics).
void checkContents(QWidget& window, const QString& name) {
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (!child->isVisibleTo(&window))
            continue;
        const QString where = name + '/' + pathOf(child, &window);
        // A label that wraps its text needs the height its lines take.
        if (auto* label = qobject_cast<QLabel*>(child); label && label->wordWrap()) {
            QVERIFY2(window.rect().contains(QRect(child->mapTo(&window, QPoint(0, 0)), child->size())),
                     qPrintable(where + " lies inside its window"));
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                     qPrintable(QStringLiteral("%1: %2 px of lines in %3").arg(where).arg(label->heightForWidth(label->width())).arg(label->height())));
            continue;
        }
        const QRect room = textRoom(child);
        const QFontMetrics metrics(child->font());
        const int textWidth = metrics.horizontalAdvance(textOf(child));
        // A label shows its text at its left; Label7's fixed box runs past
        // the window's right edge by design, its text does not.
        QRect box(child->mapTo(&window, QPoint(0, 0)), child->size());
        if (qobject_cast<QLabel*>(child) && !room.isNull())
            box.setWidth(room.left() + textWidth);
        QVERIFY2(window.rect().contains(box), qPrintable(QStringLiteral("%1 lies inside its window: %2, %3, %4 × %5 in %6 × %7")
                                                             .arg(where)
                                                             .arg(box.x())
                                                             .arg(box.y())
                                                             .arg(box.width())
                                                             .arg(box.height())
                                                             .arg(window.width())
                                                             .arg(window.height())));
        if (room.isNull())
            continue;
        QVERIFY2(textWidth <= room.width() && metrics.height() <= room.height(),
                 qPrintable(QStringLiteral("%1: text of %2 × %3 px in %4 × %5")
                                .arg(where)
                                .arg(textWidth)
                                .arg(metrics.height())
                                .arg(room.width())
                                .arg(room.height())));
    }
}

}  // namespace

class ScreenLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void everyWindowFitsEveryScreen_data() {
        QTest::addColumn<ScreenSize>("screen");
        const ScreenSize screens[] = {{800, 600},   {1024, 768},  {1280, 1024}, {1366, 768},
                                      {1440, 900},  {1600, 900},  {1920, 1080}, {1920, 1200},
                                      {2560, 1440}, {3840, 2160}, {1080, 1920}};
        for (ScreenSize s : screens)
            QTest::addRow("%d × %d", s.width, s.height) << s;
    }
    void everyWindowFitsEveryScreen() {
        QFETCH(ScreenSize, screen);
        const QRect screenRect(0, 0, screen.width, screen.height);
        for (const Fitted& f : fittedWindows(screen)) {
            QWidget& window = *f.window;
            if (auto* form = dynamic_cast<TForm5*>(&window)) {
                // The lime lines follow their text at the scaled font size,
                // which fits the window on every screen.
                for (auto [label, designPixels] : {std::pair{form->Label34, 15}, std::pair{form->Label35, 19}}) {
                    QCOMPARE(label->font().pixelSize(), scaleFontPixelHeight(designPixels, designScale(screen)));
                    QCOMPARE(label->size(), label->sizeHint());
                }
            }
            QVERIFY2(screenRect.contains(window.frameGeometry()), qPrintable(f.name + " lies on the screen"));
            checkContents(window, f.name);
            // The backdrop's prompts and buttons stand in its band below the
            // fields, not under them.
            if (f.name == "TForm3")
                for (QWidget* child : window.findChildren<QWidget*>())
                    QVERIFY2(child->y() >= objectFieldGeometry(screen).height,
                             qPrintable(pathOf(child, &window) + " lies below the fields"));
        }
    }

    // The results window at its size for the screen: every control, label and
    // tab title inside it, on every tab, empty and with results to show.
    void theResultsWindowKeepsEverythingInside_data() {
        QTest::addColumn<ScreenSize>("screen");
        QTest::addColumn<bool>("played");
        for (ScreenSize s : {ScreenSize{800, 600}, ScreenSize{1024, 768}, ScreenSize{1920, 1080}, ScreenSize{768, 1024}})
            for (bool played : {false, true})
                QTest::addRow("%d × %d, %s", s.width, s.height, played ? "played" : "empty") << s << played;
    }
    void theResultsWindowKeepsEverythingInside() {
        QFETCH(ScreenSize, screen);
        QFETCH(bool, played);
        QTemporaryDir folder;
        ResultHistory history(QDir(folder.path()).filePath("results.sqlite").toStdString(), false);
        if (played) {
            for (int n = 0; n < 30; ++n)
                history.resultRecorded(sampleResult(n));
            for (const AnswerRecord& a : playedAnswers(4, 30))
                history.answerRecorded(a);
        }
        ResultsWindow window(history);
        window.open();
        QCoreApplication::processEvents();
        const WindowRect g = resultsWindowGeometry({0, 0, screen.width, screen.height});
        window.resize(g.width, g.height);
        for (int tab = 0; tab < window.tabs->count(); ++tab) {
            window.tabs->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            checkContents(window, QStringLiteral("results, tab %1").arg(tab));
            // Empty, the tab says what will appear there.
            if (tab == 0)
                QCOMPARE(window.noExercises->isVisibleTo(&window), !played);
        }
    }

    // Where the desktop gives a framed window less client area than was
    // asked for (a tall title bar, a panel), its contents scale down to fit;
    // given its size back, they return to exactly their first fit.
    void framedWindowsScaleToTheClientAreaGiven() {
        for (Fitted& f : fittedWindows({1024, 768})) {
            QWidget& window = *f.window;
            if (f.name != "TKestrani" && f.name != "TForm5/0")
                continue;
            const QSize asked = window.size();
            QList<QRect> fitted;
            for (QWidget* child : window.findChildren<QWidget*>())
                fitted << child->geometry();
            window.resize(asked.width() - 1, asked.height() - 45);
            checkContents(window, f.name + " under a tall title bar");
            window.resize(asked);
            QList<QRect> again;
            for (QWidget* child : window.findChildren<QWidget*>())
                again << child->geometry();
            QCOMPARE(again, fitted);
        }
    }

    // The prompt lines are written in the system's text colour where it reads
    // on the grey backdrop: black on a light theme, white on a dark one.
    void backdropPromptsInTheSystemTextColour_data() {
        QTest::addColumn<QColor>("system");
        QTest::addColumn<QColor>("written");
        QTest::newRow("light theme") << QColor(Qt::black) << QColor(Qt::black);
        QTest::newRow("dark theme") << QColor(Qt::white) << QColor(Qt::white);
        QTest::newRow("faint grey text") << QColor(190, 190, 190) << QColor(Qt::black);
    }
    void backdropPromptsInTheSystemTextColour() {
        QFETCH(QColor, system);
        QFETCH(QColor, written);
        const QPalette before = QApplication::palette();
        QPalette theme = before;
        theme.setColor(QPalette::WindowText, system);
        QApplication::setPalette(theme);
        FakeScreen screen({1024, 768});
        ExerciseScreen host;
        TForm3 backdrop(screen, host);
        QApplication::setPalette(before);
        backdrop.show();
        const QImage prompt = backdrop.Label1->grab().toImage();
        int inWritten = 0;
        for (int y = 0; y < prompt.height(); ++y)
            for (int x = 0; x < prompt.width(); ++x)
                inWritten += prompt.pixelColor(x, y) == written;
        QVERIFY2(inWritten > 50, "the strokes of the letters are in the colour");
    }

    void wideScreensKeepTheRecordedLayout_data() {
        QTest::addColumn<ScreenSize>("screen");
        QTest::newRow("1024 × 768") << ScreenSize{1024, 768};
        QTest::newRow("1920 × 1080") << ScreenSize{1920, 1080};
    }
    void wideScreensKeepTheRecordedLayout() {
        QFETCH(ScreenSize, screen);
        const std::vector<Fitted> windows = fittedWindows(screen);
        const Layout now = layoutOf(windows);
        if (qEnvironmentVariableIsSet("KESTRANI_RECORD_LAYOUT")) {
            record(now, recordingPath(screen));
            QSKIP("recorded");
        }
        const Layout before = recorded(recordingPath(screen));
        QVERIFY2(before.size() > 100, "the recording is there");
        for (const auto& [key, was] : before) {
            const auto found = now.find(key);
            QVERIFY2(found != now.end(), qPrintable(key + " is still there"));
            const Placed& is = found->second;
            QVERIFY2(is.geometry.topLeft() == was.geometry.topLeft(), qPrintable(key + " stays in place"));
            const Fitted* window = nullptr;
            QWidget* widget = nullptr;
            for (const Fitted& f : windows)
                if (key.startsWith(f.name + '/'))
                    for (QWidget* child : f.window->findChildren<QWidget*>())
                        if (f.name + '/' + pathOf(child, f.window.get()) == key)
                            window = &f, widget = child;
            auto* label = qobject_cast<QLabel*>(widget);
            // Only a text that ran past its window's right edge gets a smaller font.
            const bool wasCut = label && was.geometry.right() >= before.at(window->name).geometry.width();
            QVERIFY2(is.fontPixels == was.fontPixels || (wasCut && is.fontPixels < was.fontPixels),
                     qPrintable(key + " keeps its font size"));
            // Only a label re-fitted to its text may change its size.
            QVERIFY2(is.geometry.size() == was.geometry.size() || (label && is.geometry.size() == label->sizeHint()),
                     qPrintable(key + " keeps its size"));
        }
    }
};

QTEST_MAIN(ScreenLayoutTest)
#include "screen_layout_test.moc"
