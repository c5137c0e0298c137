// A million random and mutated texts through the typed-number conversion,
// each compared with a plainly written oracle.

#include <QtTest>

#include <string>

#include "config/typed_number.h"
#include "fakes/number_oracles.h"

using namespace kestrani;
using namespace kestrani::fakes;

class TypedNumberFuzzTest : public QObject {
    Q_OBJECT
private slots:
    void aMillionTextsAgreeWithTheOracle() {
        TypedTextSource texts(20261207);
        long valid = 0;
        for (int i = 0; i < 1000000; ++i) {
            const std::string text = i % 2 == 0 ? texts.mutated() : texts.fresh();
            const auto expected = typedNumberOracle(text);
            const auto actual = parseTypedInteger(text);
            if (expected.has_value() != actual.has_value() || (expected && *expected != *actual))
                QFAIL(qPrintable(QString("text \"%1\"").arg(QString::fromStdString(text))));
            valid += expected.has_value();
        }
        qInfo("%ld of the texts were valid numbers", valid);
        QVERIFY2(valid > 50000, "the generator must produce enough valid numbers to mean something");
    }
};

QTEST_GUILESS_MAIN(TypedNumberFuzzTest)
#include "typed_number_fuzz_test.moc"
