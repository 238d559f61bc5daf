#include "tools/monitor/EventFormat.h"

#include <cstdio>

namespace qmmonitor {
namespace {

struct sEventTypeName {
    eInputEventType eType;
    const char* pName;
};

constexpr sEventTypeName kEventTypes[] = {
    {INPUT_EVENT_KEY_DOWN, "KEY_DOWN"},
    {INPUT_EVENT_KEY_UP, "KEY_UP"},
    {INPUT_EVENT_KEY_CHAR, "KEY_CHAR"},
    {INPUT_EVENT_MOUSE_MOVE, "MOUSE_MOVE"},
    {INPUT_EVENT_MOUSE_WHEEL, "MOUSE_WHEEL"},
    {INPUT_EVENT_MOUSE_BUTTON_DOWN, "MOUSE_BUTTON_DOWN"},
    {INPUT_EVENT_MOUSE_BUTTON_UP, "MOUSE_BUTTON_UP"},
    {INPUT_EVENT_MOUSE_DOUBLE_CLICK, "MOUSE_DOUBLE_CLICK"},
};

}  // namespace

const char* EventTypeName(eInputEventType type)
{
    for (const sEventTypeName& entry : kEventTypes) {
        if (entry.eType == type)
            return entry.pName;
    }
    return nullptr;
}

std::string FormatEvent(const CQmInputEvent& event)
{
    char type[16];
    const char* typeName = EventTypeName(event.m_eType);
    if (!typeName) {
        std::snprintf(type, sizeof type, "%ld", static_cast<long>(event.m_eType));
        typeName = type;
    }
    // Measured first: a far-off time has hundreds of digits in %.6f.
    const auto print = [&](char* out, std::size_t size) {
        return std::snprintf(out, size, "event %s dev=%ld key=%ld value=%g x=%ld y=%ld time=%.6f",
                             typeName, static_cast<long>(event.m_nDeviceId),
                             static_cast<long>(event.m_nKey), static_cast<double>(event.m_fValue),
                             static_cast<long>(event.m_nX), static_cast<long>(event.m_nY),
                             event.m_fTime);
    };
    std::string line(static_cast<std::size_t>(print(nullptr, 0)), '\0');
    print(line.data(), line.size() + 1);
    return line;
}

}  // namespace qmmonitor
