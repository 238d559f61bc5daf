// One-time initialisation of function-local statics, safe between threads.
// The compiler's protocol: a guard int per static, 0 before, -1 while a thread
// initialises it, afterwards the global epoch at completion. A thread whose
// own epoch is at least the guard's knows the static is ready without a lock.
#include <windows.h>

#include <climits>

extern "C" {

int _Init_global_epoch = INT_MIN;
thread_local int _Init_thread_epoch = INT_MIN;

}  // extern "C"

namespace {

SRWLOCK s_oLock = SRWLOCK_INIT;
CONDITION_VARIABLE s_oDone = CONDITION_VARIABLE_INIT;
constexpr int kUninitialised = 0;
constexpr int kBeingInitialised = -1;

}  // namespace

extern "C" void __cdecl _Init_thread_header(int* guard)
{
    AcquireSRWLockExclusive(&s_oLock);
    if (*guard == kUninitialised) {
        *guard = kBeingInitialised;  // this thread initialises it
    } else {
        while (*guard == kBeingInitialised)
            SleepConditionVariableSRW(&s_oDone, &s_oLock, INFINITE, 0);
        if (*guard == kUninitialised)
            *guard = kBeingInitialised;  // the other thread failed: take over
        else
            _Init_thread_epoch = _Init_global_epoch;
    }
    ReleaseSRWLockExclusive(&s_oLock);
}

extern "C" void __cdecl _Init_thread_footer(int* guard)
{
    AcquireSRWLockExclusive(&s_oLock);
    ++_Init_global_epoch;
    *guard = _Init_global_epoch;
    _Init_thread_epoch = _Init_global_epoch;
    ReleaseSRWLockExclusive(&s_oLock);
    WakeAllConditionVariable(&s_oDone);
}

extern "C" void __cdecl _Init_thread_abort(int* guard)
{
    AcquireSRWLockExclusive(&s_oLock);
    *guard = kUninitialised;
    ReleaseSRWLockExclusive(&s_oLock);
    WakeAllConditionVariable(&s_oDone);
}
