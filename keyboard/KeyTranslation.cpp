// The key tables: DirectInput scan codes, key characters and Windows virtual
// keys. Each is written as the list of codes that have an entry and turned into
// a dense lookup array at compile time; every code without an entry gives 0.
#include "keyboard/KeyTranslation.h"

#include <array>
#include <cstddef>

namespace {

template <typename Result>
struct sCodeEntry {
    int m_nCode;
    Result m_oResult;
};

template <typename Result, std::size_t Size, std::size_t Count>
constexpr std::array<Result, Size> MakeLookup(const std::array<sCodeEntry<Result>, Count>& entries)
{
    std::array<Result, Size> lookup{};
    for (const auto& entry : entries)
        lookup[static_cast<std::size_t>(entry.m_nCode)] = entry.m_oResult;
    return lookup;
}

// Entries that collide or map to 0 would go unnoticed in a dense array.
template <typename Result, std::size_t Size>
constexpr std::size_t CountEntries(const std::array<Result, Size>& lookup)
{
    std::size_t count = 0;
    for (const auto& result : lookup)
        count += result != Result{} ? 1 : 0;
    return count;
}

template <typename Result, std::size_t Size>
constexpr Result LookUp(const std::array<Result, Size>& lookup, long long code, long long first,
                        long long last)
{
    if (code < first || code > last)
        return Result{};
    return lookup[static_cast<std::size_t>(code)];
}

// ---- DirectInput scan code (DIK_*) to key code ---------------------------
// The keys from Esc to F10 keep their scan code as key code, Left Alt excepted;
// F11 to F15 follow F10, which moves Num Lock and the keypad up by five.
constexpr long long kFirstScanCode = 0x01;
constexpr long long kLastScanCode = 0xDD;

constexpr std::array<sCodeEntry<eKeyType>, 96> kScanCodeKeys{{
    {0x01, KEY_ESCAPE},
    {0x02, KEY_1}, {0x03, KEY_2}, {0x04, KEY_3}, {0x05, KEY_4}, {0x06, KEY_5},
    {0x07, KEY_6}, {0x08, KEY_7}, {0x09, KEY_8}, {0x0A, KEY_9}, {0x0B, KEY_0},
    {0x0E, KEY_BACKSPACE}, {0x0F, KEY_TAB},
    {0x10, KEY_Q}, {0x11, KEY_W}, {0x12, KEY_E}, {0x13, KEY_R}, {0x14, KEY_T},
    {0x15, KEY_Y}, {0x16, KEY_U}, {0x17, KEY_I}, {0x18, KEY_O}, {0x19, KEY_P},
    {0x1C, KEY_ENTER}, {0x1D, KEY_LCONTROL},
    {0x1E, KEY_A}, {0x1F, KEY_S}, {0x20, KEY_D}, {0x21, KEY_F}, {0x22, KEY_G},
    {0x23, KEY_H}, {0x24, KEY_J}, {0x25, KEY_K}, {0x26, KEY_L},
    {0x2A, KEY_LSHIFT},
    {0x2C, KEY_Z}, {0x2D, KEY_X}, {0x2E, KEY_C}, {0x2F, KEY_V}, {0x30, KEY_B},
    {0x31, KEY_N}, {0x32, KEY_M},
    {0x36, KEY_RSHIFT},
    {0x37, KEY_NUMPAD_MULTIPLY},
    {0x38, KEY_LALT},  // DIK_LMENU
    {0x39, KEY_SPACE},
    {0x3A, KEY_CAPSLOCK},
    {0x3B, KEY_F1}, {0x3C, KEY_F2}, {0x3D, KEY_F3}, {0x3E, KEY_F4}, {0x3F, KEY_F5},
    {0x40, KEY_F6}, {0x41, KEY_F7}, {0x42, KEY_F8}, {0x43, KEY_F9}, {0x44, KEY_F10},
    {0x45, KEY_NUMLOCK}, {0x46, KEY_SCROLLLOCK},
    {0x47, KEY_NUMPAD7}, {0x48, KEY_NUMPAD8}, {0x49, KEY_NUMPAD9},
    {0x4A, KEY_NUMPAD_SUBTRACT},
    {0x4B, KEY_NUMPAD4}, {0x4C, KEY_NUMPAD5}, {0x4D, KEY_NUMPAD6},
    {0x4E, KEY_NUMPAD_ADD},
    {0x4F, KEY_NUMPAD1}, {0x50, KEY_NUMPAD2}, {0x51, KEY_NUMPAD3},
    {0x52, KEY_NUMPAD0},
    {0x53, KEY_NUMPAD_DECIMAL},
    {0x57, KEY_F11}, {0x58, KEY_F12},
    {0x64, KEY_F13}, {0x65, KEY_F14}, {0x66, KEY_F15},
    {0x9D, KEY_RCONTROL},
    {0xAE, KEY_VOLUMEDOWN},
    {0xB0, KEY_VOLUMEUP},
    {0xB5, KEY_NUMPAD_DIVIDE},
    {0xB8, KEY_RALT},  // DIK_RMENU
    {0xC5, KEY_PAUSE},
    {0xC7, KEY_HOME}, {0xC8, KEY_UP}, {0xC9, KEY_PAGEUP},
    {0xCB, KEY_LEFT}, {0xCD, KEY_RIGHT},
    {0xCF, KEY_END}, {0xD0, KEY_DOWN}, {0xD1, KEY_PAGEDOWN},
    {0xD2, KEY_INSERT}, {0xD3, KEY_DELETE},
    {0xDB, KEY_LWIN}, {0xDC, KEY_RWIN}, {0xDD, KEY_APPS},
}};

constexpr auto kScanCodeLookup = MakeLookup<eKeyType, kLastScanCode + 1>(kScanCodeKeys);
static_assert(CountEntries(kScanCodeLookup) == kScanCodeKeys.size());

// ---- Key code to character -----------------------------------------------
// The character of a key alone: no Shift, Caps Lock or layout takes part, so
// letters are the lower-case ones of a US layout.
constexpr long long kFirstCharKey = KEY_1;
constexpr long long kLastCharKey = KEY_NUMPAD_DIVIDE;

constexpr std::array<sCodeEntry<int>, 44> kKeyCharacters{{
    {KEY_1, '1'}, {KEY_2, '2'}, {KEY_3, '3'}, {KEY_4, '4'}, {KEY_5, '5'},
    {KEY_6, '6'}, {KEY_7, '7'}, {KEY_8, '8'}, {KEY_9, '9'}, {KEY_0, '0'},
    {KEY_TAB, '\t'},
    {KEY_Q, 'q'}, {KEY_W, 'w'}, {KEY_E, 'e'}, {KEY_R, 'r'}, {KEY_T, 't'},
    {KEY_Y, 'y'}, {KEY_U, 'u'}, {KEY_I, 'i'}, {KEY_O, 'o'}, {KEY_P, 'p'},
    {KEY_ENTER, '\n'},
    {KEY_A, 'a'}, {KEY_S, 's'}, {KEY_D, 'd'}, {KEY_F, 'f'}, {KEY_G, 'g'},
    {KEY_H, 'h'}, {KEY_J, 'j'}, {KEY_K, 'k'}, {KEY_L, 'l'},
    {KEY_Z, 'z'}, {KEY_X, 'x'}, {KEY_C, 'c'}, {KEY_V, 'v'}, {KEY_B, 'b'},
    {KEY_N, 'n'}, {KEY_M, 'm'},
    {KEY_NUMPAD_MULTIPLY, '*'},
    {KEY_SPACE, ' '},
    {KEY_NUMPAD_SUBTRACT, '-'},
    {KEY_NUMPAD_ADD, '+'},
    {KEY_NUMPAD_DECIMAL, ','},  // the decimal-separator key of a comma locale
    {KEY_NUMPAD_DIVIDE, '/'},
}};

constexpr auto kKeyCharacterLookup = MakeLookup<int, kLastCharKey + 1>(kKeyCharacters);
static_assert(CountEntries(kKeyCharacterLookup) == kKeyCharacters.size());

// ---- Windows virtual key (VK_*) to key code -------------------------------
// The generic Shift, Ctrl and Alt codes give the left-hand keys; the sided
// codes, the keypad separator, F13 and up and the punctuation keys have none.
constexpr long long kFirstVirtualKey = 0x08;
constexpr long long kLastVirtualKey = 0xA5;

constexpr std::array<sCodeEntry<eKeyType>, 89> kVirtualKeys{{
    {0x08, KEY_BACKSPACE},  // VK_BACK
    {0x09, KEY_TAB},
    {0x0D, KEY_ENTER},      // VK_RETURN, the keypad's Enter as well
    {0x10, KEY_LSHIFT},     // VK_SHIFT
    {0x11, KEY_LCONTROL},   // VK_CONTROL
    {0x12, KEY_LALT},       // VK_MENU
    {0x13, KEY_PAUSE},
    {0x14, KEY_CAPSLOCK},   // VK_CAPITAL
    {0x1B, KEY_ESCAPE},
    {0x20, KEY_SPACE},
    {0x21, KEY_PAGEUP},     // VK_PRIOR
    {0x22, KEY_PAGEDOWN},   // VK_NEXT
    {0x23, KEY_END}, {0x24, KEY_HOME},
    {0x25, KEY_LEFT}, {0x26, KEY_UP}, {0x27, KEY_RIGHT}, {0x28, KEY_DOWN},
    {0x2D, KEY_INSERT}, {0x2E, KEY_DELETE},
    {0x30, KEY_0}, {0x31, KEY_1}, {0x32, KEY_2}, {0x33, KEY_3}, {0x34, KEY_4},
    {0x35, KEY_5}, {0x36, KEY_6}, {0x37, KEY_7}, {0x38, KEY_8}, {0x39, KEY_9},
    {'A', KEY_A}, {'B', KEY_B}, {'C', KEY_C}, {'D', KEY_D}, {'E', KEY_E},
    {'F', KEY_F}, {'G', KEY_G}, {'H', KEY_H}, {'I', KEY_I}, {'J', KEY_J},
    {'K', KEY_K}, {'L', KEY_L}, {'M', KEY_M}, {'N', KEY_N}, {'O', KEY_O},
    {'P', KEY_P}, {'Q', KEY_Q}, {'R', KEY_R}, {'S', KEY_S}, {'T', KEY_T},
    {'U', KEY_U}, {'V', KEY_V}, {'W', KEY_W}, {'X', KEY_X}, {'Y', KEY_Y},
    {'Z', KEY_Z},
    {0x5B, KEY_LWIN}, {0x5C, KEY_RWIN}, {0x5D, KEY_APPS},
    {0x60, KEY_NUMPAD0}, {0x61, KEY_NUMPAD1}, {0x62, KEY_NUMPAD2}, {0x63, KEY_NUMPAD3},
    {0x64, KEY_NUMPAD4}, {0x65, KEY_NUMPAD5}, {0x66, KEY_NUMPAD6}, {0x67, KEY_NUMPAD7},
    {0x68, KEY_NUMPAD8}, {0x69, KEY_NUMPAD9},
    {0x6A, KEY_NUMPAD_MULTIPLY},
    {0x6B, KEY_NUMPAD_ADD},
    {0x6D, KEY_NUMPAD_SUBTRACT},
    {0x6E, KEY_NUMPAD_DECIMAL},
    {0x6F, KEY_NUMPAD_DIVIDE},
    {0x70, KEY_F1}, {0x71, KEY_F2}, {0x72, KEY_F3}, {0x73, KEY_F4},
    {0x74, KEY_F5}, {0x75, KEY_F6}, {0x76, KEY_F7}, {0x77, KEY_F8},
    {0x78, KEY_F9}, {0x79, KEY_F10}, {0x7A, KEY_F11}, {0x7B, KEY_F12},
    {0x90, KEY_NUMLOCK},
    {0x91, KEY_SCROLLLOCK},  // VK_SCROLL
    {0xA5, KEY_RALT},        // VK_RMENU
}};

constexpr auto kVirtualKeyLookup = MakeLookup<eKeyType, kLastVirtualKey + 1>(kVirtualKeys);
static_assert(CountEntries(kVirtualKeyLookup) == kVirtualKeys.size());

}  // namespace

eKeyType TranslateDirectInputKey(unsigned long scanCode)
{
    return LookUp(kScanCodeLookup, static_cast<long long>(scanCode), kFirstScanCode,
                  kLastScanCode);
}

int TranslateKeyToChar(eKeyType key)
{
    return LookUp(kKeyCharacterLookup, key, kFirstCharKey, kLastCharKey);
}

eKeyType TranslateWindowsVirtualKey(int virtualKey)
{
    return LookUp(kVirtualKeyLookup, virtualKey, kFirstVirtualKey, kLastVirtualKey);
}
