#include <gtest/gtest.h>

#include "automation/error.h"
#include "automation/value.h"

using automation::Error;
using automation::Value;

namespace {

int32_t errorCode(const std::function<void()>& conversion) {
    try {
        conversion();
    } catch (const Error& error) {
        return error.code();
    }
    return 0;
}

}  // namespace

TEST(Value, NumbersFromTextFollowBasicCoercion) {
    EXPECT_EQ(Value("11").toInt16(), 11);
    EXPECT_EQ(Value(" 9 ").toInt16(), 9);
    EXPECT_EQ(Value(2.5).toInt16(), 2);  // half to even
    EXPECT_EQ(Value(3.5).toInt16(), 4);
    EXPECT_EQ(Value(true).toInt16(), -1);
    EXPECT_EQ(Value().toInt32(), 0);
}

TEST(Value, BadTextIsATypeMismatchAndLargeNumbersOverflow) {
    EXPECT_EQ(errorCode([] { Value("").toInt16(); }), automation::errors::TypeMismatch);
    EXPECT_EQ(errorCode([] { Value("11x").toInt16(); }), automation::errors::TypeMismatch);
    EXPECT_EQ(errorCode([] { Value("40000").toInt16(); }), automation::errors::Overflow);
    EXPECT_EQ(errorCode([] { Value(int32_t{-32769}).toInt16(); }), automation::errors::Overflow);
    EXPECT_EQ(errorCode([] { Value(automation::Object()).toString(); }), automation::errors::TypeMismatch);
}

TEST(Value, TextOfValues) {
    EXPECT_EQ(Value(int16_t{-3}).toString(), "-3");
    EXPECT_EQ(Value(false).toString(), "False");
    EXPECT_EQ(Value().toString(), "");
    EXPECT_TRUE(Value("True").toBool());
    EXPECT_FALSE(Value(int16_t{0}).toBool());
}

TEST(Value, EmptyIsNothingAsAnObject) {
    EXPECT_TRUE(Value().toObject().isNothing());
    EXPECT_EQ(errorCode([] { Value(int16_t{1}).toObject(); }), automation::errors::TypeMismatch);
}

TEST(Object, CallsOnNothingRaiseObjectNotSet) {
    automation::Object nothing;
    EXPECT_EQ(errorCode([&] { nothing.get("Name"); }), automation::errors::ObjectNotSet);
    EXPECT_EQ(errorCode([&] { nothing.as(automation::Interface::OutlookApplication); }),
              automation::errors::ObjectNotSet);
}

TEST(Value, TextToNumberAcceptsBasicFormsOnly) {
    EXPECT_EQ(Value("-12").toInt16(), -12);
    EXPECT_EQ(Value("+7").toInt16(), 7);
    EXPECT_EQ(Value("\t3 ").toInt16(), 3);
    EXPECT_DOUBLE_EQ(Value(".5").toDouble(), 0.5);
    EXPECT_DOUBLE_EQ(Value("2.").toDouble(), 2);
    EXPECT_DOUBLE_EQ(Value("1.5E2").toDouble(), 150);
    EXPECT_DOUBLE_EQ(Value("25d-1").toDouble(), 2.5);
    EXPECT_DOUBLE_EQ(Value("1e-999").toDouble(), 0);
    for (const char* text : {"0x0C", "0X1p3", "inf", "-Infinity", "nan", "1e", "1e+", ".", "-", "1 2", "12..", "--1"})
        EXPECT_EQ(errorCode([&] { Value(text).toDouble(); }), automation::errors::TypeMismatch) << text;
    EXPECT_EQ(errorCode([] { Value(std::string("1\0", 2)).toDouble(); }), automation::errors::TypeMismatch);
    EXPECT_EQ(errorCode([] { Value("1e999").toDouble(); }), automation::errors::Overflow);
    EXPECT_EQ(errorCode([] { Value("-1E400").toDouble(); }), automation::errors::Overflow);
}
