#include "WString.h"

#include "WCodePage.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<std::string> Texts(const WStringArray& parts)
{
    std::vector<std::string> texts;
    for (int32_t i = 0; i < parts.GetCount(); ++i)
        texts.emplace_back(parts[i].GetText());
    return texts;
}

struct LongCase {
    const char* text;
    int32_t value;
    bool ok;
};

class ToLongConversion : public ::testing::TestWithParam<LongCase> {};

TEST_P(ToLongConversion, GivesValueAndWhetherTheWholeTextWasANumber)
{
    bool ok = !GetParam().ok;
    EXPECT_EQ(WString(GetParam().text).ToLong(&ok), GetParam().value);
    EXPECT_EQ(ok, GetParam().ok);
}

INSTANTIATE_TEST_SUITE_P(Cases, ToLongConversion,
                         ::testing::Values(LongCase{"  12", 12, true}, LongCase{"12a", 12, false},
                                           LongCase{"", 0, false}, LongCase{"   ", 0, false},
                                           LongCase{"-7", -7, true}, LongCase{"12 ", 12, false},
                                           LongCase{"2147483647", INT32_MAX, true},
                                           LongCase{"2147483648", INT32_MAX, false},
                                           LongCase{"-2147483649", INT32_MIN, false}));

struct RealCase {
    const char* text;
    double value;
    bool ok;
};

class ToRealConversion : public ::testing::TestWithParam<RealCase> {};

TEST_P(ToRealConversion, GivesTheLongestNumericPrefixAndWhetherItWasAll)
{
    bool ok = !GetParam().ok;
    EXPECT_DOUBLE_EQ(WString(GetParam().text).ToReal(&ok), GetParam().value);
    EXPECT_EQ(ok, GetParam().ok);
}

INSTANTIATE_TEST_SUITE_P(Cases, ToRealConversion,
                         ::testing::Values(RealCase{"-100.0", -100.0, true}, RealCase{"  3.25", 3.25, true},
                                           RealCase{"-12.35", -12.35, true}, RealCase{"12.5abc", 12.5, false},
                                           RealCase{"0.9", 0.9, true}, RealCase{"1,5", 1.0, false},
                                           RealCase{"abc", 0.0, false}, RealCase{"", 0.0, false},
                                           RealCase{"1e999", HUGE_VAL, false}, RealCase{"0x1p3", 0.0, false},
                                           RealCase{"inf", 0.0, false}, RealCase{"nan", 0.0, false}));

TEST(WStringFormat, ResultFarLongerThanTheFormatComesOutWhole)
{
    std::string argument(100, 'x');
    WString text;
    EXPECT_EQ(text.Sprintf("%s", argument.c_str()), 100);
    EXPECT_EQ(std::string(text.GetText()), argument);

    std::string huge(100000, 'y');
    EXPECT_EQ(text.Sprintf("<%s>", huge.c_str()), 100002);
    EXPECT_EQ(std::string(text.GetText()), "<" + huge + ">");
}

TEST(WStringFormat, FormatsTheProgramsCommandLines)
{
    WString command;
    EXPECT_EQ(command.Sprintf("st %d %s\r\n", 2, "12.35"), 12);
    EXPECT_STREQ(command.GetText(), "st 2 12.35\r\n");
    command.Sprintf("%.2f", -12.3456);
    EXPECT_STREQ(command.GetText(), "-12.35");
}

TEST(WStringFormat, MayFormatItsOwnTextAndANullFormatClears)
{
    WString text("abc");
    text.Sprintf("%s%s", text.GetText(), text.GetText());
    EXPECT_STREQ(text.GetText(), "abcabc");
    const char* const noFormat = nullptr;
    EXPECT_EQ(text.Sprintf(noFormat), 0);
    EXPECT_TRUE(text.IsNull());
}

TEST(WStringFormat, ThreadsFormatAtTheSameTimeWithoutMixingResults)
{
    std::atomic<int32_t> wrong{0};
    std::vector<std::thread> threads;
    for (int32_t t = 0; t < 4; ++t) {
        threads.emplace_back([t, &wrong] {
            std::string filler(static_cast<size_t>(50 + t * 40), static_cast<char>('a' + t));
            for (int32_t i = 0; i < 2000; ++i) {
                WString text;
                text.Sprintf("%d:%s:%d", t, filler.c_str(), i);
                if (std::string(text.GetText()) != std::to_string(t) + ":" + filler + ":" + std::to_string(i))
                    ++wrong;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(wrong, 0);
}

struct TokenCase {
    const char* text;
    std::vector<std::string> parts;
};

class TokenizeConfigurationLine : public ::testing::TestWithParam<TokenCase> {};

// The way the configuration file reader calls it: separators "=,", both
// kinds of quotes, every separator splits, quotes dropped.
TEST_P(TokenizeConfigurationLine, SplitsAtEqualsAndCommaOutsideQuotes)
{
    WStringArray parts;
    int32_t count = WString(GetParam().text).Tokenize(parts, "=,", true, "\"\"''", true, 0, -1);
    EXPECT_EQ(count, static_cast<int32_t>(GetParam().parts.size()));
    EXPECT_EQ(Texts(parts), GetParam().parts);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TokenizeConfigurationLine,
    ::testing::Values(TokenCase{"key=value", {"key", "value"}}, TokenCase{"Percent=50", {"Percent", "50"}},
                      TokenCase{"Percent2=-12.35", {"Percent2", "-12.35"}},
                      TokenCase{"Name=\"a=b,c\"", {"Name", "a=b,c"}}, TokenCase{"Name='x y'", {"Name", "x y"}},
                      TokenCase{"Quote='say \"hi\"'", {"Quote", "say \"hi\""}},
                      TokenCase{"Path=\"C:\\dir\\f.tci\"", {"Path", "C:\\dir\\f.tci"}},
                      TokenCase{"a==b", {"a", "", "b"}}, TokenCase{"a=", {"a", ""}},
                      TokenCase{"a=1,2", {"a", "1", "2"}}, TokenCase{"k=\"open=1", {"k", "open=1"}},
                      TokenCase{"; comment", {"; comment"}}, TokenCase{"", {}}));

TEST(WStringTokenize, WithoutTheSeparatorFlagRunsOfSeparatorsCountAsOne)
{
    WStringArray parts;
    EXPECT_EQ(WString(",a==b,").Tokenize(parts, "=,", false, "", true), 2);
    EXPECT_EQ(Texts(parts), (std::vector<std::string>{"a", "b"}));
}

TEST(WStringTokenize, WithoutTheQuoteFlagQuotesStayInThePart)
{
    WStringArray parts;
    WString("k='a=b'").Tokenize(parts, "=", true, "''", false);
    EXPECT_EQ(Texts(parts), (std::vector<std::string>{"k", "'a=b'"}));
}

TEST(WStringTokenize, StartMaximumAndTrimShapeTheParts)
{
    WStringArray parts;
    WString("a=b=c").Tokenize(parts, "=", true, "", true, 0, 2);
    EXPECT_EQ(Texts(parts), (std::vector<std::string>{"a", "b=c"}));
    WString("a=b=c").Tokenize(parts, "=", true, "", true, 2);
    EXPECT_EQ(Texts(parts), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(WString("a=b").Tokenize(parts, "=", true, "", true, 3), 0);
    EXPECT_EQ(parts.GetCount(), 0);
    WString(" a = ' b ' ").Tokenize(parts, "=", true, "''", true, 0, -1, true);
    EXPECT_EQ(Texts(parts), (std::vector<std::string>{"a", " b "}));
}

TEST(WStringSharing, ChangingACopyLeavesTheOriginal)
{
    WString original("shared text");
    WString copy(original);
    WString deep(original, true);
    EXPECT_EQ(copy.GetText(), original.GetText());
    EXPECT_NE(deep.GetText(), original.GetText());

    copy.Sprintf("changed");
    deep = "other";
    EXPECT_STREQ(original.GetText(), "shared text");
    EXPECT_STREQ(copy.GetText(), "changed");
}

// Copies of one string change hands and change on several threads at once;
// the shared storage's count must neither free it early nor lose it.
TEST(WStringSharing, CopiesChangedOnSeveralThreadsStayApart)
{
    const WString original("the original text");
    std::atomic<int32_t> wrong{0};
    std::vector<std::thread> threads;
    for (int32_t t = 0; t < 4; ++t) {
        threads.emplace_back([&original, &wrong, t] {
            for (int32_t i = 0; i < 5000; ++i) {
                WString copy(original);
                WString second = copy;
                second.Sprintf("%d/%d", t, i);
                if (std::string(copy.GetText()) != "the original text")
                    ++wrong;
                if (std::string(second.GetText()) != std::to_string(t) + "/" + std::to_string(i))
                    ++wrong;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(wrong, 0);
    EXPECT_STREQ(original.GetText(), "the original text");
}

TEST(WStringParts, ConcatLeftAndMid)
{
    WString text("Tarvek");
    EXPECT_STREQ(WString::Concat(text, " 2").GetText(), "Tarvek 2");
    EXPECT_STREQ((text + WString("!")).GetText(), "Tarvek!");
    EXPECT_STREQ(text.Left(3).GetText(), "Tar");
    EXPECT_STREQ(text.Left(30).GetText(), "Tarvek");
    EXPECT_STREQ(text.Left(-1).GetText(), "");
    EXPECT_STREQ(text.Mid(2, 3).GetText(), "rve");
    EXPECT_STREQ(text.Mid(4).GetText(), "ek");
    EXPECT_STREQ(text.Mid(4, 10).GetText(), "ek");
    EXPECT_STREQ(text.Mid(6, 1).GetText(), "");
}

TEST(WStringParts, NullAndEmptyBothReadAsEmptyText)
{
    WString null;
    WString empty("");
    EXPECT_TRUE(null.IsNull());
    EXPECT_FALSE(empty.IsNull());
    EXPECT_STREQ(null.GetText(), "");
    EXPECT_EQ(null.GetLength(), 0);
    EXPECT_TRUE(null == empty);
    EXPECT_TRUE(WString("abc", 2) == "ab");
}

TEST(WStringParts, UmlautsAreSingleCharactersOfTheProcessCodePage)
{
    WString text("Zeitüberschreitung");
    EXPECT_EQ(text.GetLength(), 18);
    EXPECT_EQ(static_cast<unsigned char>(text.GetText()[4]), 0xFCu);
}

// "Größe" and a character outside the code page (a surrogate pair, one character).
const wchar_t* const WideText = L"Gr\u00f6\u00dfe \U0001F600!";

TEST(WideString, KeepsItsKindThroughTheOperationsAndCountsASurrogatePairOnce)
{
    const WString wide(WideText);
    EXPECT_TRUE(wide.IsWide());
    EXPECT_FALSE(WString("Größe").IsWide());
    EXPECT_EQ(wide.GetLength(), 8);
    EXPECT_EQ(std::wstring(wide.Left(7).GetWideText()), L"Gr\u00f6\u00dfe \U0001F600");
    EXPECT_EQ(std::wstring(wide.Mid(6, 1).GetWideText()), L"\U0001F600");
    EXPECT_TRUE(wide.Mid(2, 2).IsWide());

    const WString joined = WString("Zeit: ") + wide;
    EXPECT_TRUE(joined.IsWide());
    EXPECT_EQ(joined.GetLength(), 14);
    EXPECT_TRUE(WString(L"Größe") == WString("Größe"));
    EXPECT_TRUE(WString(L"Größe") == "Größe");
    EXPECT_FALSE(wide == WString("Größe"));

    WString copy(wide);
    copy = copy + L"?";
    EXPECT_EQ(std::wstring(wide.GetWideText()), WideText);
}

TEST(WideString, ReadsAsCodePageTextAndNarrowTextReadsAsWide)
{
    EXPECT_STREQ(WString(L"Gr\u00f6\u00dfe \u4e2d!").GetText(), "Größe ?!");
    EXPECT_EQ(std::wstring(WString("Größe").GetWideText()), L"Gr\u00f6\u00dfe");
    bool ok = false;
    EXPECT_EQ(WString(L"  12").ToLong(&ok), 12);
    EXPECT_TRUE(ok);
    EXPECT_DOUBLE_EQ(WString(L"-100.0").ToReal(&ok), -100.0);
    EXPECT_TRUE(ok);
    // A full-width digit is no digit, not even through a look-alike.
    WString(L"\uFF11").ToLong(&ok);
    EXPECT_FALSE(ok);
}

TEST(WideString, FormatsAndSplitsAsWideText)
{
    const std::wstring hundred(100, L'\u00e4');
    WString formatted;
    EXPECT_EQ(formatted.Sprintf(L"%ls=%d", hundred.c_str(), 5), 102);
    EXPECT_TRUE(formatted.IsWide());
    EXPECT_EQ(std::wstring(formatted.GetWideText()), hundred + L"=5");

    WStringArray parts;
    ASSERT_EQ(WString(L"k='a=b',\u00fc\U0001F600").Tokenize(parts, "=,", true, "''", true), 3);
    EXPECT_TRUE(parts[1].IsWide());
    EXPECT_EQ(std::wstring(parts[1].GetWideText()), L"a=b");
    EXPECT_EQ(std::wstring(parts[2].GetWideText()), L"\u00fc\U0001F600");
}

TEST(WCodePage, LeadAndTrailByteCountAsOneCharacterInADoubleByteCodePage)
{
    constexpr UINT japanese = 932;
    if (!WIsDoubleByteCodePage(japanese))
        GTEST_SKIP() << "code page 932 is not installed";
    const char text[] = "a\x82\xa0"
                        "b\x82";
    EXPECT_EQ(WCharacterCount(text, 5, japanese), 4);
    EXPECT_EQ(WCharacterOffset(text, 5, 2, japanese), 3);
    EXPECT_EQ(WCharacterOffset(text, 5, 9, japanese), 5);
    EXPECT_EQ(WCharacterCount(text, 5, 1252), 5);
}

TEST(WArrayOfStrings, CopiesShareUntilOneChanges)
{
    WStringArray first;
    ASSERT_TRUE(first.SetCount(2));
    first[0] = "zero";
    first[1] = "one";
    WStringArray second = first;
    second[1] = "changed";
    ASSERT_TRUE(second.SetCount(3));

    EXPECT_EQ(first.GetCount(), 2);
    EXPECT_STREQ(first[1].GetText(), "one");
    EXPECT_STREQ(second[1].GetText(), "changed");
    EXPECT_STREQ(second[2].GetText(), "");
    EXPECT_FALSE(first.SetCount(-1));
}

TEST(WArrayOfStrings, OutOfRangeAccessGivesAFreshDummy)
{
    WStringArray array;
    array.SetCount(1);
    array[5] = "lost";
    EXPECT_STREQ(array[-1].GetText(), "");
    EXPECT_EQ(array.GetCount(), 1);
    const WStringArray& constant = array;
    EXPECT_STREQ(constant[9].GetText(), "");
}

}  // namespace
