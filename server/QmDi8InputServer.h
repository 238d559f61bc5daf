// The module's input server: the framework's input server plus DirectInput 8,
// device enumeration and device lifetime.
#pragma once

#include "host/QmInputServer.h"
#include "host/QmString.h"
#include "server/PlatformApi.h"
#include "server/QmClassTypeDecl.h"
#include "server/QmInputApi.h"

class QM_INPUT_API CQmDi8InputServer : public CQmInputServer {
    QM_DECLARE_CLASS_TYPE()

public:
    CQmDi8InputServer();
    ~CQmDi8InputServer() override;

    bool EnumerateDevices() override;
    void FreeDevices() override;

    // Creates a device of the named class and adds it to the device list; its id or -1.
    long NewDevice(const CQmString& className);
    // Destroy, removal from the list, deletion; an id that names no device is ignored.
    void DeleteDevice(long deviceId);

    // Null when DirectInput could not be started.
    IDirectInput8A* GetDirectInput() { return m_pDirectInput; }

private:
    bool StartupDirectInput();
    void ShutdownDirectInput();
    static BOOL CALLBACK EnumDevicesCallback(LPCDIDEVICEINSTANCEA instance, LPVOID context);

    IDirectInput8A* m_pDirectInput;
};
