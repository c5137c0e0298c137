// The whole program through its real widgets: tens of thousands of random
// user actions from a fixed seed keep every invariant, and a recorded run
// played twice from start-up shows the same references, stimuli and messages.
//
// Replay a failure with KESTRANI_RANDOM_SEED=<seed> KESTRANI_RANDOM_ACTIONS=<n>.

#include <QElapsedTimer>
#include <QtTest>
#include <set>

#include "widgets/program_driver.h"

using namespace kestrani::testing;

namespace {

std::uint32_t environmentNumber(const char* name, std::uint32_t fallback) {
    bool ok = false;
    const std::uint32_t value = qEnvironmentVariable(name).toUInt(&ok);
    return ok ? value : fallback;
}

// The seed, the counts and the last steps before the failure; the whole list
// goes to a file.
QString failureReport(const ProgramDriver& driver, std::uint32_t seed, long actions) {
    QString report = QString("%1\nseed %2, %3 top-level actions; replay with KESTRANI_RANDOM_SEED=%2 "
                             "KESTRANI_RANDOM_ACTIONS=%3\n")
                         .arg(QString::fromStdString(driver.failure()))
                         .arg(seed)
                         .arg(actions);
    const std::vector<Step>& steps = driver.record();
    QFile file(QDir::temp().filePath(QString("kestrani_random_actions_%1.txt").arg(seed)));
    if (file.open(QIODevice::WriteOnly | QIODevice::Text))
        for (const Step& step : steps)
            file.write((ProgramDriver::describe(step) + '\n').c_str());
    report += QString("all %1 steps in %2; the last ones:\n").arg(steps.size()).arg(file.fileName());
    for (std::size_t i = steps.size() > 40 ? steps.size() - 40 : 0; i < steps.size(); ++i)
        report += QString::fromStdString(ProgramDriver::describe(steps[i])) + '\n';
    return report;
}

long topLevelSteps(const ProgramDriver& driver) {
    long n = 0;
    for (const Step& step : driver.record())
        n += !step.whileBoxOpen;
    return n;
}

}  // namespace

class RandomActionsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // The offscreen platform cannot stack windows and says so at every raise.
        static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.contains("does not support raise()"))
                previous(type, context, message);
        });
    }

    void twentyThousandRandomActionsKeepEveryInvariant() {
        const std::uint32_t seed = environmentNumber("KESTRANI_RANDOM_SEED", 20240611);
        const long actions = environmentNumber("KESTRANI_RANDOM_ACTIONS", 20000);
        QElapsedTimer clock;
        clock.start();
        ProgramDriver driver;
        RandomSteps source(driver, seed);
        driver.run(source, actions);
        QVERIFY2(driver.failure().empty(), qPrintable(failureReport(driver, seed, topLevelSteps(driver))));
        QCOMPARE(topLevelSteps(driver), actions);

        qInfo("%ld actions (%zu steps with those while a box was open) in %lld ms", actions, driver.record().size(),
              clock.elapsed());
        for (const char* what : {"message boxes", "program runs ended", "Начали?", "click on a card",
                                 "press on the object field", "type into a number field", "time passes"})
            qInfo("  %s: %ld", what, driver.count(what));
        if (actions >= 20000) {
            // The run has to reach the places where things can go wrong.
            QVERIFY(driver.count("message boxes") > 200);
            QVERIFY(driver.count("click on a card") > 600);
            QVERIFY(driver.count("press on the object field") > 400);
            QVERIFY(driver.count("program runs ended") > 0);
        }
    }

    void aRecordedRunPlayedTwiceShowsTheSameReferencesStimuliAndMessages() {
        ProgramDriver first(true);
        RandomSteps source(first, 77);
        first.run(source, 1500);
        QVERIFY2(first.failure().empty(), qPrintable(failureReport(first, 77, topLevelSteps(first))));

        ProgramDriver second(true);
        RecordedSteps recording(first.record());
        second.run(recording, 1500);
        QVERIFY(second.failure().empty());
        QCOMPARE(second.record().size(), first.record().size());
        QCOMPARE(second.observations().size(), first.observations().size());
        for (std::size_t i = 0; i < first.observations().size(); ++i) {
            const Observation& a = first.observations()[i];
            const Observation& b = second.observations()[i];
            if (!(a == b))
                QFAIL(qPrintable(QString("after action %1 the runs differ:\n%2\n%3\n%4\n%5")
                                     .arg(i)
                                     .arg(QString::fromStdString(a.state), QString::fromStdString(b.state),
                                          QString::fromStdString(a.texts), QString::fromStdString(b.texts))));
        }
        QCOMPARE(second.messages(), first.messages());
        // The run must show enough to compare: many messages and pictures.
        QVERIFY(first.messages().size() > 10);
        std::set<std::size_t> pictures;
        for (const Observation& o : first.observations())
            pictures.insert(o.pictures.begin(), o.pictures.end());
        QVERIFY(pictures.size() > 50);
    }
};

QTEST_MAIN(RandomActionsTest)
#include "random_actions_test.moc"
