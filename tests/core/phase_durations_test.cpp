// The rows of "Длительность фаз упражнения": enabling a limit, reading the
// typed number, the echo label and the seconds kept as a value of their own.

#include <QtTest>

#include "config/phase_durations.h"

using namespace kestrani;

namespace {

// Runs steps written as "check", "uncheck", "type:45" (key by key at the end
// of the field), "front:7" (key by key at its start), "set:TEXT" (the whole
// text at once) and "erase" (the last character).
void run(PhaseLimitRow& row, const QStringList& steps) {
    for (const QString& step : steps) {
        if (step == "check") {
            row.setChecked(true);
        } else if (step == "uncheck") {
            row.setChecked(false);
        } else if (step == "erase") {
            std::string text = row.fieldText();
            text.pop_back();
            row.setFieldText(text);
        } else if (step.startsWith("type:")) {
            for (QChar key : step.mid(5))
                row.setFieldText(row.fieldText() + QString(key).toStdString());
        } else if (step.startsWith("front:")) {
            const QString keys = step.mid(6);
            for (qsizetype i = 0; i < keys.size(); ++i)
                row.setFieldText(keys.left(i + 1).toStdString() + row.fieldText().substr(static_cast<size_t>(i)));
        } else {
            Q_ASSERT(step.startsWith("set:"));
            row.setFieldText(step.mid(4).toStdString());
        }
    }
}

}  // namespace

class PhaseDurationsTest : public QObject {
    Q_OBJECT
private slots:
    void aLimitStartsDisabledWithEmptyFieldAndLabel() {
        PhaseLimit limit;
        PhaseLimitRow row(limit);
        QVERIFY(!row.checked());
        QVERIFY(!row.fieldVisible());
        QCOMPARE(row.fieldText(), std::string());
        QCOMPARE(row.labelText(), std::string());
        QCOMPARE(limit.seconds, 0);
    }

    void typedTextGivesTheSecondsAndTheLabel_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("75 is clamped to 60, the field keeps 75")
            << QStringList{"check", "type:75"} << "75" << "60 сек" << 60 << true;
        QTest::newRow("45 typed key by key") << QStringList{"check", "type:45"} << "45" << "45 сек" << 45 << true;
        QTest::newRow("60 is kept") << QStringList{"check", "set:60"} << "60" << "60 сек" << 60 << true;
        QTest::newRow("1 is kept") << QStringList{"check", "set:1"} << "1" << "1 сек" << 1 << true;
        QTest::newRow("0 gives 0") << QStringList{"check", "set:45", "set:0"} << "0" << "0 сек" << 0 << true;
        QTest::newRow("-5 gives 0") << QStringList{"check", "set:45", "set:-5"} << "-5" << "0 сек" << 0 << true;
        QTest::newRow("letters give 0") << QStringList{"check", "set:45", "set:abc"} << "abc" << "0 сек" << 0 << true;
        QTest::newRow("a number with letters after it gives 0")
            << QStringList{"check", "set:45", "set:12a"} << "12a" << "0 сек" << 0 << true;
        QTest::newRow("an emptied field gives 0")
            << QStringList{"check", "type:5", "erase"} << "" << "0 сек" << 0 << true;
        QTest::newRow("beyond 32 bits gives 0")
            << QStringList{"check", "set:45", "set:2147483648"} << "2147483648" << "0 сек" << 0 << true;
        QTest::newRow("the largest 32-bit number gives 60")
            << QStringList{"check", "set:2147483647"} << "2147483647" << "60 сек" << 60 << true;
        QTest::newRow("a dollar sign reads hexadecimal") << QStringList{"check", "set:$10"} << "$10" << "16 сек" << 16
                                                         << true;
        QTest::newRow("0x reads hexadecimal") << QStringList{"check", "set:0x1e"} << "0x1e" << "30 сек" << 30 << true;
        QTest::newRow("leading blanks and a plus sign are accepted")
            << QStringList{"check", "set:  +20"} << "  +20" << "20 сек" << 20 << true;
        QTest::newRow("first check without typing: seconds 0, label empty")
            << QStringList{"check"} << "" << "" << 0 << true;
        QTest::newRow("unchecking blanks field and label, keeps the seconds")
            << QStringList{"check", "set:45", "uncheck"} << " " << " " << 45 << false;
        QTest::newRow("checking again shows the blanks and keeps the seconds")
            << QStringList{"check", "set:45", "uncheck", "check"} << " " << " " << 45 << true;
        QTest::newRow("a number typed after the blank is read")
            << QStringList{"check", "set:45", "uncheck", "check", "type:7"} << " 7" << "7 сек" << 7 << true;
        QTest::newRow("a number typed in front of the blank is invalid")
            << QStringList{"check", "set:45", "uncheck", "check", "front:7"} << "7 " << "0 сек" << 0 << true;
        QTest::newRow("a change while unchecked reads nothing")
            << QStringList{"set:30"} << "30" << "" << 0 << false;
        QTest::newRow("checking does not read the field")
            << QStringList{"set:30", "check"} << "30" << "" << 0 << true;
    }
    void typedTextGivesTheSecondsAndTheLabel() {
        QFETCH(QStringList, steps);
        QFETCH(QString, field);
        QFETCH(QString, label);
        QFETCH(int, seconds);
        QFETCH(bool, enabled);
        PhaseLimit limit;
        PhaseLimitRow row(limit);
        run(row, steps);
        QCOMPARE(QString::fromStdString(row.fieldText()), field);
        QCOMPARE(QString::fromStdString(row.labelText()), label);
        QCOMPARE(limit.seconds, seconds);
        QCOMPARE(limit.enabled, enabled);
        QCOMPARE(row.fieldVisible(), enabled);
    }

    void theLabelFollowsEveryKey() {
        PhaseLimit limit;
        PhaseLimitRow row(limit);
        row.setChecked(true);
        row.setFieldText("4");
        QCOMPARE(row.labelText(), std::string("4 сек"));
        QCOMPARE(limit.seconds, 4);
        row.setFieldText("45");
        QCOMPARE(row.labelText(), std::string("45 сек"));
        QCOMPARE(limit.seconds, 45);
    }
};

QTEST_GUILESS_MAIN(PhaseDurationsTest)
#include "phase_durations_test.moc"
