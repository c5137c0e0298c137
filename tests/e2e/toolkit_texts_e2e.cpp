// The real program in a real X server: the toolkit's own dialogs and menus
// speak Russian. Read from the screen: a text is there when its rendering in
// the toolkit's font is found on the screenshot, and the English text the
// toolkit writes without its translations is not.

#include <QLibraryInfo>
#include <QTranslator>
#include <QtTest>

#include "e2e/desktop.h"

using namespace kestrani::e2e;

namespace {

const QString configurationTitle = QStringLiteral("Kestrani 1.01 rus");
const QString instructionsTitle = QStringLiteral("Instructions to Kestrani 1.01 rus");
const QString resultsTitle = QStringLiteral("Результаты — Kestrani");
const QString csvDialogTitle = QStringLiteral("Сохранить упражнения в CSV");

// On the configuration window fitted to 1024 × 768 (design places × 1.28):
// "Показ эталона" in "Длительность фаз упражнения", its field beside it, and
// "Результаты".
const QPoint referenceLimitBox(541, 422), referenceLimitField(700, 422), resultsButton(106, 589);

struct ToolkitText {
    const char* context;
    const char* english;
};

// The toolkit's words with the shortcut marks taken out.
QString shown(const QString& text) { return QString(text).remove('&'); }

class Program {
public:
    bool start() {
        if (!desktop.startProgram() || !desktop.waitForWindow(configurationTitle))
            return false;
        desktop.closeWindow(desktop.waitForWindow(instructionsTitle));
        return QTest::qWaitFor([&] { return !desktop.windowVisible(instructionsTitle); }, 5000);
    }

    // Every text is on the screen in Russian and none in English.
    void expectRussian(const QList<ToolkitText>& texts, const QString& picture) {
        const QImage screen = desktop.settledScreenshot();
        screen.save(picture);
        QTranslator russian;
        QVERIFY(russian.load(QLocale(QLocale::Russian, QLocale::Russia), "qtbase", "_",
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        for (const ToolkitText& text : texts) {
            const QString translated = russian.translate(text.context, text.english);
            QVERIFY2(!translated.isEmpty(), text.english);
            QVERIFY2(!findText(screen, shown(translated), toolkitFont()).isEmpty(),
                     qPrintable(shown(translated) + " is on " + picture));
            QVERIFY2(findText(screen, shown(text.english), toolkitFont()).isEmpty(),
                     qPrintable(shown(text.english) + " is not on " + picture));
        }
    }

    Desktop desktop;
};

}  // namespace

class ToolkitTextsE2E : public QObject {
    Q_OBJECT
private slots:
    void anEditFieldsMenuIsRussian() {
        Program p;
        QVERIFY(p.start());
        // The limit ticked takes the keyboard; with a number in the field and
        // part of it selected, every entry but "Redo" and "Paste" is enabled
        // and written dark.
        p.desktop.click(referenceLimitBox.x(), referenceLimitBox.y());
        QTest::qWait(300);
        p.desktop.pressKey("1");
        p.desktop.pressKey("2");
        p.desktop.pressKey("shift+Left");
        p.desktop.click(referenceLimitField.x(), referenceLimitField.y(), 3);
        QTest::qWait(300);
        p.expectRussian({{"QLineEdit", "&Undo"}, {"QLineEdit", "Cu&t"}, {"QLineEdit", "&Copy"},
                         {"QLineEdit", "Delete"}, {"QLineEdit", "Select All"}},
                        "edit_field_menu.png");
        p.desktop.pressKey("Escape");
    }

    void theCsvFileDialogIsRussian() {
        Program p;
        QVERIFY(p.start());
        p.desktop.click(resultsButton.x(), resultsButton.y());
        const unsigned long results = p.desktop.waitForWindow(resultsTitle);
        QVERIFY(results != 0);
        const QImage resultsWindow = p.desktop.settledScreenshot();
        resultsWindow.save("results_window_with_csv_button.png");
        const QList<QRect> save =
            findText(resultsWindow, QStringLiteral("Сохранить в CSV…"), toolkitFont(), p.desktop.windowGeometry(results));
        QCOMPARE(save.size(), 1);
        p.desktop.click(save.front().center().x(), save.front().center().y());
        // The button offers the exercises or the answers: the first, from the keyboard.
        QTest::qWait(300);
        p.desktop.settledScreenshot().save("csv_menu.png");
        p.desktop.pressKey("Down");
        p.desktop.pressKey("Return");
        const unsigned long dialog = p.desktop.waitForWindow(csvDialogTitle);
        QVERIFY(dialog != 0);
        p.expectRussian({{"QFileDialog", "Look in:"}, {"QFileDialog", "File &name:"},
                         {"QFileDialog", "Files of type:"}, {"QFileDialog", "&Save"}, {"QPlatformTheme", "Cancel"}},
                        "csv_dialog.png");
        p.desktop.pressKey("Escape");
        QTRY_VERIFY_WITH_TIMEOUT(!p.desktop.windowVisible(csvDialogTitle), 3000);
    }
};

QTEST_MAIN(ToolkitTextsE2E)
#include "toolkit_texts_e2e.moc"
