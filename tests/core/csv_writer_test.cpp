// CSV: what is written reads back, through Python's csv module, to the same
// values, decimals to the last bit.

#include <QtTest>

#include <ctime>
#include <sstream>

#include "fakes/result_samples.h"
#include "results/csv_writer.h"

using namespace kestrani;
using namespace kestrani::fakes;

class CsvWriterTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        qputenv("TZ", "UTC");
        tzset();
    }

    void localTimesOfHandWorkedMoments() {
        QCOMPARE(localTimeText(1'800'000'000'000), std::string("2027-01-15 08:00:00"));
        QCOMPARE(localTimeText(-1), std::string("1969-12-31 23:59:59"));
    }

    void resultsReadBackThroughPython() {
        std::vector<ExerciseResult> results;
        for (int n = 0; n < 12; ++n)
            results.push_back(sampleResult(n));
        results[5].reached[0] = 0.1;
        results[6].reached[0] = 1e-300;
        results[7].reached[0] = 32.000000000000014;
        std::ostringstream out;
        writeCsv(out, results);

        QTemporaryDir dir;
        QFile file(dir.filePath("results.csv"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(out.str()));
        file.close();
        QProcess python;
        python.start("python3", {READ_RESULTS_CSV, file.fileName()});
        QVERIFY(python.waitForFinished(30000));
        QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());
        const QJsonObject read = QJsonDocument::fromJson(python.readAllStandardOutput()).object();

        const QJsonArray header = read["header"].toArray();
        QCOMPARE(header.size(), 30);
        QCOMPARE(header[0].toString(), QString("Начало"));
        QCOMPARE(header[29].toString(), QString("Поворот, град."));
        const QJsonArray rows = read["rows"].toArray();
        QCOMPARE(rows.size(), 12);
        for (qsizetype n = 0; n < rows.size(); ++n) {
            const ExerciseResult& r = results[static_cast<std::size_t>(n)];
            const QJsonArray row = rows[n].toArray();
            QCOMPARE(row.size(), 30);
            QCOMPARE(row[0].toInteger(), r.startedAt / 1000);
            QCOMPARE(row[1].toInteger(), r.endedAt / 1000);
            QCOMPARE(row[2].toInt(), static_cast<int>(r.exerciseKind));
            QCOMPARE(row[3].toString().toStdString(), std::string(objectKindName(r.objectKind)));
            QCOMPARE(row[4].toString().split(", ", Qt::SkipEmptyParts).size(), qsizetype(r.changeable.count()));
            QCOMPARE(row[5].toString().split(", ", Qt::SkipEmptyParts).size(), qsizetype(r.asked.count()));
            QCOMPARE(row[6].toString(), QString(r.nonMonotonic ? "да" : "нет"));
            const auto optional = [](const QJsonValue& v) { return v.isDouble() ? std::optional<int>(v.toInt()) : std::nullopt; };
            QCOMPARE(optional(row[9]), r.referenceShowSeconds);
            QCOMPARE(optional(row[10]), r.delaySeconds);
            QCOMPARE(optional(row[11]), r.objectShowSeconds);
            QCOMPARE(optional(row[12]), r.standardColour);
            QCOMPARE(row[13].toInt(), int(r.referenceColour.red));
            QCOMPARE(row[15].toInt(), int(r.referenceColour.blue));
            QCOMPARE(row[16].toInt(), r.rightAnswers);
            QCOMPARE(row[17].toString().toStdString(), std::string(endText(r.end)));
            QCOMPARE(row[18].toInt(), r.deltaRed);
            QCOMPARE(row[20].toInt(), r.deltaBlue);
            for (std::size_t i = 0; i < r.reached.size(); ++i) {
                const QJsonValue field = row[21 + static_cast<qsizetype>(i)];
                QCOMPARE(field.isDouble(), r.reached[i].has_value());
                if (r.reached[i])
                    QVERIFY2(field.toDouble() == *r.reached[i], qPrintable(field.toVariant().toString()));
            }
        }
    }
};

QTEST_GUILESS_MAIN(CsvWriterTest)
#include "csv_writer_test.moc"
