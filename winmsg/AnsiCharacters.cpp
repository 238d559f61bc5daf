#include "winmsg/AnsiCharacters.h"

sAnsiCharacters ToAnsiCharacters(WPARAM unit)
{
    const auto wide = static_cast<WCHAR>(unit);
    CHAR bytes[2] = {};
    const int count = WideCharToMultiByte(CP_ACP, 0, &wide, 1, bytes, sizeof bytes, nullptr, nullptr);
    if (count <= 0)
        return {{'?', 0}, 1};
    return {{static_cast<unsigned char>(bytes[0]), static_cast<unsigned char>(bytes[1])}, count};
}
