// TForm5: its start page, the page buttons, the monitor page's strips and
// resolution line, scaling on activation and "OK".

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "app/window_set.h"
#include "fakes/fake_screen.h"
#include "help/help_pages.h"
#include "help/instructions_window.h"

using namespace kestrani;
using namespace kestrani::fakes;

Q_DECLARE_METATYPE(kestrani::HelpPage)

namespace {

QString text(const TForm5& form, TextSlot slot) { return form.textSlot(slot)->text(); }

// The texts on screen, in slot order.
QStringList shownTexts(const TForm5& form) {
    QStringList texts;
    for (int i = 0; i < textSlotCount; ++i)
        texts << text(form, static_cast<TextSlot>(i));
    return texts;
}

QStringList pageTexts(HelpPage page, ScreenSize screen) {
    QStringList texts;
    for (const std::string& t : helpPageContent(page, screen).texts)
        texts << QString::fromStdString(t);
    return texts;
}

bool stripsShown(const TForm5& form) {
    return form.Image1->isVisible() && form.Image2->isVisible() && form.Image3->isVisible();
}

bool stripsHidden(const TForm5& form) {
    return !form.Image1->isVisible() && !form.Image2->isVisible() && !form.Image3->isVisible();
}

// Makes another window active, then the form again, so that it is activated anew.
void reactivate(TForm5& form) {
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

void showActive(TForm5& form) {
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

const QString resolutionPrefix = "достаточно, хотя желательно 600 на 800 и выше. Разрешение Вашего монитора: ";

}  // namespace

class InstructionsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void createdWithTheStartPageAndItsFixedElements() {
        FakeScreen screen({1024, 768});
        TForm5 form(screen);
        QCOMPARE(form.windowTitle(), QString("Instructions to Kestrani 1.01 rus"));
        QCOMPARE(text(form, TextSlot::Label8),
                 QString("Интерфейс программы содержит набор кнопок и полей, объединенных в 5 окнах и набор "
                         "дополнительных кнопок."));
        QCOMPARE(shownTexts(form), pageTexts(HelpPage::Start, screen.size));
        QVERIFY(stripsHidden(form));
        QVERIFY(form.textSlot(TextSlot::Label12)->isHidden());
        QCOMPARE(form.Label35->text(), QString("Kestrani 1.01"));
        QCOMPARE(form.Label34->text(), QString("УСПЕШНОЙ КАЛИБРОВКИ В УПРАЖНЕНИЯХ И В РЕАЛЬНОЙ ЖИЗНИ!"));
        QCOMPARE(form.Image5->toolTip(), QString("Официальный портрет автора"));
        QCOMPARE(form.Image6->toolTip(), QString("Автор на новогоднем карнавале НЛПеров 1998/1999. Похож?"));
        QCOMPARE(form.textSlot(TextSlot::Label7)->geometry(), QRect(118, 108, 680, 21));
        QCOMPARE(form.textSlot(TextSlot::Label7)->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QVERIFY(!form.textSlot(TextSlot::Label22)->autoFillBackground());
        QVERIFY(form.textSlot(TextSlot::Label21)->autoFillBackground());
    }

    void eachPageButtonOpensItsPage_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<HelpPage>("page");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Button2") << 2 << HelpPage::ExerciseKinds << "Help";
        QTest::newRow("Button3") << 3 << HelpPage::MonitorSettings << "Monitor settings";
        QTest::newRow("Button4") << 4 << HelpPage::Submodalities << "Help";
        QTest::newRow("Button5") << 5 << HelpPage::ObjectKinds << "Help";
        QTest::newRow("Button6") << 6 << HelpPage::Complications << "Help";
        QTest::newRow("Button7") << 7 << HelpPage::StandardColours << "Help";
        QTest::newRow("Button8") << 8 << HelpPage::Durations << "Help";
        QTest::newRow("Button9") << 9 << HelpPage::Instructions << "Help";
    }

    void eachPageButtonOpensItsPage() {
        QFETCH(int, button);
        QFETCH(HelpPage, page);
        QFETCH(QString, caption);
        FakeScreen screen({1024, 768});
        TForm5 form(screen);
        showActive(form);
        QPushButton* buttons[] = {form.Button2, form.Button3, form.Button4, form.Button5,
                                  form.Button6, form.Button7, form.Button8, form.Button9};
        QTest::mouseClick(buttons[button - 2], Qt::LeftButton);
        QCOMPARE(form.windowTitle(), caption);
        QCOMPARE(shownTexts(form), pageTexts(page, screen.size));
        QCOMPARE(stripsShown(form), page == HelpPage::MonitorSettings);
        // The fixed elements look the same on every page.
        for (QWidget* fixed : std::initializer_list<QWidget*>{form.Label34, form.Label35, form.Image5, form.Image6})
            QVERIFY(fixed->isVisible());
        for (QPushButton* b : buttons)
            QVERIFY(b->isVisible());
        QCOMPARE(form.Label35->text(), QString("Kestrani 1.01"));
        // Opening the page on display again changes nothing.
        QTest::mouseClick(buttons[button - 2], Qt::LeftButton);
        QCOMPARE(shownTexts(form), pageTexts(page, screen.size));
        QCOMPARE(form.windowTitle(), caption);
    }

    void openingAnyPageWhileHiddenShowsTheWindowAgain_data() {
        QTest::addColumn<HelpPage>("page");
        for (HelpPage page : {HelpPage::Instructions, HelpPage::Submodalities, HelpPage::ObjectKinds,
                              HelpPage::ExerciseKinds, HelpPage::Complications, HelpPage::Durations,
                              HelpPage::StandardColours, HelpPage::MonitorSettings})
            QTest::newRow(qPrintable(QString::number(static_cast<int>(page)))) << page;
    }

    void openingAnyPageWhileHiddenShowsTheWindowAgain() {
        QFETCH(HelpPage, page);
        FakeScreen screen({1024, 768});
        TForm5 form(screen);
        showActive(form);
        form.close();
        QVERIFY(!form.isVisible());
        form.openPage(page);
        QVERIFY(form.isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.windowTitle().toStdString(), helpPageContent(page, screen.size).caption);
        QCOMPARE(shownTexts(form), pageTexts(page, screen.size));
    }

    void openingAPageWhileMinimizedRestoresTheWindow() {
        FakeScreen screen({1024, 768});
        TForm5 form(screen);
        showActive(form);
        form.showMinimized();
        QVERIFY(form.isMinimized());
        form.openPage(HelpPage::Durations);
        QVERIFY(form.isVisible());
        QVERIFY(!form.isMinimized());
        QCOMPARE(form.windowTitle(), QString("Help"));
    }

    void anotherPageAfterTheMonitorPageHidesTheStripsAndEmptiesLabel12() {
        FakeScreen screen({1024, 768});
        TForm5 form(screen);
        for (HelpPage other : {HelpPage::Instructions, HelpPage::Submodalities, HelpPage::ObjectKinds,
                               HelpPage::ExerciseKinds, HelpPage::Complications, HelpPage::Durations,
                               HelpPage::StandardColours}) {
            form.openPage(HelpPage::MonitorSettings);
            QVERIFY(stripsShown(form));
            QVERIFY(form.textSlot(TextSlot::Label12)->isVisible());
            QCOMPARE(text(form, TextSlot::Label12),
                     QString("Если Вы видите плавный переход цветов от красного к красному, а не это"));
            QCOMPARE(text(form, TextSlot::Label13), QString("и не это"));
            form.openPage(other);
            QVERIFY(stripsHidden(form));
            QVERIFY(text(form, TextSlot::Label12).isEmpty());
            QVERIFY(!form.textSlot(TextSlot::Label12)->isVisible());
            QVERIFY(text(form, TextSlot::Label13).isEmpty());
            QCOMPARE(form.windowTitle(), QString("Help"));
        }
    }

    void resolutionLineIsBuiltFromTheScreenSizeEachTimeThePageOpens() {
        FakeScreen screen({800, 600});
        TForm5 form(screen);
        QTest::mouseClick(form.Button3, Qt::LeftButton);
        QCOMPARE(text(form, TextSlot::Label26), resolutionPrefix + "600 на 800 точек");
        QTest::mouseClick(form.Button3, Qt::LeftButton);
        QCOMPARE(text(form, TextSlot::Label26), resolutionPrefix + "600 на 800 точек");
        screen.size = {1024, 768};
        QTest::mouseClick(form.Button3, Qt::LeftButton);
        QCOMPARE(text(form, TextSlot::Label26), resolutionPrefix + "768 на 1024 точек");
        QVERIFY(form.textSlot(TextSlot::Label26)->width() > form.textSlot(TextSlot::Label29)->width());
    }

    void firstActivationFitsTheWindowToTheScreen() {
        FakeScreen screen({1024, 768});
        TForm5 form(screen);
        showActive(form);
        QCOMPARE(form.frameGeometry(), QRect(0, 0, 1023, 737));
        QCOMPARE(form.textSlot(TextSlot::Label1)->font().pixelSize(), 24);  // 14 pt × 1.28 = 18 pt
        QCOMPARE(form.textSlot(TextSlot::Label9)->font().pixelSize(), 19);  // 11 pt × 1.28 = 14 pt
        QCOMPARE(form.textSlot(TextSlot::Label9)->pos(), QPoint(160, 51));  // 125, 40 × 1.28
        // Edges 362, 504, 437, 545 × 1.28 = 463.36, 645.12, 559.36, 697.6.
        QCOMPARE(form.Button1->geometry(), QRect(463, 645, 96, 53));
        QCOMPARE(form.textSlot(TextSlot::Label7)->geometry(), QRect(151, 138, 870, 27));
    }

    void secondActivationChangesNothing() {
        FakeScreen screen({1024, 768});
        TForm5 form(screen);
        showActive(form);
        const QRect button = form.Button1->geometry();
        form.move(40, 30);
        reactivate(form);
        QCOMPARE(form.frameGeometry(), QRect(40, 30, 1023, 737));
        QCOMPARE(form.Button1->geometry(), button);
        QCOMPARE(form.textSlot(TextSlot::Label1)->font().pixelSize(), 24);
        QCOMPARE(form.Button1->font().pixelSize(), 31);  // 18 pt × 1.28 = 23 pt
    }

    void refittingAfterTheUserNarrowedTheWindowDoesNotScaleTwice() {
        FakeScreen screen({1024, 768});
        TForm5 form(screen);
        showActive(form);
        form.resize(700, 500);
        reactivate(form);
        QCOMPARE(form.frameGeometry(), QRect(0, 0, 1023, 737));
        QCOMPARE(form.Button1->geometry(), QRect(463, 645, 96, 53));
        QCOMPARE(form.textSlot(TextSlot::Label1)->font().pixelSize(), 24);
        QCOMPARE(form.font().pixelSize(), 24);
    }

    void designScreenKeepsTheDesignLayout() {
        FakeScreen screen({800, 600});
        TForm5 form(screen);
        showActive(form);
        QCOMPARE(form.frameGeometry(), QRect(0, 0, 799, 576));
        QCOMPARE(form.Button1->geometry(), QRect(362, 504, 75, 41));
        QCOMPARE(form.Button8->geometry(), QRect(450, 528, 167, 17));
        QCOMPARE(form.textSlot(TextSlot::Label7)->geometry(), QRect(118, 108, 680, 21));
        QCOMPARE(form.textSlot(TextSlot::Label3)->pos(), QPoint(14, 464));
        QCOMPARE(form.textSlot(TextSlot::Label1)->font().pixelSize(), 19);
    }

    void picturesKeepTheirPixelSizeInScaledFrames() {
        FakeScreen screen({1024, 768});
        TForm5 form(screen);
        showActive(form);
        form.openPage(HelpPage::MonitorSettings);
        QCOMPARE(form.Image1->geometry(), QRect(293, 205, 631, 52));
        QCOMPARE(form.Image1->pixmap().size(), QSize(360, 36));
        QCOMPARE(form.Image2->pixmap().size(), QSize(360, 35));
        QCOMPARE(form.Image3->pixmap().size(), QSize(360, 36));
        QCOMPARE(form.Image5->pixmap().size(), QSize(90, 98));
        QCOMPARE(form.Image6->pixmap().size(), QSize(91, 95));
        QVERIFY(form.Image5->width() > 90);

        const QImage shot = form.grab().toImage();
        const QPoint strip = form.Image1->pos();
        QCOMPARE(shot.pixelColor(strip + QPoint(0, 10)), QColor(253, 0, 0));
        QCOMPARE(shot.pixelColor(strip + QPoint(120, 10)), QColor(0, 0, 253));
        QCOMPARE(shot.pixelColor(strip + QPoint(359, 35)), QColor(253, 4, 0));
        QCOMPARE(shot.pixelColor(strip + QPoint(365, 10)), QColor(128, 128, 128));  // not stretched
        QCOMPARE(shot.pixelColor(strip + QPoint(10, 40)), QColor(128, 128, 128));
        const QPoint bands = form.Image3->pos();
        QCOMPARE(shot.pixelColor(bands + QPoint(190, 5)), QColor(0, 253, 213));
        QCOMPARE(shot.pixelColor(form.Image5->pos() + QPoint(100, 20)), QColor(128, 128, 128));
    }

    void okBringsTheConfigurationWindowForwardAndHidesTheInstructions() {
        FakeScreen screen({1024, 768});
        WindowSet set(&screen);
        QVERIFY(QTest::qWaitForWindowActive(&set.form5()));
        QTest::mouseClick(set.form5().Button1, Qt::LeftButton);
        QVERIFY(!set.form5().isVisible());
        QVERIFY(set.kestrani().isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&set.kestrani()));
    }

    void escapePutsTheWindowAwayAsOkDoes() {
        FakeScreen screen({1024, 768});
        WindowSet set(&screen);
        QVERIFY(QTest::qWaitForWindowActive(&set.form5()));
        QTest::keyClick(&set.form5(), Qt::Key_Escape);
        QVERIFY(!set.form5().isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&set.kestrani()));
        set.kestrani().Button3->click();  // "Инструкции"
        QVERIFY(QTest::qWaitForWindowActive(&set.form5()));
        QTest::keyClick(set.form5().Button4, Qt::Key_Escape);  // from a page button
        QVERIFY(!set.form5().isVisible());
    }

    // The keyboard starts on "OK", Return presses the focused button, and Tab
    // reads the two rows of buttons left to right.
    void keyboardOnTheButtons() {
        FakeScreen screen({1024, 768});
        TForm5 form(screen);
        showActive(form);
        QCOMPARE(QApplication::focusWidget(), form.Button1);
        const QList<QPushButton*> rows{form.Button2, form.Button4, form.Button1, form.Button6, form.Button9,
                                       form.Button3, form.Button5, form.Button8, form.Button7};
        form.Button2->setFocus();
        for (QPushButton* expected : rows) {
            QCOMPARE(QApplication::focusWidget(), expected);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), form.Button2);  // round again
        QTest::keyClick(form.Button3, Qt::Key_Return);  // "Настройка монитора"
        QVERIFY(stripsShown(form));
        QTest::keyClick(form.Button9, Qt::Key_Return);  // "ИНСТРУКЦИИ"
        QCOMPARE(form.windowTitle(), QString("Help"));
    }

    void okRestoresAMinimizedConfigurationWindow() {
        FakeScreen screen({1024, 768});
        WindowSet set(&screen);
        set.kestrani().showMinimized();
        QTest::mouseClick(set.form5().Button1, Qt::LeftButton);
        QVERIFY(!set.form5().isVisible());
        QVERIFY(set.kestrani().isVisible());
        QVERIFY(!set.kestrani().isMinimized());
    }

    void configurationWindowAndPageButtonGiveTheSamePage() {
        FakeScreen screen({1024, 768});
        WindowSet set(&screen);
        QTest::mouseClick(set.form5().Button9, Qt::LeftButton);
        const QStringList fromOwnButton = shownTexts(set.form5());
        set.form5().close();
        QTest::mouseClick(set.kestrani().Button3, Qt::LeftButton);
        QVERIFY(set.form5().isVisible());
        QCOMPARE(set.form5().windowTitle(), QString("Help"));
        QCOMPARE(shownTexts(set.form5()), fromOwnButton);
        QCOMPARE(fromOwnButton, pageTexts(HelpPage::Instructions, screen.size));
    }
};

QTEST_MAIN(InstructionsWindowTest)
#include "instructions_window_test.moc"
