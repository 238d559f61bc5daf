// The three key tables, checked over every code around their ranges against
// the tables of common/KeyTables.h, written out from the key layout.
#include <climits>

#include <gtest/gtest.h>

#include "common/KeyTables.h"
#include "keyboard/KeyTranslation.h"

namespace {

using namespace keytables;

TEST(KeyTranslation, ScanCodesOverTheWholeByteRangeAndBeyond)
{
    const auto expected = ExpectedScanCodeKeys();
    ASSERT_EQ(expected.size(), 96u);
    for (long long code = 0; code <= 0x1FF; ++code) {
        EXPECT_EQ(TranslateDirectInputKey(static_cast<unsigned long>(code)), ExpectedAt(expected, code))
            << "scan code 0x" << std::hex << code;
    }
    EXPECT_EQ(TranslateDirectInputKey(0xFFFFFFFFul), KEY_NONE);
}

TEST(KeyTranslation, CharactersOfEveryKeyCode)
{
    const auto expected = ExpectedKeyCharacters();
    ASSERT_EQ(expected.size(), 44u);
    for (int key = -5; key <= 300; ++key) {
        EXPECT_EQ(TranslateKeyToChar(static_cast<eKeyType>(key)), ExpectedAt(expected, key)) << "key " << key;
    }
}

TEST(KeyTranslation, VirtualKeysOverEveryCodeAround)
{
    const auto expected = ExpectedVirtualKeys();
    ASSERT_EQ(expected.size(), 89u);
    for (int code = -300; code <= 0x1FF; ++code) {
        EXPECT_EQ(TranslateWindowsVirtualKey(code), ExpectedAt(expected, code))
            << "virtual key 0x" << std::hex << code;
    }
    EXPECT_EQ(TranslateWindowsVirtualKey(INT_MIN), KEY_NONE);
    EXPECT_EQ(TranslateWindowsVirtualKey(INT_MAX), KEY_NONE);
}

}  // namespace
