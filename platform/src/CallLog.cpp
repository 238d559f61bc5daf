// The record of platform calls, and the texts its lines are made of.
#include <atomic>
#include <cstdio>

#include "PlatformState.h"

namespace qmsim::detail {

namespace {

struct NamedResult {
    HRESULT code;
    const char* name;
};

// One name per value; S_FALSE stands for DirectInput's several names of 1.
constexpr NamedResult kResultNames[] = {
    {DI_OK, "DI_OK"},
    {S_FALSE, "S_FALSE"},
    {DI_POLLEDDEVICE, "DI_POLLEDDEVICE"},
    {E_PENDING, "E_PENDING"},
    {DIERR_UNSUPPORTED, "DIERR_UNSUPPORTED"},
    {DIERR_NOINTERFACE, "DIERR_NOINTERFACE"},
    {E_POINTER, "E_POINTER"},
    {DIERR_GENERIC, "DIERR_GENERIC"},
    {DIERR_NOAGGREGATION, "DIERR_NOAGGREGATION"},
    {DIERR_DEVICENOTREG, "DIERR_DEVICENOTREG"},
    {DIERR_NOTBUFFERED, "DIERR_NOTBUFFERED"},
    {DIERR_UNPLUGGED, "DIERR_UNPLUGGED"},
    {DIERR_NOTFOUND, "DIERR_NOTFOUND"},
    {E_ACCESSDENIED, "E_ACCESSDENIED"},
    {DIERR_NOTACQUIRED, "DIERR_NOTACQUIRED"},
    {DIERR_OUTOFMEMORY, "DIERR_OUTOFMEMORY"},
    {DIERR_NOTINITIALIZED, "DIERR_NOTINITIALIZED"},
    {DIERR_INPUTLOST, "DIERR_INPUTLOST"},
    {DIERR_INVALIDPARAM, "DIERR_INVALIDPARAM"},
    {DIERR_ACQUIRED, "DIERR_ACQUIRED"},
    {DIERR_OLDDIRECTINPUTVERSION, "DIERR_OLDDIRECTINPUTVERSION"},
    {DIERR_BETADIRECTINPUTVERSION, "DIERR_BETADIRECTINPUTVERSION"},
};

}  // namespace

std::string Hex(std::uintptr_t value) {
    char text[2 + 2 * sizeof value + 1];
    std::snprintf(text, sizeof text, "0x%jX", static_cast<std::uintmax_t>(value));
    return text;
}

std::string ResultName(HRESULT result) {
    for (const NamedResult& entry : kResultNames)
        if (entry.code == result) return entry.name;
    return Hex(static_cast<DWORD>(result));
}

namespace {
std::atomic<bool> g_bCallLogging{true};
}  // namespace

bool IsCallLogging() { return g_bCallLogging.load(std::memory_order_relaxed); }

// A long run (the monitor's) drops its oldest half rather than growing without end.
void Log(std::string line) {
    if (!IsCallLogging()) return;
    std::vector<std::string>& log = State().log;
    if (log.size() >= kLogCapacity) log.erase(log.begin(), log.begin() + kLogCapacity / 2);
    log.push_back(std::move(line));
}

}  // namespace qmsim::detail

namespace qmsim {

std::vector<std::string> CallLog() {
    auto lock = detail::LockPlatform();
    return detail::State().log;
}

void ClearCallLog() {
    auto lock = detail::LockPlatform();
    detail::State().log.clear();
}

void SetCallLogging(bool enabled) { detail::g_bCallLogging = enabled; }

}  // namespace qmsim
