// The DirectInput mouse fed any record stream: axis, wheel and button records
// and records of any offset with any data, sequence numbers that repeat, jump,
// step back and wrap, input loss, injected DirectInput failures, refused
// events, clock steps, other double-click and button settings, and a new
// device object now and then.
//
// After every poll the events must be exactly those the records call for:
// a move per axis group, a wheel event per wheel record, a button event per
// button record with the double-click rule applied, every position the sum of
// the moves so far (wrapping around at 32 bits, as the host's does). The
// model's rules and tables are written out apart from the module's.
#include <cstdint>

#include "fuzz/EventChecks.h"
#include "fuzz/OpStream.h"
#include "mouse/QmDi8Mouse.h"

namespace {

constexpr std::int64_t kWordRange = std::int64_t{1} << 32;

// Position units are 32-bit integers that wrap around.
std::int32_t WrappedAdd(std::int32_t a, std::int32_t b)
{
    std::int64_t sum = (std::int64_t{a} + b) % kWordRange;
    if (sum >= kWordRange / 2)
        sum -= kWordRange;
    if (sum < -kWordRange / 2)
        sum += kWordRange;
    return static_cast<std::int32_t>(sum);
}

// How far apart two wrapping positions lie: the shorter way round.
std::int64_t WrappedDistance(std::int32_t a, std::int32_t b)
{
    const std::int64_t apart = a > b ? std::int64_t{a} - b : std::int64_t{b} - a;
    return std::min(apart, kWordRange - apart);
}

// DISEQUENCE_COMPARE: `sequence` is later than `group` when it lies less than
// half the number range ahead of it, counting on from the group's number.
bool IsLater(std::int32_t group, DWORD sequence)
{
    const std::int64_t ahead = (static_cast<std::int64_t>(sequence) - static_cast<std::uint32_t>(group) + kWordRange) % kWordRange;
    return ahead > 0 && ahead <= kWordRange / 2;
}

bool IsButton(const sFuzzRecord& record)
{
    return record.m_nOffset >= DIMOFS_BUTTON0 && record.m_nOffset <= DIMOFS_BUTTON7;
}

// The key of each button, right-handed and left-handed.
struct sButtonKeys {
    DWORD m_nOffset;
    int m_nRightHanded;
    int m_nLeftHanded;
};
constexpr sButtonKeys kButtonKeys[] = {
    {DIMOFS_BUTTON0, KEY_MOUSE_LEFT, KEY_MOUSE_RIGHT}, {DIMOFS_BUTTON1, KEY_MOUSE_RIGHT, KEY_MOUSE_LEFT},
    {DIMOFS_BUTTON2, KEY_MOUSE_MIDDLE, KEY_MOUSE_MIDDLE}, {DIMOFS_BUTTON3, -1, -1},
    {DIMOFS_BUTTON4, -1, -1}, {DIMOFS_BUTTON5, -1, -1},
    {DIMOFS_BUTTON6, -1, -1}, {DIMOFS_BUTTON7, -1, -1},
};

int ButtonKey(DWORD offset, bool leftHanded)
{
    for (const sButtonKeys& keys : kButtonKeys)
        if (keys.m_nOffset == offset)
            return leftHanded ? keys.m_nLeftHanded : keys.m_nRightHanded;
    FUZZ_REQUIRE(false, "no button at offset %u", static_cast<unsigned>(offset));
    return 0;
}

// The last press of a button with a press record: left, right, middle.
struct sLastPress {
    double m_fTime;
    std::int32_t m_nX;
    std::int32_t m_nY;
};
constexpr int kButtonsWithPressRecords = 3;
constexpr std::int64_t kDoubleClickDistance = 4;

// What the mouse must make of its records: positions, press records and the
// group in progress as the mouse keeps them.
class CMouseModel : public CDeviceModel<CQmDi8Mouse> {
public:
    explicit CMouseModel(CFuzzDevice<CQmDi8Mouse>& mouse) : CDeviceModel(mouse) { RequireSettings(); }

    void Recreate()
    {
        RecreateDevice();
        m_nX = m_nY = 0;
        for (sLastPress& press : m_aPress)
            press = sLastPress{};
        RequireSettings();
    }

    void Poll()
    {
        m_oDevice.Get().Poll();
        const std::vector<sFuzzRecord> read = m_oPending.TakeRead(Name());
        std::vector<CQmInputEvent> expected;
        std::int32_t group = -1;
        bool opensGroup = true;
        for (std::size_t i = 0; i < read.size();) {
            if (opensGroup) {
                group = static_cast<std::int32_t>(read[i].m_nSequence);
                opensGroup = false;
            }
            if (IsLater(group, read[i].m_nSequence)) {
                opensGroup = true;
                continue;
            }
            const sFuzzRecord* next = i + 1 < read.size() ? &read[i + 1] : nullptr;
            Apply(read[i], next, group, expected);
            ++i;
        }
        RequireEvents(m_oFailures.Survivors(expected));
        FUZZ_REQUIRE(m_oDevice.Get().GetXPos() == m_nX && m_oDevice.Get().GetYPos() == m_nY,
                     "position (%d, %d), expected (%d, %d)", m_oDevice.Get().GetXPos(), m_oDevice.Get().GetYPos(),
                     m_nX, m_nY);
    }

private:
    void Apply(const sFuzzRecord& record, const sFuzzRecord* next, std::int32_t& group,
               std::vector<CQmInputEvent>& expected)
    {
        const long deviceId = m_oDevice.Get().GetDeviceId();
        const auto amount = static_cast<std::int32_t>(record.m_nData);
        switch (record.m_nOffset) {
        case DIMOFS_X:
        case DIMOFS_Y:
            (record.m_nOffset == DIMOFS_X ? m_nX : m_nY) = WrappedAdd(record.m_nOffset == DIMOFS_X ? m_nX : m_nY, amount);
            // The group's move comes after its last axis record.
            if (next && !IsLater(group, next->m_nSequence) && !IsButton(*next))
                return;
            expected.push_back(ExpectedEvent(INPUT_EVENT_MOUSE_MOVE, deviceId, 0, m_nX, m_nY));
            if (next)
                group = static_cast<std::int32_t>(next->m_nSequence);
            return;
        case DIMOFS_Z:
            expected.push_back(ExpectedEvent(INPUT_EVENT_MOUSE_WHEEL, deviceId, 2, m_nX, m_nY,
                                             static_cast<float>(static_cast<std::int16_t>(record.m_nData & 0xFFFF))));
            return;
        default:
            if (IsButton(record))
                expected.push_back(ButtonEvent(record));
            return;
        }
    }

    CQmInputEvent ButtonEvent(const sFuzzRecord& record)
    {
        const CQmDi8Mouse& mouse = m_oDevice.Get();
        const int button = static_cast<int>(record.m_nOffset - DIMOFS_BUTTON0);
        const int key = ButtonKey(record.m_nOffset, mouse.IsLeftHanded());
        // Bit 7 of a button record's data: the button went down.
        const bool pressed = (record.m_nData & 0x80) != 0;
        eInputEventType type = INPUT_EVENT_MOUSE_BUTTON_UP;
        if (pressed && button >= kButtonsWithPressRecords) {
            type = INPUT_EVENT_MOUSE_BUTTON_DOWN;
        } else if (pressed) {
            const double now = CTimer::GetCurTime();
            sLastPress& last = m_aPress[button];
            const bool inTime = now - last.m_fTime < mouse.GetDoubleClickTime();
            const bool near = WrappedDistance(m_nX, last.m_nX) <= kDoubleClickDistance &&
                              WrappedDistance(m_nY, last.m_nY) <= kDoubleClickDistance;
            type = inTime && near ? INPUT_EVENT_MOUSE_DOUBLE_CLICK : INPUT_EVENT_MOUSE_BUTTON_DOWN;
            last = sLastPress{now, m_nX, m_nY};
        }
        return ExpectedEvent(type, mouse.GetDeviceId(), key, m_nX, m_nY);
    }

    // A new device object takes the system's settings as it opens.
    void RequireSettings() const
    {
        const CQmDi8Mouse& mouse = m_oDevice.Get();
        if (!m_oDevice.IsCreated())
            return;
        const qmsim::Settings& settings = qmsim::GetSettings();
        FUZZ_REQUIRE(mouse.IsLeftHanded() == (settings.swapButtons == 1), "left-handed %d with swap setting %d",
                     mouse.IsLeftHanded(), settings.swapButtons);
        FUZZ_REQUIRE(mouse.GetDoubleClickTime() == static_cast<float>(settings.doubleClickMs / 1000.0),
                     "double-click time %g for %u ms", mouse.GetDoubleClickTime(), settings.doubleClickMs);
    }

    std::int32_t m_nX = 0;
    std::int32_t m_nY = 0;
    sLastPress m_aPress[kButtonsWithPressRecords] = {};
};

// The mouse's own ops, after the common ones.
enum eMouseOp {
    OP_AXIS,      // x or y by an amount, small or any
    OP_WHEEL,
    OP_BUTTON,    // one of the eight, up or down
    OP_SETTINGS,  // the platform's, read at the next Create
    MOUSE_OP_COUNT
};

DWORD AxisAmount(FuzzedDataProvider& input)
{
    if (input.ConsumeBool())
        return static_cast<DWORD>(input.ConsumeIntegralInRange<int>(-8, 8));
    return input.ConsumeIntegral<DWORD>();
}

void RunMouseOp(int op, FuzzedDataProvider& input, CMouseModel& model, DWORD& sequence)
{
    switch (op) {
    case OP_AXIS: {
        const DWORD offset = input.ConsumeBool() ? DIMOFS_X : DIMOFS_Y;
        const DWORD amount = AxisAmount(input);
        model.Queue({offset, amount, NextSequence(input, sequence)});
        break;
    }
    case OP_WHEEL: {
        const DWORD amount = input.ConsumeIntegral<DWORD>();
        model.Queue({DIMOFS_Z, amount, NextSequence(input, sequence)});
        break;
    }
    case OP_BUTTON: {
        const DWORD offset = DIMOFS_BUTTON0 + input.ConsumeIntegralInRange<DWORD>(0, 7);
        const DWORD buttonData = input.ConsumeBool() ? 0x80 : 0x00;
        model.Queue({offset, buttonData, NextSequence(input, sequence)});
        break;
    }
    default:
        qmsim::GetSettings().swapButtons = input.ConsumeIntegralInRange<int>(-1, 2);
        qmsim::GetSettings().doubleClickMs = input.ConsumeIntegralInRange<UINT>(0, 5000);
        break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return RunDeviceInput<CMouseModel>(data, size, "mouse", DI8DEVTYPE_MOUSE, MOUSE_OP_COUNT, &RunMouseOp);
}
