// Loading and unloading the module 200 times in one process, with every kind
// of device created, used and freed each time. Nothing may stay behind: no
// registered factory, no hook on the game window, no DirectInput interface, no
// reference, and no memory (LeakSanitizer checks that when the process ends).
#include <dlfcn.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/ContractViolations.h"
#include "framework/QmFrameworkControl.h"
#include "qmsim/Simulation.h"
#include "tools/monitor/DeviceOpening.h"
#include "tools/monitor/GameWindow.h"
#include "tools/monitor/InputHost.h"
#include "tools/monitor/ModuleLibrary.h"

namespace {

constexpr int kLoads = 200;

// One load's worth of work: enumeration (window keyboard and mouse, joystick),
// a DirectInput keyboard and mouse made by name, input on all of them.
void UseModule(const qmmonitor::CModuleLibrary& module, const qmmonitor::CGameWindow& window)
{
    qmmonitor::CInputHost host(module);
    ASSERT_TRUE(host.Server().EnumerateDevices());
    for (const char* className : {"CQmDi8Keyboard", "CQmDi8Mouse"}) {
        const long deviceId = host.NewDevice(className);
        qmmonitor::CDeviceReference device(host.Server(), deviceId);
        ASSERT_NE(device.Get(), nullptr) << className;
        const GUID instance = qmsim::GetInstanceGuid(className == std::string("CQmDi8Keyboard") ? "kbd" : "mouse");
        ASSERT_TRUE(qmmonitor::OpenDevice(*device.Get(), *qmmonitor::FindDeviceClass(className), instance));
    }
    window.Deliver(WM_KEYDOWN, 'A', 0);
    window.Deliver(WM_MOUSEMOVE, 0, 0x00100010);
    qmsim::QueueRecord("kbd", DIK_A, 0x80, 1);
    qmsim::QueueRecord("mouse", 0, 5, 1);
    for (long deviceId : host.DeviceIds()) {
        qmmonitor::CDeviceReference device(host.Server(), deviceId);
        if (device->DoesDeviceNeedPolling())
            device->Poll();
    }
    EXPECT_EQ(host.TakeEventLines().size(), 5u) << "key down and character, two moves, key down by message";
    host.Shutdown();
}

TEST(ModuleReloadTest, TwoHundredLoadsLeaveNothingBehind)
{
    qmsim::Reset();
    qmhost::ClearContractViolations();
    qmsim::AttachDevice("kbd", DI8DEVTYPE_KEYBOARD);
    qmsim::AttachDevice("mouse", DI8DEVTYPE_MOUSE);
    qmsim::AttachDevice("pad", DI8DEVTYPE_GAMEPAD);
    const qmmonitor::CGameWindow window;
    const long factoriesBefore = qmhost::RegisteredFactoryCount();

    for (int load = 0; load < kLoads; ++load) {
        SCOPED_TRACE("load " + std::to_string(load + 1));
        qmmonitor::CModuleLibrary module;
        std::string error;
        ASSERT_TRUE(module.Load(QM_INPUT_MODULE_PATH, error)) << error;
        ASSERT_EQ(qmhost::RegisteredFactoryCount(), factoriesBefore + 6);
        UseModule(module, window);
        module.Unload();

        ASSERT_EQ(dlopen(QM_INPUT_MODULE_PATH, RTLD_NOW | RTLD_NOLOAD), nullptr) << "the module stayed loaded";
        ASSERT_EQ(qmhost::RegisteredFactoryCount(), factoriesBefore);
        ASSERT_TRUE(window.HasOwnProcedure()) << "a hook was left on the game window";
        ASSERT_EQ(qmsim::LiveDirectInputs(), 0);
        ASSERT_EQ(qmsim::LiveDeviceInterfaces(), 0);
        ASSERT_EQ(qmhost::OutstandingDeviceRefs(), 0);
        ASSERT_EQ(qmhost::OutstandingEventRefs(), 0);
        ASSERT_EQ(qmhost::LiveEventRecords(), 0);
        ASSERT_EQ(TakeContractViolations(), std::vector<std::string>{});
        qmsim::ClearCallLog();
    }
}

// Another program subclasses the game window above the module's hooks, so
// they cannot leave at FreeDevices: the module must stay loaded after its
// unload, since the window still calls its procedures, and they must leave once
// the other program has gone.
WNDPROC g_pReplacedByForeign = nullptr;

LRESULT CALLBACK ForeignProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(g_pReplacedByForeign, window, message, wParam, lParam);
}

TEST(ModuleReloadTest, HooksLeftBelowAForeignProcedureKeepTheModuleLoaded)
{
    qmsim::Reset();
    qmsim::AttachDevice("kbd", DI8DEVTYPE_KEYBOARD);
    qmsim::AttachDevice("mouse", DI8DEVTYPE_MOUSE);
    const qmmonitor::CGameWindow window;
    {
        qmmonitor::CModuleLibrary module;
        std::string error;
        ASSERT_TRUE(module.Load(QM_INPUT_MODULE_PATH, error)) << error;
        qmmonitor::CInputHost host(module);
        // Hooked a second time, the window's hooks are procedures made at run
        // time, outside the module's image: they must pin it all the same.
        ASSERT_TRUE(host.Server().EnumerateDevices());
        host.Server().FreeDevices();
        ASSERT_TRUE(host.Server().EnumerateDevices());
        g_pReplacedByForeign = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window.GetHandle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc)));
        host.Shutdown();
        module.Unload();
    }
    ASSERT_NE(dlopen(QM_INPUT_MODULE_PATH, RTLD_NOW | RTLD_NOLOAD), nullptr) << "the module was unloaded";
    const auto pins = qmsim::PinnedModules();
    EXPECT_NE(std::find(pins.begin(), pins.end(), std::string(QM_INPUT_MODULE_PATH)), pins.end());

    const long before = window.GetOwnProcedureMessages();
    EXPECT_EQ(window.Deliver(WM_KEYDOWN, 'A', 0), 1);
    SetWindowLongPtrA(window.GetHandle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pReplacedByForeign));
    EXPECT_EQ(window.Deliver(WM_MOUSEMOVE, 0, 0x00100010), 1);
    EXPECT_EQ(window.GetOwnProcedureMessages(), before + 2);
    EXPECT_TRUE(window.HasOwnProcedure()) << "the hooks left at the first message on top";
    EXPECT_EQ(qmhost::OutstandingDeviceRefs(), 0);
}

}  // namespace
