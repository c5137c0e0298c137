#include "fakes/number_oracles.h"

#include <cerrno>
#include <cstdlib>
#include <algorithm>
#include <cctype>
#include <vector>

namespace kestrani::fakes {

std::optional<long long> typedNumberOracle(const std::string& text) {
    std::size_t at = text.find_first_not_of(' ');
    if (at == std::string::npos)
        return std::nullopt;
    const bool negative = text[at] == '-';
    if (text[at] == '+' || text[at] == '-')
        ++at;
    int base = 10;
    if (text.compare(at, 1, "$") == 0) {
        base = 16;
        at += 1;
    } else if (text.compare(at, 2, "0x") == 0 || text.compare(at, 2, "0X") == 0) {
        base = 16;
        at += 2;
    }
    const std::string digits = text.substr(std::min(at, text.size()));
    if (digits.empty())
        return std::nullopt;
    for (char c : digits)
        if (!(base == 16 ? std::isxdigit(static_cast<unsigned char>(c)) : std::isdigit(static_cast<unsigned char>(c))))
            return std::nullopt;
    errno = 0;
    const unsigned long long magnitude = std::strtoull(digits.c_str(), nullptr, base);
    if (errno == ERANGE || magnitude > (negative ? 2147483648ULL : 2147483647ULL))
        return std::nullopt;
    return negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
}

const Rgb standardSampleTable[100] = {
    /*  0 */ {102,254,102}, {96,254,107}, {91,253,113}, {86,252,119}, {81,251,125}, {76,249,131}, {72,247,138}, {69,244,144}, {65,241,150}, {62,238,157},
    /* 10 */ {59,235,163}, {57,231,169}, {55,226,175}, {53,222,182}, {52,217,188}, {51,212,194}, {51,207,199}, {51,201,205}, {51,196,211}, {51,190,216},
    /* 20 */ {52,184,220}, {54,178,225}, {56,171,229}, {58,165,234}, {61,159,237}, {64,153,241}, {67,146,244}, {71,139,246}, {75,133,249}, {79,127,250},
    /* 30 */ {84,121,252}, {89,115,253}, {94,109,254}, {99,103,254}, {105,98,254}, {111,93,254}, {117,87,253}, {123,82,252}, {129,78,250}, {135,74,248},
    /* 40 */ {142,70,246}, {148,66,243}, {154,63,240}, {161,60,236}, {167,58,232}, {174,55,228}, {180,54,223}, {186,52,219}, {192,51,214}, {198,51,208},
    /* 50 */ {203,51,203}, {208,51,198}, {214,51,192}, {219,52,186}, {223,54,180}, {228,55,174}, {232,58,167}, {236,60,161}, {240,63,154}, {243,66,148},
    /* 60 */ {246,70,142}, {248,74,135}, {250,78,129}, {252,82,123}, {253,87,117}, {254,93,111}, {254,98,105}, {254,103,99}, {254,109,94}, {253,115,89},
    /* 70 */ {252,121,84}, {250,127,79}, {249,133,75}, {246,139,71}, {244,146,67}, {241,152,64}, {237,159,61}, {234,165,58}, {229,171,56}, {225,178,54},
    /* 80 */ {220,184,52}, {216,190,51}, {211,196,51}, {205,201,51}, {199,207,51}, {194,212,51}, {188,217,52}, {182,222,53}, {175,226,55}, {169,231,57},
    /* 90 */ {163,235,59}, {157,238,62}, {150,241,65}, {144,244,69}, {138,247,72}, {131,249,76}, {125,251,81}, {119,252,86}, {113,253,91}, {107,254,96},
};

namespace {

const std::vector<std::string> pieces = {"0", "1", "5", "9", "7", "a", "F", "x", "X", "$", "+", "-", " ", "g",
                                         ".", "\t", "я", "Ж", "5", "0x", "$", "2147483647", "2147483648", "",
                                         "60", "99", "100", "-1", "ff", "ёлка"};
const std::vector<std::string> wellKnown = {"45", "$10", " 0x1F", "-2147483648", "2147483647", "60", "-5", " 99",
                                            "+7", "0", "", " ", "ffff", "0x", "$", "--1", "1 ", "61", "100", "-0"};

}  // namespace

std::string TypedTextSource::fresh(std::size_t maxPieces) {
    std::string text;
    for (std::size_t length = pick(maxPieces + 1); length > 0; --length)
        text += pieces[pick(pieces.size())];
    return text;
}

std::string TypedTextSource::mutated() {
    std::string text = wellKnown[pick(wellKnown.size())];
    for (int edits = 1 + int(pick(3)); edits > 0; --edits) {
        const std::size_t at = text.empty() ? 0 : pick(text.size() + 1);
        switch (pick(3)) {
        case 0: text.insert(at, pieces[pick(pieces.size())]); break;
        case 1: if (at < text.size()) text.erase(at, 1); break;
        default: if (at < text.size()) text[at] = pieces[pick(pieces.size())].c_str()[0]; break;
        }
    }
    return text;
}

std::string TypedTextSource::veryLong() {
    std::string text(200 + pick(400), '0');
    for (char& c : text)
        c = static_cast<char>('0' + pick(10));
    if (pick(4) == 0)
        text[pick(text.size())] = 'z';
    return text;
}

}  // namespace kestrani::fakes
