// Another program's subclassing of a window, as real programs (overlays,
// recorders, remappers) do it: it keeps the procedure it replaced and passes
// every message on to it, in the window's kind; on leaving it puts that
// procedure back, wherever it sits in the chain by then. It keeps what it
// replaced, so a program that later puts this one back in makes it pass
// messages on again. With AnswersUnknownMessages it answers WM_NULL and the
// registered messages itself, passing on only the rest.
#pragma once

#include "server/PlatformApi.h"

template <int Program, bool AnswersUnknownMessages = false>
struct sOtherProgram {
    static inline WNDPROC s_pReplaced = nullptr;
    static inline bool s_bUnicode = false;
    static inline int s_nCalls = 0;

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        ++s_nCalls;
        if (AnswersUnknownMessages && (message == WM_NULL || message >= 0xC000))
            return 0;
        return s_bUnicode ? CallWindowProcW(s_pReplaced, window, message, wParam, lParam)
                          : CallWindowProcA(s_pReplaced, window, message, wParam, lParam);
    }

    static WNDPROC Replace(HWND window, WNDPROC procedure)
    {
        const auto value = reinterpret_cast<LONG_PTR>(procedure);
        return reinterpret_cast<WNDPROC>(s_bUnicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, value)
                                                    : SetWindowLongPtrA(window, GWLP_WNDPROC, value));
    }

    static void Subclass(HWND window)
    {
        s_bUnicode = IsWindowUnicode(window) != FALSE;
        s_pReplaced = Replace(window, &Proc);
    }

    static void PutBack(HWND window) { Replace(window, s_pReplaced); }
};
