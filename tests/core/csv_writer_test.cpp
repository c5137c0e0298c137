// CSV: what is written reads back, through Python's csv module, to the same
// values, decimals to twelve significant digits.

#include <QtTest>

#include <cmath>
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
        results[7].reached[0] = 32.000000000000014;  // 32, as binary arithmetic reaches it
        results[8].reached[0] = 20.480000000000018;
        std::ostringstream out;
        writeCsv(out, results);
        const QJsonObject read = readBack(out.str());

        const QJsonArray header = read["header"].toArray();
        QCOMPARE(header.size(), 31);
        QCOMPARE(header[0].toString(), QString("Начало"));
        QCOMPARE(header[29].toString(), QString("Поворот, град."));
        QCOMPARE(header[30].toString(), QString("Цвет, ΔE00"));
        const QJsonArray rows = read["rows"].toArray();
        QCOMPARE(rows.size(), 12);
        for (qsizetype n = 0; n < rows.size(); ++n) {
            const ExerciseResult& r = results[static_cast<std::size_t>(n)];
            const QJsonArray row = rows[n].toArray();
            QCOMPARE(row.size(), 31);
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
            for (std::size_t i = 0; i < r.reached.size(); ++i)
                QVERIFY(sameNumber(row[21 + static_cast<qsizetype>(i)], r.reached[i]));
            QVERIFY(sameNumber(row[30], r.deltaE00));
        }
        // Without the noise of binary arithmetic.
        QCOMPARE(rows[7].toArray()[21].toDouble(), 32.0);
        QVERIFY(out.str().find(",20.48,") != std::string::npos);
        QVERIFY(out.str().find("1e-300") != std::string::npos);
    }

    void answersReadBackThroughPython() {
        std::vector<AnswerRecord> answers;
        for (int n = 0; n < 36; ++n)
            answers.push_back(sampleAnswer(n));
        std::ostringstream out;
        writeAnswersCsv(out, answers);
        const QJsonObject read = readBack(out.str());
        const QJsonArray header = read["header"].toArray();
        QCOMPARE(header.size(), 27);
        QCOMPARE(header[0].toString(), QString("Начало упражнения"));
        QCOMPARE(header[11].toString(), QString("Время реакции, мс"));
        QCOMPARE(header[26].toString(), QString("Миллиметров в пикселе"));
        const QJsonArray rows = read["rows"].toArray();
        QCOMPARE(rows.size(), 36);
        for (qsizetype n = 0; n < rows.size(); ++n) {
            const AnswerRecord& a = answers[static_cast<std::size_t>(n)];
            const QJsonArray row = rows[n].toArray();
            QCOMPARE(row.size(), 27);
            QCOMPARE(row[0].toInteger(), a.exerciseStartedAt / 1000);
            QCOMPARE(row[1].toInt(), a.number);
            QCOMPARE(row[2].toInteger(), a.answeredAt / 1000);
            QCOMPARE(row[3].toInt(), static_cast<int>(a.exerciseKind));
            QCOMPARE(row[6].toString().toStdString(), a.question ? std::string(questionText(*a.question)) : "");
            QCOMPARE(row[7].toString(), QString(!a.askedMore ? "" : *a.askedMore ? "больше" : "меньше"));
            QCOMPARE(row[8].toString().toStdString(), std::string(choiceText(a.key)));
            QCOMPARE(row[9].toString().toStdString(), std::string(choiceText(a.given)));
            QCOMPARE(row[10].toString(), QString(a.right ? "да" : "нет"));
            QCOMPARE(row[11].isDouble() ? std::optional<int>(row[11].toInt()) : std::nullopt, a.reactionMilliseconds);
            QVERIFY(sameNumber(row[12], a.level));
            QVERIFY(sameNumber(row[13], a.colour ? std::optional<double>(a.colour->deltaE00) : std::nullopt));
            QVERIFY(sameNumber(row[16], a.colour ? std::optional<double>(a.colour->hue) : std::nullopt));
            for (std::size_t i = 0; i < a.difference.size(); ++i)
                QVERIFY(sameNumber(row[17 + static_cast<qsizetype>(i)], a.difference[i]));
            QVERIFY(sameNumber(row[26], a.millimetresPerPixel));
        }
    }

private:
    // What is written reads back through Python's csv module.
    static QJsonObject readBack(const std::string& csv) {
        QTemporaryDir dir;
        QFile file(dir.filePath("written.csv"));
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(QByteArray::fromStdString(csv));
        file.close();
        QProcess python;
        python.start("python3", {READ_RESULTS_CSV, file.fileName()});
        python.waitForFinished(30000);
        if (python.exitCode() != 0)
            qWarning("%s", python.readAllStandardError().constData());
        return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    }

    // A field holds the value to twelve significant digits, or is empty for none.
    static bool sameNumber(const QJsonValue& field, const std::optional<double>& value) {
        if (!value)
            return field.isString() && field.toString().isEmpty();
        // Half a unit of the twelfth digit: at most 5 parts in 10^12 of the value.
        return field.isDouble() && std::fabs(field.toDouble() - *value) <= 6e-12 * std::fabs(*value);
    }
};

QTEST_GUILESS_MAIN(CsvWriterTest)
#include "csv_writer_test.moc"
