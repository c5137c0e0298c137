// The slot grid's rules: the click cycle, the row rules with their guards and
// the cascade, the object-kind rule and the asked flags.

#include <QtTest>

#include "config/availability_rules.h"

using namespace kestrani;

namespace {

// The grid as text: rows top to bottom, separated by blanks, each row its
// initial, changeable and calibrated slot as o (Off), x (On) or g (greyed),
// in capitals where AllowGrayed is true.
const QString designedGrid = "xxo xxo xxo ggg ggg ggg ggg ggg ggG";

struct RowName {
    const char* name;
    Submodality row;
};
const RowName rowNames[] = {
    {"Brightness", Submodality::Brightness}, {"Hue", Submodality::Hue},
    {"Saturation", Submodality::Saturation}, {"Height", Submodality::Height},
    {"Width", Submodality::Width}, {"Area", Submodality::Area},
    {"VerticalPosition", Submodality::VerticalPosition}, {"HorizontalPosition", Submodality::HorizontalPosition},
    {"Rotation", Submodality::Rotation},
};
const char* kindNames[] = {"Rectangle", "Ellipse", "RectangleOrEllipse", "Line", "WholeWindow"};

Submodality rowNamed(const QString& name) {
    for (const RowName& r : rowNames)
        if (name == r.name)
            return r.row;
    qFatal("unknown row %s", qPrintable(name));
}

ObjectKind kindNamed(const QString& name) {
    for (int k = 0; k < 5; ++k)
        if (name == kindNames[k])
            return static_cast<ObjectKind>(k);
    qFatal("unknown object kind %s", qPrintable(name));
}

SlotRole roleNamed(const QString& letter) {
    if (letter == "I")
        return SlotRole::Initial;
    if (letter == "C")
        return SlotRole::Changeable;
    if (letter == "K")
        return SlotRole::Calibrated;
    qFatal("unknown column %s", qPrintable(letter));
}

SlotState stateNamed(const QString& name) {
    if (name == "On")
        return SlotState::On;
    if (name == "Off")
        return SlotState::Off;
    return SlotState::Unavailable;
}

QChar slotLetter(const SubmodalitySlot& slot) {
    const char letter = slot.state == SlotState::On ? 'x' : slot.state == SlotState::Off ? 'o' : 'g';
    return QChar(slot.AllowGrayed ? QChar::toUpper(letter) : letter);
}

QString gridPicture(const ExerciseSettings& s) {
    QStringList rows;
    for (Submodality row : gridRows)
        rows << QString() + slotLetter(s.initial[row]) + slotLetter(s.changeable[row]) + slotLetter(s.calibrated[row]);
    return rows.join(' ');
}

// The eleven asked flags in Submodality order, 1 for asked.
QString askedPicture(const ExerciseSettings& s) {
    QString flags;
    for (bool asked : s.asked)
        flags += asked ? '1' : '0';
    return flags;
}

class RuleLog : public AvailabilityListener {
public:
    void rowRuleRan(Submodality row) override {
        for (const RowName& r : rowNames)
            if (r.row == row)
                runs << r.name;
    }
    QStringList runs;
};

// Applies actions written as "C Hue" (a click on the changeable Hue slot),
// "kind Line" (a new object kind), "exercise 3" or "set K Hue On".
void apply(AvailabilityRules& rules, ExerciseSettings& settings, const QStringList& actions) {
    for (const QString& action : actions) {
        const QStringList w = action.split(' ');
        if (w[0] == "kind")
            rules.selectObjectKind(kindNamed(w[1]));
        else if (w[0] == "exercise")
            settings.exerciseKind = static_cast<ExerciseKind>(w[1].toInt());
        else if (w[0] == "set")
            rules.setState(roleNamed(w[1]), rowNamed(w[2]), stateNamed(w[3]));
        else
            rules.click(roleNamed(w[0]), rowNamed(w[1]));
    }
}

// Clicks every slot until it is On where clicks can make it so: initial and
// changeable slots first, then the calibrated ones.
void switchEverythingOn(AvailabilityRules& rules, ExerciseSettings& settings) {
    for (SlotRole role : {SlotRole::Initial, SlotRole::Changeable, SlotRole::Calibrated})
        for (Submodality row : gridRows)
            for (int click = 0; click < 3 && !settings.column(role)[row].isOn(); ++click)
                rules.click(role, row);
}

}  // namespace

class AvailabilityRulesTest : public QObject {
    Q_OBJECT
private slots:
    void theGridStartsAsDesignedWithNothingAsked() {
        const ExerciseSettings settings;
        QCOMPARE(gridPicture(settings), designedGrid);
        QCOMPARE(askedPicture(settings), QString("00000000000"));
        QCOMPARE(settings.objectKind, ObjectKind::WholeWindow);
    }

    void clicksCycleAccordingToAllowGrayed_data() {
        QTest::addColumn<bool>("allowGrayed");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("states");  // after each of three clicks
        const int off = int(SlotState::Off), unavailable = int(SlotState::Unavailable);
        QTest::newRow("greyable: off, greyed, on, off") << true << off << "g x o";
        QTest::newRow("not greyable: off, on, off, on") << false << off << "x o x";
        QTest::newRow("greyed goes on whatever the flag") << false << unavailable << "x o x";
        QTest::newRow("greyable from greyed: on, off, greyed") << true << unavailable << "x o g";
    }
    void clicksCycleAccordingToAllowGrayed() {
        QFETCH(bool, allowGrayed);
        QFETCH(int, start);
        QFETCH(QString, states);
        // The initial Area slot: no rule and no object kind touches it.
        ExerciseSettings settings;
        settings.initial[Submodality::Area] = {SlotState(start), allowGrayed};
        AvailabilityRules rules(settings);
        QStringList seen;
        for (int click = 0; click < 3; ++click) {
            rules.click(SlotRole::Initial, Submodality::Area);
            seen << QString(slotLetter(settings.initial[Submodality::Area])).toLower();
        }
        QCOMPARE(seen.join(' '), states);
        QCOMPARE(settings.initial[Submodality::Area].AllowGrayed, allowGrayed);
    }

    void userActionsLeaveTheGridAsTheRulesSay_data() {
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QString>("asked");
        const QString none = "00000000000";
        QTest::newRow("calibrated hue on asks hue, blue and green")
            << QStringList{"K Hue"} << "xxo xxx xxo ggg ggg ggg ggg ggg ggG" << "01010000001";
        QTest::newRow("calibrated hue comes back off after changeable hue goes off and on")
            << QStringList{"K Hue", "C Hue", "C Hue"} << designedGrid << none;
        QTest::newRow("changeable hue off greys the calibrated slot and clears the flags")
            << QStringList{"K Hue", "C Hue"} << "xxo xoG xxo ggg ggg ggg ggg ggg ggG" << none;
        QTest::newRow("greyed calibrated brightness stays greyed when clicked")
            << QStringList{"C Brightness", "K Brightness"} << "xoG xxo xxo ggg ggg ggg ggg ggg ggG" << none;
        QTest::newRow("the exercise kind changes nothing")
            << QStringList{"K Hue", "exercise 4", "exercise 3"} << "xxo xxx xxo ggg ggg ggg ggg ggg ggG"
            << "01010000001";
        QTest::newRow("selecting the selected kind again changes nothing")
            << QStringList{"kind WholeWindow"} << designedGrid << none;

        const QString rectangle = "xxo xxo xxo ooG ooG goG ooG ooG GGG";
        QTest::newRow("rectangle") << QStringList{"kind Rectangle"} << rectangle << none;
        QTest::newRow("rectangle: greyed changeable rotation turns on, calibrated becomes usable")
            << QStringList{"kind Rectangle", "C Rotation"} << "xxo xxo xxo ooG ooG goG ooG ooG GXo" << none;
        QTest::newRow("rectangle: the rotation row then behaves as an ordinary row")
            << QStringList{"kind Rectangle", "C Rotation", "K Rotation"} << "xxo xxo xxo ooG ooG goG ooG ooG GXx"
            << "00000000010";

        const QString wholeWindow = "xxo xxo xxo GGG GGG gGG GGG GGG GGG";
        QTest::newRow("whole window after rectangle")
            << QStringList{"kind Rectangle", "kind WholeWindow"} << wholeWindow << none;
        QTest::newRow("whole window: changeable horizontal position makes its calibrated slot usable")
            << QStringList{"kind Rectangle", "kind WholeWindow", "C HorizontalPosition"}
            << "xxo xxo xxo GGG GGG gGG GGG GXo GGG" << none;
        QTest::newRow("whole window: vertical position is guarded, its calibrated slot stays greyed")
            << QStringList{"kind Rectangle", "kind WholeWindow", "C VerticalPosition"}
            << "xxo xxo xxo GGG GGG gGG GXG GGG GGG" << none;
        QTest::newRow("whole window: the guarded calibrated vertical position turns on and is asked")
            << QStringList{"kind Rectangle", "kind WholeWindow", "C VerticalPosition", "K VerticalPosition"}
            << "xxo xxo xxo GGG GGG gGG GXX GGG GGG" << "00000001000";

        QTest::newRow("line") << QStringList{"kind Line"} << "xxo xxo xxo GGG GGG goG ooG ooG ooG" << none;
        QTest::newRow("line: greyed height turns on in both columns and is asked")
            << QStringList{"kind Line", "C Height", "K Height"} << "xxo xxo xxo GXX GGG goG ooG ooG ooG"
            << "00001000000";

        QTest::newRow("at start greyed initial, changeable and calibrated height turn on")
            << QStringList{"I Height", "C Height", "K Height"} << "xxo xxo xxo xxx ggg ggg ggg ggg ggG"
            << "00001000000";
        QTest::newRow("at start guarded calibrated width, area and vertical position turn on")
            << QStringList{"K Width", "K Area", "K VerticalPosition"} << "xxo xxo xxo ggg ggx ggx ggx ggg ggG"
            << none;
        QTest::newRow("at start calibrated horizontal position is greyed again")
            << QStringList{"K HorizontalPosition"} << "xxo xxo xxo ggg ggg ggg ggg ggG ggG" << none;
        QTest::newRow("at start calibrated rotation is greyed again")
            << QStringList{"K Rotation"} << designedGrid << none;
        QTest::newRow("at start changeable horizontal position makes its calibrated slot usable")
            << QStringList{"C HorizontalPosition"} << "xxo xxo xxo ggg ggg ggg ggg gxo ggG" << none;

        const QStringList userChoices{"kind Rectangle", "K Brightness", "C Height", "K Height", "I Width",
                                      "C VerticalPosition"};
        QTest::newRow("rectangle with shape and colour choices")
            << userChoices << "xxx xxo xxo oxx xoG goG oxo ooG GGG" << "10001000000";
        QTest::newRow("rectangle to line resets the shapes, keeps the colours")
            << (userChoices + QStringList{"kind Line"}) << "xxx xxo xxo GGG GGG goG ooG ooG ooG" << "10000000000";
        QTest::newRow("rectangle to line and back resets the shapes, keeps the colours")
            << (userChoices + QStringList{"kind Line", "kind Rectangle"}) << "xxx xxo xxo ooG ooG goG ooG ooG GGG"
            << "10000000000";
    }
    void userActionsLeaveTheGridAsTheRulesSay() {
        QFETCH(QStringList, actions);
        QFETCH(QString, grid);
        QFETCH(QString, asked);
        ExerciseSettings settings;
        AvailabilityRules rules(settings);
        apply(rules, settings, actions);
        QCOMPARE(gridPicture(settings), grid);
        QCOMPARE(askedPicture(settings), asked);
    }

    void objectKindLeavesTheSameGridWhateverCameBefore_data() {
        QTest::addColumn<QStringList>("reach");  // how the previous kind was reached
        QTest::addColumn<bool>("everythingOn");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("grid");  // '.' keeps what was there before
        QTest::addColumn<QString>("caption");
        const QString shapes[5] = {
            "... ... ... ooG ooG .oG ooG ooG GGG",
            "... ... ... ooG ooG .oG ooG ooG GGG",
            "... ... ... ooG ooG .oG ooG ooG GGG",
            "... ... ... GGG GGG .oG ooG ooG ooG",
            "... ... ... GGG GGG .GG GGG GGG GGG",
        };
        for (int before = 0; before < 5; ++before) {
            // The start is whole window with no rule run yet; reach it through a line.
            const QStringList reach = before == 4 ? QStringList{"kind Line", "kind WholeWindow"}
                                                  : QStringList{QString("kind ") + kindNames[before]};
            for (int after = 0; after < 5; ++after) {
                if (after == before)
                    continue;
                for (bool on : {false, true})
                    QTest::addRow("%s to %s%s", kindNames[before], kindNames[after], on ? ", everything on" : "")
                        << reach << on << after << shapes[after] << (after == 3 ? "Длина" : "Площадь");
            }
        }
    }
    void objectKindLeavesTheSameGridWhateverCameBefore() {
        QFETCH(QStringList, reach);
        QFETCH(bool, everythingOn);
        QFETCH(int, kind);
        QFETCH(QString, grid);
        QFETCH(QString, caption);
        ExerciseSettings settings;
        AvailabilityRules rules(settings);
        apply(rules, settings, reach);
        if (everythingOn)
            switchEverythingOn(rules, settings);
        const QString gridBefore = gridPicture(settings);
        const QString askedBefore = askedPicture(settings);

        rules.selectObjectKind(ObjectKind(kind));

        QString expected = grid;
        for (qsizetype i = 0; i < expected.size(); ++i)
            if (expected[i] == '.')
                expected[i] = gridBefore[i];
        QCOMPARE(gridPicture(settings), expected);
        // The colour rows keep their flags (Blue and Green follow Hue); the rest are cleared.
        QCOMPARE(askedPicture(settings), askedBefore.left(4) + "000000" + askedBefore.right(1));
        QCOMPARE(QString::fromUtf8(areaCaption(settings.objectKind)), caption);
    }

    void everyEffectiveChangeRunsItsRowRule_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("runs");
        QTest::newRow("changeable hue off: the rule, then again for the greyed calibrated slot")
            << QStringList{} << "C Hue" << QStringList{"Hue", "Hue"};
        QTest::newRow("calibrated hue on: the rule assigns the same state and stops")
            << QStringList{} << "K Hue" << QStringList{"Hue"};
        QTest::newRow("changeable hue on again: the rule, then again for the calibrated slot")
            << QStringList{"C Hue"} << "C Hue" << QStringList{"Hue", "Hue"};
        QTest::newRow("greyed calibrated brightness: on, then greyed again")
            << QStringList{"C Brightness"} << "K Brightness" << QStringList{"Brightness", "Brightness"};
        QTest::newRow("a guarded row only updates its flag")
            << QStringList{} << "C Height" << QStringList{"Height"};
        QTest::newRow("an initial slot has no rule") << QStringList{} << "I Brightness" << QStringList{};
        QTest::newRow("assigning the state a slot has runs nothing")
            << QStringList{} << "set C Hue On" << QStringList{};
        QTest::newRow("assigning greyed to a greyed slot runs nothing")
            << QStringList{} << "set K Rotation Unavailable" << QStringList{};
        QTest::newRow("the selected kind again runs nothing") << QStringList{} << "kind WholeWindow" << QStringList{};
        QTest::newRow("the exercise kind runs nothing") << QStringList{} << "exercise 3" << QStringList{};
        QTest::newRow("rectangle from the start")
            << QStringList{} << "kind Rectangle"
            << QStringList{"Height", "Width", "VerticalPosition", "HorizontalPosition", "Rotation", "Area",
                           "Rotation", "Height", "Height", "Width", "Width"};
        QTest::newRow("line from the start")
            << QStringList{} << "kind Line"
            << QStringList{"Height", "Width", "VerticalPosition", "HorizontalPosition", "Rotation", "Area", "Width",
                           "Height"};
    }
    void everyEffectiveChangeRunsItsRowRule() {
        QFETCH(QStringList, before);
        QFETCH(QString, action);
        QFETCH(QStringList, runs);
        ExerciseSettings settings;
        RuleLog log;
        AvailabilityRules rules(settings, &log);
        apply(rules, settings, before);
        log.runs.clear();
        apply(rules, settings, {action});
        QCOMPARE(log.runs, runs);
    }

    void theListenerHearsOnlyEffectiveChanges() {
        ExerciseSettings settings;
        struct ChangeLog : AvailabilityListener {
            void slotChanged(SlotRole role, Submodality row) override { changes.push_back({role, row}); }
            std::vector<std::pair<SlotRole, Submodality>> changes;
        } log;
        AvailabilityRules rules(settings, &log);
        rules.click(SlotRole::Changeable, Submodality::Saturation);
        const std::vector<std::pair<SlotRole, Submodality>> expected{
            {SlotRole::Changeable, Submodality::Saturation}, {SlotRole::Calibrated, Submodality::Saturation}};
        QVERIFY(log.changes == expected);
        rules.setState(SlotRole::Changeable, Submodality::Saturation, SlotState::Off);
        QCOMPARE(log.changes.size(), std::size_t(2));
    }
};

QTEST_GUILESS_MAIN(AvailabilityRulesTest)
#include "availability_rules_test.moc"
