// The platform cases on the real platform: input through SendInput, the focus
// taken by a window of another thread, windows made and destroyed with the
// real calls. Every step waits until the platform has delivered its messages.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "tests/platform/shared/PlatformCheck.h"
#include "tests/platform/shared/PlatformDriver.h"

namespace platformcase {
namespace {

constexpr char kClassA[] = "qminput platform case";
constexpr wchar_t kClassW[] = L"qminput platform case (Unicode)";
// How long the platform gets to deliver input and focus messages.
constexpr DWORD kSettleMilliseconds = 150;

// Dispatches this thread's messages for a while: DirectInput and the window
// manager deliver through them.
void Settle() {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    } while (GetTickCount() - start < kSettleMilliseconds);
}

void SendAndSettle(std::vector<INPUT> inputs) {
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PC_CHECK_EQ(sent, UINT(inputs.size()));
    Settle();
}

// The window of "another program": made by a thread of its own, which runs
// its message loop and takes the foreground when asked.
class OtherProgram {
public:
    OtherProgram() {
        m_ready = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        m_thread = CreateThread(nullptr, 0, &OtherProgram::Run, this, 0, &m_threadId);
        WaitForSingleObject(m_ready, INFINITE);
    }
    ~OtherProgram() {
        PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
        CloseHandle(m_ready);
    }
    // Its thread brings it to the foreground, as a program the user switches to.
    void TakeForeground() {
        PostThreadMessageA(m_threadId, kTakeForeground, 0, 0);
        WaitForSingleObject(m_ready, INFINITE);
    }

private:
    static constexpr UINT kTakeForeground = WM_APP + 1;

    static DWORD WINAPI Run(LPVOID self) { return static_cast<OtherProgram*>(self)->Loop(); }

    DWORD Loop() {
        const HWND window = CreateWindowExA(0, "STATIC", "another program", WS_OVERLAPPEDWINDOW, 200, 200, 200, 150,
                                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetEvent(m_ready);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            if (message.hwnd == nullptr && message.message == kTakeForeground) {
                ShowWindow(window, SW_SHOW);
                SetForegroundWindow(window);
                SetFocus(window);
                SetEvent(m_ready);
                continue;
            }
            DispatchMessageA(&message);
        }
        DestroyWindow(window);
        return 0;
    }

    HANDLE m_ready = nullptr;
    HANDLE m_thread = nullptr;
    DWORD m_threadId = 0;
};

class RealPlatformDriver : public PlatformDriver {
public:
    RealPlatformDriver() {
        WNDCLASSA classA{};
        classA.lpfnWndProc = DefWindowProcA;
        classA.hInstance = GetModuleHandleA(nullptr);
        classA.lpszClassName = kClassA;
        RegisterClassA(&classA);
        WNDCLASSW classW{};
        classW.lpfnWndProc = DefWindowProcW;
        classW.hInstance = GetModuleHandleA(nullptr);
        classW.lpszClassName = kClassW;
        RegisterClassW(&classW);
    }

    HWND CreateWindowWithProc(WNDPROC proc, bool unicode) override {
        const HWND window = unicode ? CreateWindowExW(0, kClassW, L"game", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240,
                                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)
                                    : CreateWindowExA(0, kClassA, "game", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240,
                                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        PC_CHECK(window != nullptr);
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        SetFocus(window);
        Settle();
        if (unicode)
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
        else
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
        PC_CHECK(GetFocus() == window);
        if (unicode)
            m_unicodeWindows.push_back(window);
        return window;
    }
    void DestroyWindowNow(HWND window) override {
        PC_CHECK(DestroyWindow(window));
        Settle();
    }
    LRESULT DefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        return IsWindowUnicode(window) ? DefWindowProcW(window, message, wParam, lParam)
                                       : DefWindowProcA(window, message, wParam, lParam);
    }
    LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        const bool unicode = std::find(m_unicodeWindows.begin(), m_unicodeWindows.end(), window) != m_unicodeWindows.end();
        return unicode ? SendMessageW(window, message, wParam, lParam) : SendMessageA(window, message, wParam, lParam);
    }

    GUID Keyboard() override { return GUID_SysKeyboard; }
    GUID Mouse() override {
        SetCursorPos(400, 300);  // room to move every way
        Settle();
        return GUID_SysMouse;
    }

    void Type(const std::vector<KeyStroke>& keys) override {
        std::vector<INPUT> inputs;
        for (const KeyStroke& key : keys) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = key.key;
            input.ki.dwFlags = KEYEVENTF_SCANCODE | (key.down ? 0 : KEYEVENTF_KEYUP);
            inputs.push_back(input);
        }
        SendAndSettle(inputs);
    }
    void MoveMouse(LONG dx, LONG dy) override {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = dx;
        input.mi.dy = dy;
        input.mi.dwFlags = MOUSEEVENTF_MOVE;
        SendAndSettle({input});
    }

    void MoveFocusAway() override {
        m_focusBefore = GetFocus();
        m_other.TakeForeground();
        Settle();
        PC_CHECK(GetFocus() == nullptr);
    }
    void MoveFocusBack() override {
        SetForegroundWindow(m_focusBefore);
        SetFocus(m_focusBefore);
        Settle();
        PC_CHECK(GetFocus() == m_focusBefore);
    }

private:
    OtherProgram m_other;
    HWND m_focusBefore = nullptr;
    // Windows of a Unicode class get their messages sent with SendMessageW.
    std::vector<HWND> m_unicodeWindows;
};

}  // namespace

PlatformDriver& Driver() {
    static RealPlatformDriver driver;
    return driver;
}

}  // namespace platformcase
