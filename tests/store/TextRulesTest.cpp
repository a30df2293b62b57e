#include "ArabicCodePage.h"
#include "StoreError.h"
#include "WholeNumber.h"

#include <gtest/gtest.h>

using store::StoreError;

TEST(WholeNumberConversion, AcceptsOnlyASignAndDecimalDigits)
{
    EXPECT_EQ(store::parseWholeNumber("0"), 0);
    EXPECT_EQ(store::parseWholeNumber("42"), 42);
    EXPECT_EQ(store::parseWholeNumber("+42"), 42);
    EXPECT_EQ(store::parseWholeNumber("-42"), -42);
    EXPECT_EQ(store::parseWholeNumber("007"), 7);
    for (const char* bad : {"", "+", "-", " 1", "1 ", "   ", "1.5", "1,000", "+-1", "-+1", "--1", "0x10", "$10", "1e3",
                            "abc", "12a", "\xd9\xa1" /* Arabic-Indic one */})
        EXPECT_FALSE(store::parseWholeNumber(bad).has_value()) << '"' << bad << '"';
}

TEST(WholeNumberConversion, RefusesNumbersOutside32Bits)
{
    EXPECT_EQ(store::parseWholeNumber("2147483647"), 2147483647);
    EXPECT_EQ(store::parseWholeNumber("-2147483648"), -2147483647 - 1);
    EXPECT_FALSE(store::parseWholeNumber("2147483648").has_value());
    EXPECT_FALSE(store::parseWholeNumber("-2147483649").has_value());
    EXPECT_FALSE(store::parseWholeNumber("99999999999999999999").has_value());
}

TEST(WholeNumberConversion, MessagesReadWordForWord)
{
    EXPECT_EQ(store::notAWholeNumberMessage("1.5"), "'1.5' is not a valid integer value");
    EXPECT_EQ(store::notAWholeNumberForFieldMessage("x", "ServesStart"),
              "'x' is not a valid integer value for field 'ServesStart'");
    // Arabic typed, and a pasted right-to-left override, stay inside their isolate.
    EXPECT_EQ(store::notAWholeNumberMessage("\u202Eسبعة"), "'\u2068\u202Eسبعة\u2069' is not a valid integer value");
}

TEST(WholeNumberSum, RefusesASumOutside32Bits)
{
    EXPECT_EQ(store::addWholeNumbers(2147483646, 1), 2147483647);
    EXPECT_EQ(store::addWholeNumbers(-2147483647, -1), -2147483647 - 1);
    EXPECT_THROW(store::addWholeNumbers(2147483647, 1), StoreError);
    EXPECT_THROW(store::addWholeNumbers(-2147483647 - 1, -1), StoreError);
}

TEST(TextFieldFit, CutsToTheSizeInCharactersNotBytes)
{
    const std::string ain = "\xd8\xb9"; // Arabic letter ain, two bytes in UTF-8
    std::string thirtyOne;
    for (int i = 0; i < 31; ++i)
        thirtyOne += ain;
    const std::string fitted = store::fitTextToField(thirtyOne, 30, "WorkerName");
    EXPECT_EQ(fitted.size(), 60u);
    EXPECT_EQ(store::fitTextToField("3.50x", 5, "HorsPermit"), "3.50x");
    EXPECT_EQ(store::fitTextToField("100.15", 5, "HorsPermit"), "100.1");
    EXPECT_EQ(store::fitTextToField("", 2, "Month"), "");
}

TEST(TextFieldFit, KeepsArabicCodePageCharactersAndRefusesOthers)
{
    // alef, teh marbuta, Arabic comma, Persian peh, euro sign, e acute
    EXPECT_NO_THROW(store::fitTextToField("\xd8\xa7\xd8\xa9\xd8\x8c\xd9\xbe\xe2\x82\xac\xc3\xa9", 30, "WorkerName"));
    for (const char* bad : {"\xc5\x9d" /* s circumflex */, "\xf0\x9f\x98\x80" /* emoji */, "a\tb", "\x7f",
                            "\xe0\xa4\x85" /* Devanagari a */}) {
        try {
            store::fitTextToField(bad, 30, "WorkerName");
            ADD_FAILURE() << "accepted " << bad;
        } catch (const StoreError& error) {
            EXPECT_NE(std::string(error.what()).find("WorkerName"), std::string::npos);
        }
    }
}

TEST(TextFieldFit, RefusesBytesThatAreNotUtf8)
{
    EXPECT_THROW(store::fitTextToField("\xd8", 30, "WorkerName"), StoreError);          // cut sequence
    EXPECT_THROW(store::fitTextToField("\xc0\xaf", 30, "WorkerName"), StoreError);      // overlong "/"
    EXPECT_THROW(store::fitTextToField("\xff\xfe", 30, "WorkerName"), StoreError);
}
