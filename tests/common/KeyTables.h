// The three key tables as the key layout gives them (letter rows, digit rows,
// blocks that keep or shift their scan codes), written out apart from the
// module's own tables: what KeyTranslationTest and the keyboard's fuzz model
// expect of them.
#pragma once

#include <map>
#include <string_view>

#include "host/KeyTypes.h"

namespace keytables {

// The letter rows of a US layout and the key code of each row's first letter.
struct sLetterRow {
    std::string_view letters;
    int firstKey;
};
constexpr sLetterRow kLetterRows[] = {{"qwertyuiop", KEY_Q}, {"asdfghjkl", KEY_A}, {"zxcvbnm", KEY_Z}};

inline int LetterKey(char lowerCase)
{
    for (const auto& row : kLetterRows)
        if (const auto at = row.letters.find(lowerCase); at != std::string_view::npos)
            return row.firstKey + static_cast<int>(at);
    return KEY_NONE;
}

// KEY_1 .. KEY_9 follow each other, KEY_0 comes after KEY_9.
inline int DigitKey(int digit) { return digit == 0 ? KEY_0 : KEY_1 + digit - 1; }

// The keypad digits in key-code order, rows from the top: 7 8 9, 4 5 6, 1 2 3, 0.
inline int KeypadDigitKey(int digit)
{
    constexpr int kKeys[] = {KEY_NUMPAD0, KEY_NUMPAD1, KEY_NUMPAD2, KEY_NUMPAD3, KEY_NUMPAD4,
                             KEY_NUMPAD5, KEY_NUMPAD6, KEY_NUMPAD7, KEY_NUMPAD8, KEY_NUMPAD9};
    return kKeys[digit];
}

inline std::map<long long, int> ExpectedScanCodeKeys()
{
    std::map<long long, int> keys;
    // Esc to F10 keep their scan code, with gaps for punctuation and Left Alt.
    for (long long code = 0x01; code <= 0x44; ++code)
        keys[code] = static_cast<int>(code);
    for (long long gap : {0x0C, 0x0D, 0x1A, 0x1B, 0x27, 0x28, 0x29, 0x2B, 0x33, 0x34, 0x35})
        keys.erase(gap);
    keys[0x38] = KEY_LALT;
    // Num Lock, Scroll Lock and the keypad move up by five.
    for (long long code = 0x45; code <= 0x53; ++code)
        keys[code] = static_cast<int>(code) + 5;
    const std::map<long long, int> others = {
        {0x57, KEY_F11},       {0x58, KEY_F12},         {0x64, KEY_F13},      {0x65, KEY_F14},
        {0x66, KEY_F15},       {0x9D, KEY_RCONTROL},    {0xAE, KEY_VOLUMEDOWN}, {0xB0, KEY_VOLUMEUP},
        {0xB5, KEY_NUMPAD_DIVIDE}, {0xB8, KEY_RALT},    {0xC5, KEY_PAUSE},    {0xC7, KEY_HOME},
        {0xC8, KEY_UP},        {0xC9, KEY_PAGEUP},      {0xCB, KEY_LEFT},     {0xCD, KEY_RIGHT},
        {0xCF, KEY_END},       {0xD0, KEY_DOWN},        {0xD1, KEY_PAGEDOWN}, {0xD2, KEY_INSERT},
        {0xD3, KEY_DELETE},    {0xDB, KEY_LWIN},        {0xDC, KEY_RWIN},     {0xDD, KEY_APPS},
    };
    keys.insert(others.begin(), others.end());
    return keys;
}

inline std::map<int, int> ExpectedKeyCharacters()
{
    std::map<int, int> characters;
    for (int digit = 0; digit <= 9; ++digit)
        characters[DigitKey(digit)] = '0' + digit;
    for (const auto& row : kLetterRows)
        for (char letter : row.letters)
            characters[LetterKey(letter)] = letter;
    const std::map<int, int> others = {
        {KEY_TAB, 9},    {KEY_ENTER, 10},           {KEY_NUMPAD_MULTIPLY, '*'},
        {KEY_SPACE, ' '}, {KEY_NUMPAD_SUBTRACT, '-'}, {KEY_NUMPAD_ADD, '+'},
        {KEY_NUMPAD_DECIMAL, ','}, {KEY_NUMPAD_DIVIDE, '/'},
    };
    characters.insert(others.begin(), others.end());
    return characters;
}

inline std::map<int, int> ExpectedVirtualKeys()
{
    std::map<int, int> keys = {
        {0x08, KEY_BACKSPACE}, {0x09, KEY_TAB},      {0x0D, KEY_ENTER},    {0x10, KEY_LSHIFT},
        {0x11, KEY_LCONTROL},  {0x12, KEY_LALT},     {0x13, KEY_PAUSE},    {0x14, KEY_CAPSLOCK},
        {0x1B, KEY_ESCAPE},    {0x20, KEY_SPACE},    {0x21, KEY_PAGEUP},   {0x22, KEY_PAGEDOWN},
        {0x23, KEY_END},       {0x24, KEY_HOME},     {0x25, KEY_LEFT},     {0x26, KEY_UP},
        {0x27, KEY_RIGHT},     {0x28, KEY_DOWN},     {0x2D, KEY_INSERT},   {0x2E, KEY_DELETE},
        {0x5B, KEY_LWIN},      {0x5C, KEY_RWIN},     {0x5D, KEY_APPS},     {0x6A, KEY_NUMPAD_MULTIPLY},
        {0x6B, KEY_NUMPAD_ADD}, {0x6D, KEY_NUMPAD_SUBTRACT}, {0x6E, KEY_NUMPAD_DECIMAL},
        {0x6F, KEY_NUMPAD_DIVIDE}, {0x90, KEY_NUMLOCK}, {0x91, KEY_SCROLLLOCK}, {0xA5, KEY_RALT},
    };
    for (int digit = 0; digit <= 9; ++digit) {
        keys['0' + digit] = DigitKey(digit);
        keys[0x60 + digit] = KeypadDigitKey(digit);
    }
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        keys[letter] = LetterKey(static_cast<char>(letter - 'A' + 'a'));
    for (int function = 0; function < 12; ++function)
        keys[0x70 + function] = KEY_F1 + function;
    return keys;
}

// The key or character of `code`, 0 for a code the table does not list.
template <typename Code>
int ExpectedAt(const std::map<Code, int>& table, Code code)
{
    const auto found = table.find(code);
    return found == table.end() ? 0 : found->second;
}

}  // namespace keytables
