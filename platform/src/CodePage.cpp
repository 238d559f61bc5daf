// Messages passed between procedures of different kinds: the platform converts
// their characters between the ANSI code page and UTF-16, as it does when an
// ANSI procedure sits in a Unicode window's chain or the other way round.
#include <array>

#include "PlatformState.h"

namespace qmsim::detail {
namespace {

// Windows-1252, the ANSI code page of an English system (and of Wine under a
// C locale): bytes 0x80-0x9F are the only ones that are not Latin-1.
constexpr std::array<WPARAM, 32> kCp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr WPARAM kDefaultChar = '?';

bool CarriesCharacter(UINT message) {
    return message == WM_CHAR || message == WM_DEADCHAR || message == WM_SYSCHAR || message == WM_SYSDEADCHAR;
}

WPARAM AnsiToUnicode(WPARAM character) {
    const WPARAM byte = character & 0xFF;
    return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte;
}

// A character the code page lacks becomes '?' (Windows first tries a similar
// letter, for instance e for an e with a mark the code page does not have; the
// characters used here have none).
WPARAM UnicodeToAnsi(WPARAM character) {
    const WPARAM unit = character & 0xFFFF;
    if (unit < 0x80 || (unit >= 0xA0 && unit < 0x100)) return unit;
    for (WPARAM byte = 0; byte < kCp1252High.size(); ++byte)
        if (kCp1252High[byte] == unit) return 0x80 + byte;
    return kDefaultChar;
}

}  // namespace

LRESULT CallProcedure(WNDPROC proc, bool procUnicode, bool messageUnicode, HWND window, UINT message,
                      WPARAM wParam, LPARAM lParam) {
    if (procUnicode != messageUnicode && CarriesCharacter(message))
        wParam = procUnicode ? AnsiToUnicode(wParam) : UnicodeToAnsi(wParam);
    return proc ? proc(window, message, wParam, lParam) : 0;
}

}  // namespace qmsim::detail

extern "C" int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWCH lpWideCharStr, int cchWideChar,
                                         LPSTR lpMultiByteStr, int cbMultiByte, LPCCH lpDefaultChar,
                                         LPBOOL lpUsedDefaultChar) {
    if (CodePage != CP_ACP || dwFlags || lpDefaultChar || lpUsedDefaultChar || !lpWideCharStr || cchWideChar < 0)
        return 0;
    if (cbMultiByte == 0) return cchWideChar;  // one byte per character in this code page
    if (!lpMultiByteStr || cbMultiByte < cchWideChar) return 0;
    for (int at = 0; at < cchWideChar; ++at)
        lpMultiByteStr[at] = static_cast<CHAR>(qmsim::detail::UnicodeToAnsi(lpWideCharStr[at]));
    return cchWideChar;
}
