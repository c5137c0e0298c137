// The pages of the instructions window as data: captions, the 30 text slots,
// the monitor page's extras and its resolution line.

#include <QtTest>

#include "help/help_pages.h"
#include "help/instructions_geometry.h"

using namespace kestrani;

Q_DECLARE_METATYPE(kestrani::HelpPage)
Q_DECLARE_METATYPE(kestrani::TextSlot)

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }
QString q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QStringList emptySlotNames(const PageContent& page) {
    QStringList names;
    for (int i = 0; i < textSlotCount; ++i)
        if (page.texts[static_cast<std::size_t>(i)].empty())
            names << q(textSlotLayouts()[static_cast<std::size_t>(i)].name);
    return names;
}

constexpr ScreenSize screen1024{1024, 768};

}  // namespace

class HelpPagesTest : public QObject {
    Q_OBJECT
private slots:
    void everyPageSetsItsCaptionTitleSlotsAndPictures_data() {
        QTest::addColumn<HelpPage>("page");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("emptySlots");
        QTest::addColumn<bool>("monitorExtras");
        const QStringList notOnInstructions{"Label12", "Label13"};
        QTest::newRow("start") << HelpPage::Start << "Instructions to Kestrani 1.01 rus"
                               << "Добро пожаловать в программу Торвела" << notOnInstructions << false;
        QTest::newRow("instructions") << HelpPage::Instructions << "Help" << "Добро пожаловать в программу Торвела"
                                      << notOnInstructions << false;
        QTest::newRow("submodalities") << HelpPage::Submodalities << "Help" << "Субмодальности в программе Торвела"
                                       << QStringList{"Label12", "Label13", "Label2", "Label3"} << false;
        QTest::newRow("object kinds")
            << HelpPage::ObjectKinds << "Help" << "Задание вида объекта в программе Торвела"
            << QStringList{"Label12", "Label13", "Label25", "Label32", "Label30", "Label33", "Label31", "Label26",
                           "Label2", "Label3"}
            << false;
        QTest::newRow("exercise kinds") << HelpPage::ExerciseKinds << "Help"
                                        << "Задание вида упражнения в программе Торвела"
                                        << QStringList{"Label12", "Label13", "Label2", "Label3"} << false;
        QTest::newRow("complications")
            << HelpPage::Complications << "Help" << "Задание усложнений в программе Торвела"
            << QStringList{"Label12", "Label13", "Label21", "Label22", "Label23", "Label24", "Label25", "Label32",
                           "Label30", "Label33", "Label31", "Label26", "Label2", "Label3"}
            << false;
        QTest::newRow("durations") << HelpPage::Durations << "Help" << "Задание времени в программе Торвела"
                                   << QStringList{"Label6", "Label12", "Label13", "Label22", "Label26", "Label2",
                                                  "Label3"}
                                   << false;
        QTest::newRow("standard colours")
            << HelpPage::StandardColours << "Help" << "Стандартные цвета в программе Торвела"
            << QStringList{"Label12", "Label16", "Label13", "Label22", "Label23", "Label24", "Label25", "Label32",
                           "Label30", "Label33", "Label31", "Label26", "Label2", "Label3"}
            << false;
        QTest::newRow("monitor settings")
            << HelpPage::MonitorSettings << "Monitor settings" << "Важность правильной настройки монитора для работы с"
            << QStringList{"Label28", "Label15", "Label16", "Label17", "Label19", "Label20", "Label21", "Label18",
                           "Label27", "Label2", "Label3"}
            << true;
    }

    void everyPageSetsItsCaptionTitleSlotsAndPictures() {
        QFETCH(HelpPage, page);
        QFETCH(QString, caption);
        QFETCH(QString, title);
        QFETCH(QStringList, emptySlots);
        QFETCH(bool, monitorExtras);
        const PageContent content = helpPageContent(page, screen1024);
        QCOMPARE(q(content.caption), caption);
        QCOMPARE(q(content.text(TextSlot::Label1)), title);
        QCOMPARE(content.showsTestPictures, monitorExtras);
        QCOMPARE(content.showsLabel12, monitorExtras);
        QStringList empty = emptySlotNames(content);
        empty.sort();
        emptySlots.sort();
        QCOMPARE(empty, emptySlots);
    }

    void startPageDiffersFromTheInstructionsPageInExactlyThreeSlots() {
        const PageContent start = helpPageContent(HelpPage::Start, screen1024);
        const PageContent instructions = helpPageContent(HelpPage::Instructions, screen1024);
        QStringList differing;
        for (int i = 0; i < textSlotCount; ++i)
            if (start.texts[static_cast<std::size_t>(i)] != instructions.texts[static_cast<std::size_t>(i)])
                differing << q(textSlotLayouts()[static_cast<std::size_t>(i)].name);
        QCOMPARE(differing, (QStringList{"Label8", "Label28", "Label20"}));
        QCOMPARE(q(start.text(TextSlot::Label20)),
                 QString("Настроив упражнение, Вы можете нажать кнопку \"Упражнения\" в правом нижнем углу экрана."));
        QCOMPARE(q(instructions.text(TextSlot::Label20)),
                 QString("Настроив упражнение, Вы можете нажать кнопку \"Начать упражнение\"."));
        QCOMPARE(q(start.text(TextSlot::Label28)), QString("(рекомендуется True Color и разрешение 600 на 800 и выше)"));
        QCOMPARE(q(instructions.text(TextSlot::Label28)),
                 QString("(рекомендуется True Color и разрешение 480 на 600 точек и выше)"));
    }

    void textsStandExactlyAsWrittenWithTheirBlanksAndTypos_data() {
        QTest::addColumn<HelpPage>("page");
        QTest::addColumn<TextSlot>("slot");
        QTest::addColumn<QString>("text");
        QTest::newRow("exercise 1 with Нажмите") << HelpPage::ExerciseKinds << TextSlot::Label15
            << "1. Вам предлагается определить, какой из 2-х представленных объектов - эталон. Нажмите на него мышкой.";
        QTest::newRow("exercise 1 again with Нажимте") << HelpPage::ExerciseKinds << TextSlot::Label19
            << "1. Вам предлагается определить, какой из 2-х представленных объектов - эталон. Нажимте на него мышкой.";
        QTest::newRow("trailing blank") << HelpPage::Complications << TextSlot::Label15
                                        << "с только что исчезнувшими с экрана объектами. ";
        QTest::newRow("leading blank") << HelpPage::StandardColours << TextSlot::Label21
                                       << " Для этого следует выйти из упражнения с помощью соответствующей кнопки.";
        QTest::newRow("leading blank on submodalities") << HelpPage::Submodalities << TextSlot::Label15
            << " все больше приближаются к эталону. Общее правило для исходных субмодальностей:";
        QTest::newRow("typo сумбодальностей") << HelpPage::Instructions << TextSlot::Label17
                                             << "сумбодальностей определяются видом упражнения и видом объекта.";
        QTest::newRow("typo отсет") << HelpPage::Durations << TextSlot::Label18
            << "упражнения. Нажав кнопку \"Изменить эталон\" Вы сбрасываете таймер и отсет времени начинается заново.";
        QTest::newRow("double blank, no blank after comma") << HelpPage::MonitorSettings << TextSlot::Label9
            << "Для того, чтобы программа  калибровки хорошо работала,монитор должен";
        QTest::newRow("two trailing blanks") << HelpPage::MonitorSettings << TextSlot::Label23
            << "Нажмите на кнопку \"Пуск\"/\"Start\" Windows и выберите в меню \"Настройки\"/\"Settings\" "
               "\"Панель управления\" / \"Control Panel\"  ";
        QTest::newRow("transparent slot") << HelpPage::ObjectKinds << TextSlot::Label22
            << "наклона, длины и положения в прстранстве. Введена главным образом для работы с углом наклона.";
        QTest::newRow("Label12 on the monitor page") << HelpPage::MonitorSettings << TextSlot::Label12
            << "Если Вы видите плавный переход цветов от красного к красному, а не это";
        QTest::newRow("Label13 on the monitor page") << HelpPage::MonitorSettings << TextSlot::Label13 << "и не это";
        QTest::newRow("last line of standard colours") << HelpPage::StandardColours << TextSlot::Label15
                                                       << "убрав выделение в кнопке \"Номер эталона\"";
    }

    void textsStandExactlyAsWrittenWithTheirBlanksAndTypos() {
        QFETCH(HelpPage, page);
        QFETCH(TextSlot, slot);
        QFETCH(QString, text);
        QCOMPARE(q(helpPageContent(page, screen1024).text(slot)), text);
    }

    void resolutionLineGivesTheHeightFirst_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("line");
        const QString prefix = "достаточно, хотя желательно 600 на 800 и выше. Разрешение Вашего монитора: ";
        QTest::newRow("800 × 600") << 800 << 600 << prefix + "600 на 800 точек";
        QTest::newRow("1024 × 768") << 1024 << 768 << prefix + "768 на 1024 точек";
        QTest::newRow("1920 × 1080") << 1920 << 1080 << prefix + "1080 на 1920 точек";
    }

    void resolutionLineGivesTheHeightFirst() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QString, line);
        QCOMPARE(q(resolutionLine({width, height})), line);
        QCOMPARE(q(helpPageContent(HelpPage::MonitorSettings, {width, height}).text(TextSlot::Label26)), line);
    }

    void instructionsWindowFillsTheScreenButOnePixelAndFourPercent() {
        QCOMPARE(instructionsWindowGeometry({1024, 768}), (WindowRect{0, 0, 1023, 737}));
        QCOMPARE(instructionsWindowGeometry({800, 600}), (WindowRect{0, 0, 799, 576}));
        QCOMPARE(instructionsWindowGeometry({1280, 1025}), (WindowRect{0, 0, 1279, 984}));  // 984.0 exactly
        QVERIFY(instructionsWindowIsFitted(1023, {1024, 768}));
        QVERIFY(!instructionsWindowIsFitted(1024, {1024, 768}));
        QVERIFY(!instructionsWindowIsFitted(790, {800, 600}));
    }
};


QTEST_GUILESS_MAIN(HelpPagesTest)
#include "help_pages_test.moc"
