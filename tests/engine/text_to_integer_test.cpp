#include "engine/exceptions.h"
#include "engine/text_to_integer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using sumbrook::EConvertError;
using sumbrook::TextToInteger;

namespace {

struct Good {
    const char* name;
    const char* text;
    std::int32_t value;
};

class TextToIntegerGood : public ::testing::TestWithParam<Good> {};

TEST_P(TextToIntegerGood, Converts) {
    EXPECT_EQ(TextToInteger(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextToIntegerGood,
    ::testing::Values(Good{"leading_zero", "05", 5}, Good{"leading_blank", " 7", 7},
                      Good{"many_zeros", "007", 7}, Good{"zero", "0", 0},
                      Good{"minus_zero", "-0", 0}, Good{"plus_sign", "+12", 12},
                      Good{"minus_sign", "-12", -12}, Good{"blanks_then_sign", "   -3", -3},
                      Good{"max", "2147483647", 2147483647}, Good{"min", "-2147483648", INT32_MIN},
                      Good{"dollar_hex", "$1F", 31}, Good{"x_hex", "x10", 16},
                      Good{"upper_x_hex", "Xff", 255}, Good{"0x_hex", "0x7fffffff", INT32_MAX},
                      Good{"0X_hex", "0XA", 10}, Good{"hex_all_ones", "$FFFFFFFF", -1},
                      Good{"hex_top_bit", "$80000000", INT32_MIN}, Good{"negated_hex", "-$10", -16},
                      Good{"negated_all_ones", "-$FFFFFFFF", 1},
                      Good{"hex_leading_zeros", "$00000001", 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct Bad {
    const char* name;
    std::string text;
};

class TextToIntegerBad : public ::testing::TestWithParam<Bad> {};

TEST_P(TextToIntegerBad, FailsWithTheTextInTheMessage) {
    const std::string& text = GetParam().text;
    try {
        TextToInteger(text);
        FAIL() << "accepted '" << text << "'";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), "'" + text + "' is not a valid integer value");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextToIntegerBad,
    ::testing::Values(Bad{"empty", ""}, Bad{"blank", " "}, Bad{"trailing_blank", "7 "},
                      Bad{"above_max", "2147483648"}, Bad{"below_min", "-2147483649"},
                      Bad{"far_above", "99999999999999999999"}, Bad{"full_stop", "1."},
                      Bad{"decimal", "1.5"}, Bad{"two_signs", "--1"}, Bad{"sign_only", "-"},
                      Bad{"sign_after", "1-"}, Bad{"letters", "abc"},
                      Bad{"fullwidth_digits", "１２"}, Bad{"tab_before", "\t7"},
                      Bad{"blank_after_sign", "- 7"}, Bad{"hex_no_digits", "$"},
                      Bad{"0x_no_digits", "0x"}, Bad{"hex_nine_digits", "$123456789"},
                      Bad{"hex_bad_digit", "$1G"}, Bad{"embedded_nul", std::string("1\0", 2)}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
