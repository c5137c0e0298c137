// The configuration window: its fit to the screen, and the real controls
// going through the settings rules.

#include <QCheckBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QToolButton>
#include <QtTest>

#include "app/window_set.h"
#include "config/configuration_controls.h"
#include "fakes/fake_screen.h"

using namespace kestrani;
using namespace kestrani::fakes;

namespace {

// A mouse click on the box's indicator, as the user makes it.
void clickBox(QCheckBox* box) {
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, {}, indicator.center());
}

// A window that records when it is closed.
class RecordingWindow : public QWidget {
public:
    RecordingWindow(std::string name, EventLog& log, QWidget& main) : name_(std::move(name)), log_(log), main_(main) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        log_.push_back(name_ + (main_.isVisible() ? ":close before TKestrani" : ":close"));
        QWidget::closeEvent(event);
    }

private:
    std::string name_;
    EventLog& log_;
    QWidget& main_;
};

struct Window {
    explicit Window(ScreenSize size) : screen(size) { kestrani.show(); }
    FakeScreen screen;
    ExerciseState state;
    EventLog log;
    FakeMessageBoxes messages{log};
    TKestrani kestrani{screen, state, messages};
};

// The controls Tab reaches from the first one, in order, until it comes round.
QList<QWidget*> tabChain(QWidget& window) {
    QList<QWidget*> chain;
    QWidget* first = nullptr;
    for (QWidget* w = window.nextInFocusChain(); w != &window && w != first; w = w->nextInFocusChain()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(&window))
            continue;
        if (!first)
            first = w;
        chain << w;
    }
    return chain;
}

}  // namespace

class ConfigurationWindowTest : public QObject {
    Q_OBJECT
private slots:
    void fitsA1024x768ScreenScalingItsContentsBy128() {
        Window w({1024, 768});
        QCOMPARE(w.kestrani.pos(), QPoint(0, 0));  // the frame's corner
        // The outer size: the frame stays on the screen too.
        QCOMPARE(w.kestrani.frameGeometry().size(), QSize(1024, 737));
        QVERIFY(QRect(0, 0, 1024, 768).contains(w.kestrani.frameGeometry()));
        // Edges 624, 480, 777, 505 × 1.28 = 798.72, 614.4, 994.56, 646.4.
        QCOMPARE(w.kestrani.Button1->geometry(), QRect(799, 614, 196, 32));
        QCOMPARE(w.kestrani.GroupBox1->geometry(), QRect(9, 164, 278, 400));
        // Calibrated Brightness at 88, 88 in its group: 112.64, 112.64, 267.52, 134.4.
        QCOMPARE(w.kestrani.slotBox(SlotRole::Calibrated, Submodality::Brightness)->geometry(),
                 QRect(113, 113, 155, 21));
        QCOMPARE(w.kestrani.Panel1->geometry(), QRect(238, 19, 134, 32));
        QCOMPARE(w.kestrani.Button1->font().pixelSize(), 13);  // 8 pt × 1.28 = 10 pt
        QCOMPARE(w.kestrani.font().pixelSize(), 13);
        // The fonts the window was designed with are asked for; the font
        // system substitutes, a serif where it knows no stand-in.
        QCOMPARE(w.kestrani.Button1->font().family(), QString("Times New Roman"));
        QCOMPARE(w.kestrani.Button1->font().styleHint(), QFont::Serif);
        QCOMPARE(w.kestrani.font().family(), QString("MS Sans Serif"));
        QCOMPARE(w.kestrani.font().styleHint(), QFont::SansSerif);
        if (QFontDatabase::hasFamily("Liberation Serif") && !QFontDatabase::hasFamily("Times New Roman"))
            QCOMPARE(QFontInfo(w.kestrani.Button1->font()).family(), QString("Liberation Serif"));
    }

    void aScreenAsHighAsTheWindowLeavesItAsDesigned() {
        Window w({1024, 572});
        QCOMPARE(w.kestrani.pos(), QPoint(5, 2));
        QCOMPARE(w.kestrani.size(), QSize(812, 572));
        QCOMPARE(w.kestrani.Button1->geometry(), QRect(624, 480, 153, 25));
        QCOMPARE(w.kestrani.GroupBox5->geometry(), QRect(408, 400, 369, 41));
        QCOMPARE(w.kestrani.Button8->geometry(), QRect(704, 412, 66, 25));
        QCOMPARE(w.kestrani.Button1->font().pixelSize(), 11);
    }

    void controlsStandAtTheirDesignPlaces_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::newRow("GroupBox1") << "GroupBox1" << QRect(7, 128, 217, 313) << "Субмодальности";
        QTest::newRow("RadioGroup1") << "RadioGroup1" << QRect(231, 128, 546, 145) << "Вид упражнения";
        QTest::newRow("RadioGroup2") << "RadioGroup2" << QRect(231, 280, 170, 161) << "Вид объекта";
        QTest::newRow("GroupBox2") << "GroupBox2" << QRect(407, 280, 210, 117) << "Длительность фаз упражнения";
        QTest::newRow("GroupBox3") << "GroupBox3" << QRect(624, 280, 153, 117) << "Усложнения";
        QTest::newRow("GroupBox5") << "GroupBox5" << QRect(408, 400, 369, 41)
                                   << "Стандартные эталоны цвета (номер от 0 до 99)";
        QTest::newRow("Image2") << "Image2" << QRect(15, 8, 154, 153) << "";
        QTest::newRow("Image1") << "Image1" << QRect(631, 8, 146, 113) << "";
        QTest::newRow("changeable Brightness") << "CheckBox1" << QRect(48, 88, 41, 17) << "";
        QTest::newRow("calibrated Rotation") << "CheckBox27" << QRect(88, 280, 121, 17) << "Поворот";
        QTest::newRow("initial Area") << "CheckBox35" << QRect(8, 208, 41, 17) << "";
        QTest::newRow("CheckBox31") << "CheckBox31" << QRect() << "Разбивка";
        QTest::newRow("CheckBox37") << "CheckBox37" << QRect() << "Номер эталона";
        QTest::newRow("Panel1") << "Panel1" << QRect(186, 15, 105, 25) << "";
    }
    void controlsStandAtTheirDesignPlaces() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        Window w({1024, 572});
        auto* control = w.kestrani.findChild<QWidget*>(name);
        QVERIFY(control);
        if (geometry.isValid())
            QCOMPARE(control->geometry(), geometry);
        if (auto* group = qobject_cast<QGroupBox*>(control))
            QCOMPARE(group->title(), caption);
        if (auto* box = qobject_cast<QCheckBox*>(control))
            QCOMPARE(box->text(), caption);
    }

    // Every control of a group stands inside the group's frame and clear of
    // its title, as designed and as scaled.
    void groupContentsStayClearOfTheTitleAndInsideTheFrame_data() {
        QTest::addColumn<int>("screenHeight");
        QTest::newRow("design size") << 572;
        QTest::newRow("768 high") << 768;
        QTest::newRow("1080 high") << 1080;
    }
    void groupContentsStayClearOfTheTitleAndInsideTheFrame() {
        QFETCH(int, screenHeight);
        Window w({1920, screenHeight});
        w.kestrani.CheckBox37->setChecked(true);  // shows the number field and the arrows
        for (QGroupBox* group : w.kestrani.findChildren<QGroupBox*>()) {
            QStyleOptionGroupBox option;
            option.initFrom(group);
            option.text = group->title();
            option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            const QRect label =
                group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
            // The line of text within the label's place: its ascent and descent.
            const QRect title = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
                                                    QSize(label.width(), group->fontMetrics().height()), label);
            const QRect inside = group->rect().adjusted(1, 1, -1, -1);
            for (QWidget* control : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (!control->isVisible())
                    continue;
                const QString where = group->objectName() + ": " + control->objectName() + " " +
                                      (qobject_cast<QAbstractButton*>(control)
                                           ? qobject_cast<QAbstractButton*>(control)->text()
                                           : QString());
                QVERIFY2(!control->geometry().intersects(title), qPrintable(where));
                QVERIFY2(inside.contains(control->geometry()), qPrintable(where));
            }
        }
    }

    void theTitleAndThePicturesAreShown() {
        Window w({1024, 572});
        QStringList texts;
        for (QLabel* label : w.kestrani.findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            texts << label->text();
        QVERIFY(texts.contains("Kestrani"));
        QVERIFY(texts.contains("Развитие навыков калибровки визуальных субмодальностей"));
        QVERIFY(texts.contains("Тренировка зрительной памяти"));
        QCOMPARE(w.kestrani.Image2->pixmap().size(), QSize(90, 87));
        QCOMPARE(w.kestrani.Image1->pixmap().size(), QSize(114, 80));
        // Transparent around the pictures' content.
        QCOMPARE(w.kestrani.Image1->pixmap().toImage().pixelColor(0, 79).alpha(), 0);
        QCOMPARE(w.kestrani.Image2->pixmap().toImage().pixelColor(0, 0).alpha(), 0);
        QCOMPARE(w.kestrani.windowTitle(), QString("Kestrani 1.01 rus"));
        QCOMPARE(w.kestrani.palette().color(QPalette::Window), QColor(128, 128, 128));
    }

    void slotBoxesShowTheDesignedGridWithItsCaptions() {
        Window w({1024, 768});
        const auto state = [&](SlotRole role, Submodality row) { return w.kestrani.slotBox(role, row)->checkState(); };
        QCOMPARE(state(SlotRole::Initial, Submodality::Hue), Qt::Checked);
        QCOMPARE(state(SlotRole::Calibrated, Submodality::Hue), Qt::Unchecked);
        QCOMPARE(state(SlotRole::Changeable, Submodality::Rotation), Qt::PartiallyChecked);
        QCOMPARE(w.kestrani.slotBox(SlotRole::Calibrated, Submodality::Area)->text(), QString("Площадь"));
        QCOMPARE(w.kestrani.slotBox(SlotRole::Calibrated, Submodality::HorizontalPosition)->text(),
                 QString("По горизонтали"));
        QVERIFY(w.kestrani.slotBox(SlotRole::Changeable, Submodality::Hue)->text().isEmpty());
        QCOMPARE(w.kestrani.slotBox(SlotRole::Calibrated, Submodality::Hue)->toolTip(),
                 QString("Цветовой тон не рекомендуется назначать калибруемым в упражнении 4."));
        QCOMPARE(w.kestrani.slotBox(SlotRole::Initial, Submodality::Brightness)->objectName(), QString("CheckBox10"));
        QCOMPARE(w.kestrani.slotBox(SlotRole::Calibrated, Submodality::Area)->objectName(), QString("CheckBox33"));
    }

    // A slot box is painted in its row colour over its whole width; a click
    // anywhere on it counts, on a caption-less box as on a captioned one.
    void slotBoxesTakeAClickAnywhereOnTheirBox_data() {
        QTest::addColumn<int>("role");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("x");  // from the box's right edge when negative
        QTest::addColumn<Qt::CheckState>("after");
        const int initial = int(SlotRole::Initial), changeable = int(SlotRole::Changeable);
        const int calibrated = int(SlotRole::Calibrated);
        QTest::newRow("initial, right end") << initial << int(Submodality::Brightness) << -2 << Qt::Unchecked;
        QTest::newRow("changeable, right end") << changeable << int(Submodality::Hue) << -2 << Qt::Unchecked;
        QTest::newRow("calibrated, past the caption") << calibrated << int(Submodality::Hue) << -2 << Qt::Checked;
        QTest::newRow("calibrated, on the caption") << calibrated << int(Submodality::Hue) << 40 << Qt::Checked;
    }
    void slotBoxesTakeAClickAnywhereOnTheirBox() {
        QFETCH(int, role);
        QFETCH(int, row);
        QFETCH(int, x);
        QFETCH(Qt::CheckState, after);
        Window w({1024, 768});
        QCheckBox* box = w.kestrani.slotBox(SlotRole(role), Submodality(row));
        QVERIFY(box->checkState() != after);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(x < 0 ? box->width() + x : x, box->height() / 2));
        QCOMPARE(box->checkState(), after);
    }

    void clickingSlotBoxesGoesThroughTheAvailabilityRules() {
        Window w({1024, 768});
        TKestrani& k = w.kestrani;
        QCheckBox* changeableHue = k.slotBox(SlotRole::Changeable, Submodality::Hue);
        QCheckBox* calibratedHue = k.slotBox(SlotRole::Calibrated, Submodality::Hue);

        clickBox(calibratedHue);
        QCOMPARE(calibratedHue->checkState(), Qt::Checked);
        QVERIFY(k.settings().isAsked(Submodality::Green));

        clickBox(changeableHue);  // the row rule greys the calibrated slot
        QCOMPARE(changeableHue->checkState(), Qt::Unchecked);
        QCOMPARE(calibratedHue->checkState(), Qt::PartiallyChecked);
        QVERIFY(!k.settings().isAsked(Submodality::Green));

        clickBox(calibratedHue);  // a greyed calibrated slot is pulled back
        QCOMPARE(calibratedHue->checkState(), Qt::PartiallyChecked);
        QCOMPARE(k.settings().calibrated[Submodality::Hue].state, SlotState::Unavailable);

        clickBox(changeableHue);
        QCOMPARE(calibratedHue->checkState(), Qt::Unchecked);

        // An Off box without AllowGrayed goes straight to On, not to greyed.
        QCheckBox* initialBrightness = k.slotBox(SlotRole::Initial, Submodality::Brightness);
        clickBox(initialBrightness);
        clickBox(initialBrightness);
        QCOMPARE(initialBrightness->checkState(), Qt::Checked);
        QCOMPARE(k.settings().initial[Submodality::Brightness].state, SlotState::On);
    }

    void choosingAnObjectKindRunsTheObjectKindRule() {
        Window w({1024, 768});
        TKestrani& k = w.kestrani;
        k.objectKindItems[int(ObjectKind::Line)]->click();
        QCOMPARE(k.settings().objectKind, ObjectKind::Line);
        QCOMPARE(k.slotBox(SlotRole::Calibrated, Submodality::Area)->text(), QString("Длина"));
        QCOMPARE(k.slotBox(SlotRole::Changeable, Submodality::Rotation)->checkState(), Qt::Unchecked);
        QCOMPARE(k.slotBox(SlotRole::Calibrated, Submodality::Rotation)->checkState(), Qt::PartiallyChecked);

        k.objectKindItems[int(ObjectKind::Rectangle)]->click();
        QCOMPARE(k.slotBox(SlotRole::Calibrated, Submodality::Area)->text(), QString("Площадь"));
        QCOMPARE(k.slotBox(SlotRole::Changeable, Submodality::Rotation)->checkState(), Qt::PartiallyChecked);
        QCOMPARE(k.slotBox(SlotRole::Initial, Submodality::Height)->checkState(), Qt::Unchecked);

        k.exerciseKindItems[3]->click();
        QCOMPARE(k.settings().exerciseKind, ExerciseKind::CompareTwo);
        QCOMPARE(k.settings().objectKind, ObjectKind::Rectangle);
    }

    // Ticking a limit or "Номер эталона" puts the keyboard into its number,
    // ready to be typed over.
    void aTickedNumberTakesTheKeyboard() {
        Window w({1024, 768});
        TKestrani& k = w.kestrani;
        QVERIFY(QTest::qWaitForWindowActive(&k));
        for (auto [box, field] : {std::pair{k.CheckBox28, k.Edit1}, std::pair{k.CheckBox29, k.Edit2},
                                  std::pair{k.CheckBox30, k.Edit3}, std::pair{k.CheckBox37, k.Edit4}}) {
            k.Button1->setFocus();
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Space);
            QVERIFY2(field->hasFocus(), qPrintable(box->text()));
            QTest::keyClicks(field, "7");
            QCOMPARE(field->text(), QString("7"));
            clickBox(box);  // unticked: the keyboard stays where it is
            QVERIFY(!field->isVisible());
        }
    }

    // Tab goes down the groups in reading order, each group's controls
    // together: the grid, the exercise kinds, the object kinds, the
    // durations, the complications, the standard colours, then the buttons.
    void tabFollowsTheLayout() {
        Window w({1024, 768});
        TKestrani& k = w.kestrani;
        QVERIFY(QTest::qWaitForWindowActive(&k));
        QCOMPARE(QApplication::focusWidget(), k.Button1);  // the keyboard starts on "Упражнения"
        clickBox(k.CheckBox37);  // Edit4 shows
        const QList<QWidget*> chain = tabChain(k);
        QList<QWidget*> landmarks{k.Button4,
                                  k.slotBox(SlotRole::Initial, Submodality::Brightness),
                                  k.slotBox(SlotRole::Changeable, Submodality::Brightness),
                                  k.slotBox(SlotRole::Calibrated, Submodality::Brightness),
                                  k.slotBox(SlotRole::Initial, Submodality::Hue),
                                  k.slotBox(SlotRole::Calibrated, Submodality::Rotation),
                                  k.exerciseKindItems[0],
                                  k.exerciseKindItems[3],
                                  k.Button6,
                                  k.objectKindItems[0],
                                  k.objectKindItems[4],
                                  k.Button5,
                                  k.Button10,
                                  k.CheckBox28,
                                  k.CheckBox29,
                                  k.CheckBox30,
                                  k.CheckBox32,
                                  k.CheckBox31,
                                  k.CheckBox36,
                                  k.Button7,
                                  k.CheckBox37,
                                  k.Edit4,
                                  k.Button8,
                                  k.Button9,
                                  k.Button3,
                                  k.Button1,
                                  k.Button2};
        QList<QWidget*> reached;
        for (QWidget* control : chain)
            if (landmarks.contains(control))
                reached << control;
        QCOMPARE(reached, landmarks);
        QCOMPARE(chain.front(), k.Button4);
        QCOMPARE(chain.back(), k.Button2);
    }

    void returnPressesTheFocusedButton() {
        FakeScreen screen({1024, 768});
        WindowSet set(&screen);
        TKestrani& k = set.kestrani();
        set.form5().close();
        k.Button3->setFocus();
        QTest::keyClick(k.Button3, Qt::Key_Return);  // "Инструкции"
        QVERIFY(set.form5().isVisible());
        set.form5().close();
        QTest::keyClick(k.Button3, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(set.form5().isVisible());
        set.form5().close();
        QTest::keyClick(k.Button3, Qt::Key_Return, Qt::ControlModifier);  // not a plain Return
        QVERIFY(!set.form5().isVisible());
    }

    void typingIntoALimitFieldGoesThroughThePhaseRules() {
        Window w({1024, 768});
        TKestrani& k = w.kestrani;
        QVERIFY(!k.Edit1->isVisible());
        clickBox(k.CheckBox28);
        QVERIFY(k.settings().referenceShowLimit.enabled);
        QVERIFY(k.Edit1->isVisible());
        QTest::keyClicks(k.Edit1, "4");
        QCOMPARE(k.Label10->text(), QString("4 сек"));
        QTest::keyClicks(k.Edit1, "5");
        QCOMPARE(k.Label10->text(), QString("45 сек"));
        QCOMPARE(k.settings().referenceShowLimit.seconds, 45);

        clickBox(k.CheckBox28);
        QVERIFY(!k.Edit1->isVisible());
        QCOMPARE(k.Edit1->text(), QString(" "));
        QCOMPARE(k.Label10->text(), QString(" "));
        QCOMPARE(k.settings().referenceShowLimit.seconds, 45);

        clickBox(k.CheckBox28);
        k.Edit1->setFocus();
        k.Edit1->setCursorPosition(0);
        QTest::keyClicks(k.Edit1, "7");  // in front of the blank
        QCOMPARE(k.Edit1->text(), QString("7 "));
        QCOMPARE(k.Label10->text(), QString("0 сек"));
        QCOMPARE(k.settings().referenceShowLimit.seconds, 0);

        clickBox(k.CheckBox30);
        QTest::keyClicks(k.Edit3, "75");
        QCOMPARE(k.Label13->text(), QString("60 сек"));
        QCOMPARE(k.Edit3->text(), QString("75"));
        QCOMPARE(k.settings().objectShowLimit.seconds, 60);
        QVERIFY(!k.settings().delay.enabled);
    }

    void standardColourControlsGoThroughTheColourRules() {
        Window w({1024, 768});
        TKestrani& k = w.kestrani;
        const auto panel = [&] { return k.Panel1->palette().color(k.Panel1->backgroundRole()); };
        QCOMPARE(panel(), QColor(128, 128, 128));
        QVERIFY(!k.SpinButton1->isVisible());

        clickBox(k.CheckBox37);
        QVERIFY(k.settings().standardColor.enabled);
        QVERIFY(k.Edit4->isVisible());
        QVERIFY(k.SpinButton1->isVisible());
        QCOMPARE(k.Edit4->text(), QString("0"));
        QCOMPARE(k.Label11->text(), QString("0"));
        QCOMPARE(panel(), QColor(102, 254, 102));

        QTest::mouseClick(k.SpinButton1->downArrow, Qt::LeftButton);
        QCOMPARE(k.Edit4->text(), QString("99"));
        QCOMPARE(k.Label11->text(), QString("99"));
        QCOMPARE(panel(), QColor(107, 254, 96));

        k.Edit4->selectAll();
        QTest::keyClicks(k.Edit4, "150");
        QCOMPARE(k.Edit4->text(), QString("150"));
        QCOMPARE(k.Label11->text(), QString("99"));
        QCOMPARE(w.state.referenceHue, 99 / 50.0 * M_PI);

        QTest::mouseClick(k.SpinButton1->upArrow, Qt::LeftButton);
        QCOMPARE(k.Edit4->text(), QString("1"));
        QCOMPARE(panel(), QColor(96, 254, 107));
        QCOMPARE(k.settings().standardColor.number, 1);

        clickBox(k.CheckBox37);
        QCOMPARE(panel(), QColor(128, 128, 128));
        QCOMPARE(k.Label11->text(), QString(" "));
        QVERIFY(!k.Edit4->isVisible());
        QVERIFY(!k.SpinButton1->isVisible());
    }

    void complicationBoxesSetTheirSettings() {
        Window w({1024, 768});
        TKestrani& k = w.kestrani;
        QVERIFY(k.CheckBox31->isChecked());
        clickBox(k.CheckBox31);
        clickBox(k.CheckBox32);
        clickBox(k.CheckBox36);
        QVERIFY(!k.settings().splitting);
        QVERIFY(k.settings().nonMonotonic);
        QVERIFY(k.settings().variableBackground);
    }

    void exercisesShowsTheBackdropAndTheReferenceWindow() {
        FakeScreen screen({1024, 768});
        WindowSet set(&screen);
        set.kestrani().Button1->click();
        QVERIFY(set.form3().isVisible());
        QVERIFY(set.submCheck().isVisible());
    }

    void everyHelpControlShowsTheInstructionsWindow() {
        FakeScreen screen({1024, 768});
        WindowSet set(&screen);
        TKestrani& k = set.kestrani();
        for (QPushButton* button : {k.Button3, k.Button4, k.Button5, k.Button6, k.Button7, k.Button10, k.Button8}) {
            set.form5().close();
            QVERIFY(!set.form5().isVisible());
            button->click();
            QVERIFY2(set.form5().isVisible(), qPrintable(button->text()));
        }
        QCOMPARE(k.Button3->text(), QString("Инструкции"));
        set.form5().close();
        QTest::mouseClick(k.Image1, Qt::LeftButton);
        QVERIFY(set.form5().isVisible());
    }

    void finishWorkSaysGoodbyeThenClosesEveryWindowInOrder() {
        Window w({1024, 768});
        std::vector<std::unique_ptr<RecordingWindow>> windows;
        std::vector<QWidget*> closed;
        for (const char* name : {"TForm5", "TForm1", "TForm2", "TForm3", "TForm4", "TSubmCheck"}) {
            windows.push_back(std::make_unique<RecordingWindow>(name, w.log, w.kestrani));
            windows.back()->show();
            closed.push_back(windows.back().get());
        }
        w.kestrani.connectWindows(nullptr, nullptr, closed);
        bool visibleWhileTheBoxIsOpen = false;
        w.messages.whileOpen = [&] { visibleWhileTheBoxIsOpen = w.kestrani.isVisible() && windows[0]->isVisible(); };

        w.kestrani.Button2->click();

        QVERIFY(visibleWhileTheBoxIsOpen);
        QVERIFY(!w.kestrani.isVisible());
        const EventLog expected{"message:До свидания!", "TForm5:close",  "TForm1:close",
                                "TForm2:close",         "TForm3:close",  "TForm4:close",
                                "TSubmCheck:close"};
        QCOMPARE(w.log, expected);
    }

    void theCloseBoxEndsWithoutAMessage() {
        Window w({1024, 768});
        w.kestrani.close();
        QVERIFY(!w.kestrani.isVisible());
        QVERIFY(w.messages.shown.empty());
    }
};

QTEST_MAIN(ConfigurationWindowTest)
#include "configuration_window_test.moc"
