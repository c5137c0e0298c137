// A million random and mutated texts through the typed-number conversion,
// each compared with a plainly written oracle.

#include <QtTest>

#include <cerrno>
#include <cstdlib>
#include <random>
#include <regex>
#include <string>

#include "config/typed_number.h"

using namespace kestrani;

namespace {

// The rule written the other way round: the shape by a regular expression,
// the value by the C library.
std::optional<long long> oracle(const std::string& text) {
    static const std::regex shape(R"(^ *([+-]?)(\$[0-9A-Fa-f]+|0[xX][0-9A-Fa-f]+|[0-9]+)$)");
    std::smatch match;
    if (!std::regex_match(text, match, shape))
        return std::nullopt;
    std::string digits = match[2];
    int base = 10;
    if (digits[0] == '$') {
        digits = digits.substr(1);
        base = 16;
    } else if (digits.size() > 1 && (digits[1] == 'x' || digits[1] == 'X')) {
        digits = digits.substr(2);
        base = 16;
    }
    errno = 0;
    const unsigned long long magnitude = std::strtoull(digits.c_str(), nullptr, base);
    if (errno == ERANGE)
        return std::nullopt;
    const bool negative = match[1] == "-";
    if (magnitude > (negative ? 2147483648ULL : 2147483647ULL))
        return std::nullopt;
    return negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
}

const std::vector<std::string> alphabet = {"0", "1", "5", "9", "7", "a", "F", "x", "X", "$", "+", "-", " ", "g",
                                           ".", "\t", "я", "5", "0x", "$", "2147483647", "2147483648", ""};
const std::vector<std::string> seeds = {"45", "$10", " 0x1F", "-2147483648", "2147483647", "60", "-5", " 99", "+7",
                                        "0", "", " ", "ffff", "0x", "$", "--1", "1 "};

}  // namespace

class TypedNumberFuzzTest : public QObject {
    Q_OBJECT
private slots:
    void aMillionTextsAgreeWithTheOracle() {
        std::mt19937 random(20261207);
        auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
        long valid = 0;
        for (int i = 0; i < 1000000; ++i) {
            std::string text;
            if (i % 2 == 0) {
                text = seeds[pick(seeds.size())];
                for (int edits = 1 + int(pick(3)); edits > 0; --edits) {
                    const std::size_t at = text.empty() ? 0 : pick(text.size() + 1);
                    switch (pick(3)) {
                    case 0: text.insert(at, alphabet[pick(alphabet.size())]); break;
                    case 1: if (at < text.size()) text.erase(at, 1); break;
                    default: if (at < text.size()) text[at] = alphabet[pick(alphabet.size())].c_str()[0]; break;
                    }
                }
            } else {
                for (std::size_t length = pick(14); length > 0; --length)
                    text += alphabet[pick(alphabet.size())];
            }
            const auto expected = oracle(text);
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
