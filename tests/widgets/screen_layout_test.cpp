// The windows laid out for a 600-pixel-high screen, on screens from 800 × 600
// to 3840 × 2160, 5:4 and portrait included: every control inside its window,
// every window inside the screen, every text inside its box. Screens of 4:3
// and wider keep the layout recorded at 1024 × 768 and 1920 × 1080.
//
// KESTRANI_RECORD_LAYOUT=1 writes the recordings anew instead of comparing.

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTextStream>
#include <QtTest>
#include <map>
#include <memory>

#include "config/configuration_window.h"
#include "fakes/fake_screen.h"
#include "help/instructions_window.h"
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
    auto form3 = std::make_unique<TForm3>(*backdrop.screen);
    form3->show();
    form3->setUpperPrompt("Выберите и запомните эталон. Стандартные цвета не меняются!");
    form3->setLowerPrompt("Если отличается, то нажмите на внешний фон, если нет - на объект");
    backdrop.window = std::move(form3);

    Fitted& reference = add("TSubmCheck");
    auto submCheck = std::make_unique<TSubmCheck>(*reference.screen);
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

}  // namespace

class ScreenLayoutTest : public QObject {
    Q_OBJECT
private slots:
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
            QVERIFY2(is.fontPixels == was.fontPixels, qPrintable(key + " keeps its font size"));
            if (is.geometry.size() != was.geometry.size()) {
                // Only a label re-fitted to its text may change its size.
                QWidget* widget = nullptr;
                for (const Fitted& f : windows)
                    if (key.startsWith(f.name + '/'))
                        for (QWidget* child : f.window->findChildren<QWidget*>())
                            if (f.name + '/' + pathOf(child, f.window.get()) == key)
                                widget = child;
                auto* label = qobject_cast<QLabel*>(widget);
                QVERIFY2(label && is.geometry.size() == label->sizeHint(), qPrintable(key + " keeps its size"));
            }
        }
    }
};

QTEST_MAIN(ScreenLayoutTest)
#include "screen_layout_test.moc"
