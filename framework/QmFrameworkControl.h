// Controls and counters of the framework stand-in, for tests and the monitor.
// Not part of the framework interface the input module compiles against.
#pragma once

#include <string>
#include <vector>

#include "host/QmHostApi.h"

namespace qmhost {

// The monotonic clock behind CTimer::GetCurTime(); starts at 0.
// Never backwards: an earlier time is refused (false) and the clock keeps its value.
QM_HOST_API bool SetTime(double seconds);
QM_HOST_API void AdvanceTime(double seconds);  // negative steps are ignored

// Text written with Debug_Printf since the last call.
QM_HOST_API std::string TakeDebugOutput();

// References taken with QueryDevice/QueryEvent and not yet given back (the device
// list's own references not counted).
QM_HOST_API long OutstandingDeviceRefs();
QM_HOST_API long OutstandingEventRefs();
// Event records alive in the pool (queued or referenced).
QM_HOST_API long LiveEventRecords();

// Factories currently registered, and the log of registrations in order:
// "type+ NAME", "type- NAME", "factory+ NAME", "factory- NAME".
QM_HOST_API long RegisteredFactoryCount();
QM_HOST_API std::vector<std::string> RegistryLog();
QM_HOST_API void ClearRegistryLog();

// Starts device ids again at 1 (a fresh process's numbering).
QM_HOST_API void ResetDeviceIds();

// Makes the next n NewEvent calls return -1.
QM_HOST_API void FailNextNewEvents(int n);
// Calls `hook(context)` at the start of every NewEvent, on the calling thread,
// before the server's lock is taken (null: none), so that a test can hold a
// thread inside a device's event making.
QM_HOST_API void SetNewEventHook(void (*hook)(void* context), void* context);
// Makes the next n calls of the base CQmInputDevice::Create() return false.
QM_HOST_API void FailNextDeviceCreates(int n);

// Breaches of the framework's contract by its callers since the last clear,
// oldest first, e.g. "RemoveDevice(3) while 1 reference is held": references
// given back beyond those taken, unknown ids, a device removed or deleted
// while it or one of its events is held, an object deleted while referenced,
// a non-device added. Each also goes to the debug output as "host contract: TEXT".
QM_HOST_API long ContractViolationCount();
QM_HOST_API std::vector<std::string> ContractViolations();
QM_HOST_API void ClearContractViolations();

}  // namespace qmhost
