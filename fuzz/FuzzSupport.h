// What every fuzz target of a DirectInput device shares: a fresh platform and
// input server per input, the op stream's sequence numbers, the records the
// simulated device holds, and the checks of the event stream.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "common/QueuedEvents.h"
#include "framework/QmFrameworkControl.h"
#include "host/KeyTypes.h"
#include "host/QmEnvironmentServer.h"
#include "host/QmString.h"
#include "host/Timer.h"
#include "qmsim/Simulation.h"
#include "server/QmDi8InputServer.h"
#include "server/QmInputDeviceRef.h"

// A broken invariant: said on stderr, then a crash that libFuzzer reports
// with the input that caused it.
#define FUZZ_REQUIRE(condition, ...)                                                                \
    do {                                                                                            \
        if (!(condition)) {                                                                         \
            std::fprintf(stderr, "invariant broken at %s:%d: %s\n", __FILE__, __LINE__, #condition); \
            std::fprintf(stderr, __VA_ARGS__);                                                      \
            std::fprintf(stderr, "\n");                                                             \
            std::abort();                                                                           \
        }                                                                                           \
    } while (false)

// One polled DirectInput device of class Device on a simulated device `name`,
// in a fresh input server, with the game window defined. When the input ends
// everything is freed, and every reference and interface must be back.
template <class Device>
class CFuzzDevice {
public:
    CFuzzDevice(const char* name, BYTE deviceType) : m_pName(name)
    {
        qmsim::Reset();
        const HWND window = qmsim::CreateTestWindow(nullptr);
        QmGetEnvironmentServer()->SetVariable(
            CQmString("Display/HWND"), static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window)));
        m_pServer = std::make_unique<CQmDi8InputServer>();
        m_oInstance = qmsim::AttachDevice(name, deviceType);
        Recreate();
    }

    ~CFuzzDevice()
    {
        m_pServer->FreeDevices();
        m_pServer.reset();
        QmGetEnvironmentServer()->RemoveVariable(CQmString("Display/HWND"));
        FUZZ_REQUIRE(qmhost::OutstandingDeviceRefs() == 0, "device references left");
        FUZZ_REQUIRE(qmhost::OutstandingEventRefs() == 0, "event references left");
        FUZZ_REQUIRE(qmhost::LiveEventRecords() == 0, "event records left");
        FUZZ_REQUIRE(qmsim::LiveDeviceInterfaces() == 0, "DirectInput device interfaces left");
        FUZZ_REQUIRE(qmsim::LiveDirectInputs() == 0, "DirectInput interfaces left");
    }

    CFuzzDevice(const CFuzzDevice&) = delete;
    CFuzzDevice& operator=(const CFuzzDevice&) = delete;

    Device& Get() { return *m_pDevice; }
    const std::string& Name() const { return m_pName; }
    // Whether the last Create succeeded.
    bool IsCreated() const { return m_bCreated; }

    // Deletes the device object, if any, and makes and opens a new one, as
    // the framework would after a reset of its input.
    void Recreate()
    {
        if (m_nDeviceId != -1)
            m_pServer->DeleteDevice(m_nDeviceId);
        m_nDeviceId = m_pServer->NewDevice(CQmString(Device::GetClassType().GetName()));
        CQmInputDeviceRef<Device> device(m_nDeviceId);
        FUZZ_REQUIRE(device.Get() != nullptr, "no device made by name");
        m_pDevice = device.Get();
        // A refused Create leaves the device as it is; its polls must cope.
        m_bCreated = m_pDevice->Create(m_oInstance);
    }

private:
    std::string m_pName;
    std::unique_ptr<CQmDi8InputServer> m_pServer;
    GUID m_oInstance{};
    long m_nDeviceId = -1;
    Device* m_pDevice = nullptr;
    bool m_bCreated = false;
};

struct sFuzzRecord {
    DWORD m_nOffset;
    DWORD m_nData;
    DWORD m_nSequence;
};

// The op stream's sequence numbers: mostly counting up, but also repeating,
// jumping anywhere, stepping back and running up to the 32-bit wrap.
inline DWORD NextSequence(FuzzedDataProvider& input, DWORD& sequence)
{
    switch (input.ConsumeIntegralInRange<int>(0, 5)) {
    case 0: break;
    case 1: sequence += 1; break;
    case 2: sequence = input.ConsumeIntegral<DWORD>(); break;
    case 3: sequence = 0xFFFFFFF0u + input.ConsumeIntegralInRange<DWORD>(0, 0x1F); break;
    case 4: sequence -= input.ConsumeIntegralInRange<DWORD>(1, 4); break;
    default: sequence = 0x7FFFFFF0u + input.ConsumeIntegralInRange<DWORD>(0, 0x1F); break;
    }
    return sequence;
}

// The records the simulated device holds, in the order it hands them out:
// every record it kept, until one is read or the buffer is emptied.
class CPendingRecords {
public:
    void Queue(const std::string& name, const sFuzzRecord& record)
    {
        if (qmsim::QueueRecord(name, record.m_nOffset, record.m_nData, record.m_nSequence))
            m_oRecords.push_back(record);
    }

    // Input lost, or a new device interface: the buffer starts empty.
    void Clear() { m_oRecords.clear(); }

    // The records read since the last call, oldest first: what the device's
    // buffer no longer holds.
    std::vector<sFuzzRecord> TakeRead(const std::string& name)
    {
        const std::size_t left = qmsim::GetDeviceState(name).bufferedRecords;
        FUZZ_REQUIRE(left <= m_oRecords.size(), "the device holds %zu records, %zu were kept", left,
                     m_oRecords.size());
        const std::size_t read = m_oRecords.size() - left;
        std::vector<sFuzzRecord> taken(m_oRecords.begin(), m_oRecords.begin() + static_cast<long>(read));
        m_oRecords.erase(m_oRecords.begin(), m_oRecords.begin() + static_cast<long>(read));
        return taken;
    }

private:
    std::deque<sFuzzRecord> m_oRecords;
};

// The framework's NewEvent refusals a test asked for: they hit the next
// events made, in order.
class CEventFailures {
public:
    void Set(int count)
    {
        qmhost::FailNextNewEvents(count);
        m_nLeft = count;
    }

    // The events that were made of those expected.
    std::vector<CQmInputEvent> Survivors(const std::vector<CQmInputEvent>& expected)
    {
        const std::size_t failed = std::min<std::size_t>(static_cast<std::size_t>(m_nLeft), expected.size());
        m_nLeft -= static_cast<int>(failed);
        return {expected.begin() + static_cast<long>(failed), expected.end()};
    }

private:
    int m_nLeft = 0;
};

inline bool IsModuleEventType(int type)
{
    return type >= INPUT_EVENT_KEY_DOWN && type <= INPUT_EVENT_MOUSE_DOUBLE_CLICK && type != INPUT_EVENT_JOYSTICK;
}

// What holds for any event of the module, whatever its input: a type the
// module makes and a key in that type's range.
inline void RequireWellFormed(const CQmInputEvent& event)
{
    const int key = event.m_nKey;
    FUZZ_REQUIRE(IsModuleEventType(event.m_eType), "event type %d", event.m_eType);
    switch (event.m_eType) {
    case INPUT_EVENT_KEY_DOWN:
    case INPUT_EVENT_KEY_UP:
        FUZZ_REQUIRE(key >= KEY_NONE && key <= KEY_MOUSE_MIDDLE, "key %d", key);
        break;
    case INPUT_EVENT_KEY_CHAR:
        FUZZ_REQUIRE(key >= 0 && key <= 255, "character %d", key);
        break;
    case INPUT_EVENT_MOUSE_WHEEL:
        FUZZ_REQUIRE(key == 2, "wheel key %d", key);
        break;
    case INPUT_EVENT_MOUSE_BUTTON_DOWN:
    case INPUT_EVENT_MOUSE_BUTTON_UP:
    case INPUT_EVENT_MOUSE_DOUBLE_CLICK:
        FUZZ_REQUIRE((key >= KEY_MOUSE_LEFT && key <= KEY_MOUSE_MIDDLE) || key == -1, "button key %d", key);
        break;
    default:
        break;
    }
    FUZZ_REQUIRE(std::isfinite(event.m_fTime) && std::isfinite(event.m_fValue), "time or value not finite");
}

// The events the poll queued, each well formed, exactly as expected.
inline void RequireEvents(const std::vector<CQmInputEvent>& expected)
{
    const std::vector<CQmInputEvent> made = TakeQueuedEvents();
    for (const CQmInputEvent& event : made)
        RequireWellFormed(event);
    FUZZ_REQUIRE(made.size() == expected.size(), "%zu events made, %zu expected", made.size(), expected.size());
    for (std::size_t i = 0; i < made.size(); ++i) {
        const CQmInputEvent& a = made[i];
        const CQmInputEvent& b = expected[i];
        FUZZ_REQUIRE(a.m_eType == b.m_eType && a.m_nDeviceId == b.m_nDeviceId && a.m_nKey == b.m_nKey &&
                         a.m_fValue == b.m_fValue && a.m_nX == b.m_nX && a.m_nY == b.m_nY && a.m_fTime == b.m_fTime,
                     "event %zu: made type %d key %d value %g at (%d, %d) time %.17g; expected type %d key %d "
                     "value %g at (%d, %d) time %.17g",
                     i, a.m_eType, a.m_nKey, a.m_fValue, a.m_nX, a.m_nY, a.m_fTime, b.m_eType, b.m_nKey,
                     b.m_fValue, b.m_nX, b.m_nY, b.m_fTime);
    }
}

// An expected event: the fields a device writes, the rest zero as the
// framework hands a fresh record out.
inline CQmInputEvent ExpectedEvent(eInputEventType type, long deviceId, int key, int x = 0, int y = 0,
                                   float value = 0.0f)
{
    CQmInputEvent event{};
    event.m_eType = type;
    event.m_nDeviceId = static_cast<std::int32_t>(deviceId);
    event.m_nKey = key;
    event.m_fValue = value;
    event.m_nX = x;
    event.m_nY = y;
    event.m_fTime = CTimer::GetCurTime();
    return event;
}

// Injected results of the device's calls, as the fuzz input picks them.
inline void InjectDeviceFailure(FuzzedDataProvider& input, const std::string& name)
{
    static constexpr qmsim::Call kCalls[] = {qmsim::Call::GetDeviceData, qmsim::Call::Poll,
                                             qmsim::Call::Acquire,       qmsim::Call::CreateDevice,
                                             qmsim::Call::GetCapabilities, qmsim::Call::SetDataFormat,
                                             qmsim::Call::SetProperty};
    static constexpr HRESULT kResults[] = {DIERR_INPUTLOST, DIERR_NOTACQUIRED, DIERR_GENERIC,
                                           DI_BUFFEROVERFLOW, DIERR_OTHERAPPHASPRIO, DIERR_UNPLUGGED};
    const qmsim::Call call = input.PickValueInArray(kCalls);
    qmsim::InjectResult(call, input.PickValueInArray(kResults), name);
}

// Moves the clock on: mostly by less than a second, now and then by hours.
inline void StepClock(FuzzedDataProvider& input)
{
    if (input.ConsumeBool())
        qmhost::AdvanceTime(input.ConsumeIntegralInRange<int>(0, 1000) / 1024.0);
    else
        qmhost::AdvanceTime(input.ConsumeIntegral<std::uint16_t>());
}

// What a device's model shares: the records its simulated device holds and
// the event refusals asked for. The model of each device class adds the
// state it mirrors, its Poll (which checks the events) and its Recreate.
template <class Device>
class CDeviceModel {
public:
    using DeviceClass = Device;

    explicit CDeviceModel(CFuzzDevice<Device>& device) : m_oDevice(device) {}

    const std::string& Name() const { return m_oDevice.Name(); }
    void Queue(const sFuzzRecord& record) { m_oPending.Queue(Name(), record); }
    void LoseInput()
    {
        qmsim::LoseInput(Name());
        m_oPending.Clear();
    }
    CEventFailures& Failures() { return m_oFailures; }

protected:
    // A new device object on a new interface, whose buffer starts empty.
    void RecreateDevice()
    {
        m_oDevice.Recreate();
        m_oPending.Clear();
    }

    CFuzzDevice<Device>& m_oDevice;
    CPendingRecords m_oPending;
    CEventFailures m_oFailures;
};

// The ops every device's input is made of; a device adds its own after them.
enum eCommonOp {
    OP_POLL,
    OP_CLOCK,
    OP_LOSE_INPUT,
    OP_RECREATE,
    OP_INJECT,
    OP_FAIL_EVENTS,
    OP_RAW,  // a record of any offset and data
    COMMON_OP_COUNT
};

constexpr int kMostOpsPerInput = 600;

// Runs one input on a fresh device of the model's class: a stream of ops,
// each picked by a byte, the common ones here and the device's own (numbered
// from 0) by `runOwnOp(op, input, model, sequence)`. A last poll checks what
// is still buffered.
template <class Model, class RunOwnOp>
int RunDeviceInput(const std::uint8_t* data, std::size_t size, const char* name, BYTE deviceType, int ownOps,
                   RunOwnOp&& runOwnOp)
{
    FuzzedDataProvider input(data, size);
    CFuzzDevice<typename Model::DeviceClass> device(name, deviceType);
    Model model(device);
    DWORD sequence = 0;
    for (int i = 0; i < kMostOpsPerInput && input.remaining_bytes() > 0; ++i) {
        const int op = input.ConsumeIntegralInRange<int>(0, COMMON_OP_COUNT + ownOps - 1);
        switch (op) {
        case OP_POLL: model.Poll(); break;
        case OP_CLOCK: StepClock(input); break;
        case OP_LOSE_INPUT: model.LoseInput(); break;
        case OP_RECREATE: model.Recreate(); break;
        case OP_INJECT: InjectDeviceFailure(input, model.Name()); break;
        case OP_FAIL_EVENTS: model.Failures().Set(input.ConsumeIntegralInRange<int>(0, 3)); break;
        case OP_RAW: {
            const DWORD offset = input.ConsumeIntegral<DWORD>();
            const DWORD recordData = input.ConsumeIntegral<DWORD>();
            model.Queue({offset, recordData, NextSequence(input, sequence)});
            break;
        }
        default: runOwnOp(op - COMMON_OP_COUNT, input, model, sequence); break;
        }
    }
    model.Poll();
    model.Failures().Set(0);
    return 0;
}
