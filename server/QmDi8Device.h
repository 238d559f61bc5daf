// The DirectInput device wrapper that each DirectInput device holds: opens the
// device on an instance GUID, configures it, and reads buffered records one at a
// time with a one-record push-back.
#pragma once

#include "host/QmEnvironmentServer.h"
#include "server/PlatformApi.h"
#include "server/QmInputApi.h"

// What a per-record trace hook is told.
enum eCallbackType {
    CALLBACK_TYPE_NONE = 0,
    CALLBACK_TYPE_RECORD = 1,
};

class QM_INPUT_API CQmDi8Device {
public:
    // Trace hook called with CALLBACK_TYPE_NONE after each successful read; unset by default.
    using TraceHook = void (*)(eCallbackType, const DIDEVICEOBJECTDATA*);

    CQmDi8Device();
    virtual ~CQmDi8Device();

    CQmDi8Device(const CQmDi8Device&) = delete;
    CQmDi8Device& operator=(const CQmDi8Device&) = delete;

    bool Open(const GUID& instance);
    void Close();
    bool IsOpen() const { return m_pDevice != nullptr; }
    bool SetDataFormat(const DIDATAFORMAT* format);
    void SetProperty(REFGUID property, DWORD value);
    void Acquire();
    void Poll();
    // The next buffered record, or null; valid until the next ReadNext.
    const DIDEVICEOBJECTDATA* ReadNext();
    // The next ReadNext hands out the last record again (or null if the last read gave none).
    void PushBack() { m_bPushedBack = true; }

    // One hook for every wrapper: a static, so that the wrapper's fields, and
    // the size of the devices that hold one, stay the published ones.
    static void SetTraceHook(TraceHook hook) { m_pTraceHook = hook; }

private:
    IDirectInputDevice8A* m_pDevice;
    DIDEVCAPS m_oCaps;
    DIDEVICEOBJECTDATA m_oData;
    bool m_bPushedBack;
    bool m_bHaveData;
    HWND m_hWnd;
    CQmEnvironmentServer* m_pEnvironment;
    static TraceHook m_pTraceHook;
};

// The constant name of a DirectInput result, "<UNKNOWN ERROR>" for others.
QM_INPUT_API const char* GetDIResultName(HRESULT result);
// Looks a failed result's name up for diagnostics and writes nothing.
void NoteDIFailure(HRESULT result);
