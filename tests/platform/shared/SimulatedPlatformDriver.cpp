// The platform cases on the simulation: its controls cause what a case needs.
#include "qmsim/Simulation.h"
#include "tests/platform/shared/PlatformCheck.h"
#include "tests/platform/shared/PlatformDriver.h"

namespace platformcase {
namespace {

// Input takes a moment, as on the real platform, so time stamps can be told apart.
constexpr DWORD kInputMilliseconds = 5;

class SimulatedPlatformDriver : public PlatformDriver {
public:
    HWND CreateWindowWithProc(WNDPROC proc, bool unicode) override { return qmsim::CreateTestWindow(proc, unicode); }
    void DestroyWindowNow(HWND window) override { qmsim::DestroyTestWindow(window); }
    LRESULT DefaultProc(HWND, UINT, WPARAM, LPARAM) override { return 0; }
    LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        return qmsim::DeliverMessage(window, message, wParam, lParam);
    }

    GUID Keyboard() override { return Attached("keyboard", DI8DEVTYPE_KEYBOARD); }
    GUID Mouse() override { return Attached("mouse", DI8DEVTYPE_MOUSE); }

    void Type(const std::vector<KeyStroke>& keys) override {
        for (const KeyStroke& key : keys) {
            PassTime();
            qmsim::QueueRecord("keyboard", key.key, key.down ? 0x80 : 0);
        }
    }
    void MoveMouse(LONG dx, LONG dy) override {
        PassTime();
        qmsim::QueueMouseMove("mouse", dx, dy);
    }

    void MoveFocusAway() override { PC_CHECK(qmsim::MoveFocusAway()); }
    void MoveFocusBack() override { PC_CHECK(qmsim::MoveFocusBack()); }

private:
    static GUID Attached(const std::string& name, BYTE type) {
        return qmsim::IsAttached(name) ? qmsim::GetInstanceGuid(name) : qmsim::AttachDevice(name, type);
    }
    static void PassTime() { qmsim::SetTickCount(GetTickCount() + kInputMilliseconds); }
};

SimulatedPlatformDriver g_driver;

}  // namespace

PlatformDriver& Driver() { return g_driver; }

}  // namespace platformcase
