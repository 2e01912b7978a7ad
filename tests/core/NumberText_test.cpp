#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <locale>

#include "core/ColourMatch.h"

namespace zebak {
namespace {

TEST(FarbeInToleranz, BoundsAreStrictAndSigned) {
    const Rgb ref{100, 100, 100};
    EXPECT_FALSE(colourMatches(ref, ref, 0)) << "tolerance 0 matches nothing";
    EXPECT_TRUE(colourMatches(ref, ref, 1));
    EXPECT_FALSE(colourMatches(Rgb{101, 100, 100}, ref, 1));
    EXPECT_FALSE(colourMatches(Rgb{100, 100, 99}, ref, 1));
    // Reference 0 with tolerance 40 accepts 0..39; 255 accepts 216..255.
    EXPECT_TRUE(colourMatches(Rgb{0, 39, 0}, Rgb{0, 0, 0}, 40));
    EXPECT_FALSE(colourMatches(Rgb{0, 40, 0}, Rgb{0, 0, 0}, 40));
    EXPECT_TRUE(colourMatches(Rgb{255, 216, 255}, Rgb{255, 255, 255}, 40));
    EXPECT_FALSE(colourMatches(Rgb{255, 215, 255}, Rgb{255, 255, 255}, 40));
    // The largest tolerance accepts everything but nothing is accepted at 0 even for 255.
    EXPECT_TRUE(colourMatches(Rgb{0, 255, 0}, Rgb{255, 0, 128}, 256));
}

TEST(FarbeInToleranz, MatcherTablesAgreeWithTheRule) {
    for (int t : {0, 1, 2, 40, 255}) {
        const Rgb ref{3, 128, 250};
        const ColourMatcher m(ref, t);
        for (int v = 0; v < 256; v += 1) {
            const Rgb p{static_cast<std::uint8_t>(v), 128, static_cast<std::uint8_t>(255 - v)};
            EXPECT_EQ(m.matches(p), colourMatches(p, ref, t)) << "t=" << t << " v=" << v;
        }
    }
}

TEST(Nullenweg, TrimsZerosAndPointOnlyAfterAPoint) {
    EXPECT_EQ(trimZeros("0.04000"), "0.04");
    EXPECT_EQ(trimZeros("2.00000"), "2");
    EXPECT_EQ(trimZeros("-0.50000"), "-0.5");
    EXPECT_EQ(trimZeros("0.000"), "0");
    EXPECT_EQ(trimZeros("120"), "120");
    EXPECT_EQ(trimZeros("100"), "100") << "zeros of an integer stay";
    EXPECT_EQ(trimZeros(""), "");
}

TEST(NumberTexts, FixedPointWithPointRoundedAndTrimmed) {
    EXPECT_EQ(timeText(1.0 / 25), "0.04");
    EXPECT_EQ(timeText(50.0 / 25), "2");
    EXPECT_EQ(timeText(1.0 / 3), "0.333");
    EXPECT_EQ(timeText(2.0 / 3), "0.667");
    EXPECT_EQ(lengthText(-12.3456789), "-12.34568");
    EXPECT_EQ(lengthText(200.0), "200");
    EXPECT_EQ(lengthText(-0.000001), "0") << "no minus sign on a rounded zero";
    EXPECT_EQ(fixedText(0.04, 3), "0.040");
    EXPECT_EQ(fixedText(1234567.5, 0).find('e'), std::string::npos);
    EXPECT_EQ(fixedText(1e20, 5), "100000000000000000000.00000");
}

struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(NumberTexts, IgnoreACommaInTheGlobalCppLocale) {
    const std::locale saved =
        std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    EXPECT_EQ(lengthText(-0.5), "-0.5");
    EXPECT_EQ(timeText(0.04), "0.04");
    EXPECT_EQ(readCellNumber("2.5"), 2.5);
    std::locale::global(saved);
}

/// Switches the C locale to German (decimal comma); builds it into a temporary folder with
/// localedef when the system has none installed. False when neither works.
bool switchToGermanLocale() {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8")) return true;
    const std::string dir = ::testing::TempDir() + "zebak-locales";
    ::setenv("LOCPATH", dir.c_str(), 1);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8")) return true;  // built by an earlier run
    const std::string make = "mkdir -p '" + dir + "' && localedef -i de_DE -f UTF-8 '" + dir +
                             "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(make.c_str()) != 0) return false;
    return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}

TEST(NumberTexts, IgnoreACommaLocale) {
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    if (!switchToGermanLocale()) GTEST_SKIP() << "no locale with a decimal comma available";
    ASSERT_EQ(*std::localeconv()->decimal_point, ',');
    EXPECT_EQ(lengthText(-0.5), "-0.5");
    EXPECT_EQ(timeText(0.04), "0.04");
    EXPECT_EQ(readCellNumber("2.5"), 2.5);
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(Nurzahlen, PassesNumberKeysTurnsCommaIntoPoint) {
    for (char c : std::string("0123456789-.")) EXPECT_EQ(nurzahlen(c), c);
    EXPECT_EQ(nurzahlen(8), 8);
    EXPECT_EQ(nurzahlen(13), 13);
    EXPECT_EQ(nurzahlen(','), '.');
    for (char c : std::string("aZ +e\t/")) EXPECT_EQ(nurzahlen(c), 0) << c;
}

TEST(ReadCellNumber, WellFormedTextsEmptyAndMalformed) {
    EXPECT_EQ(readCellNumber(""), 0.0);
    EXPECT_EQ(readCellNumber("  "), 0.0);
    EXPECT_EQ(readCellNumber("12"), 12.0);
    EXPECT_EQ(readCellNumber("-0.5"), -0.5);
    EXPECT_EQ(readCellNumber("0.12300"), 0.123);
    EXPECT_EQ(readCellNumber("3."), 3.0);
    EXPECT_EQ(readCellNumber(".25"), 0.25);
    EXPECT_EQ(readCellNumber(" 7 "), 7.0);
    for (const char* bad :
         {"1.2.3", "-", ".", "-.", "--1", "1-2", "1e5", "abc", "1,5", "+1", "0x10"})
        EXPECT_FALSE(readCellNumber(bad).has_value()) << bad;
}

}  // namespace
}  // namespace zebak
