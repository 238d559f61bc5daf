// The input server's device management: which attached devices become which
// device objects, and how device objects are created and deleted.
#include "host/QmMouse.h"
#include "host/QmObjectDatabase.h"
#include "mouse/QmDi8Joystick.h"
#include "server/QmDi8Device.h"
#include "server/QmDi8InputServer.h"
#include "server/QmInputDeviceRef.h"
#include "winmsg/QmWindowsKeyboard.h"
#include "winmsg/QmWindowsMouse.h"

namespace {

// Creates a device of class Device through the server and opens it with `open`.
// A device that cannot be opened is given up through one more ReleaseDevice.
template <class Device, class Open>
void AddEnumeratedDevice(CQmDi8InputServer& server, Open open)
{
    CQmInputDeviceRef<Device> device(-1);
    const long deviceId = server.NewDevice(CQmString(Device::GetClassType().GetName()));
    if (deviceId == -1)
        return;
    device = deviceId;
    if (!device.Get() || !open(*device.Get()))
        server.ReleaseDevice(deviceId);
}

// Whether the framework's device list holds `deviceId`.
bool IsListed(const CQmInputServer& server, long deviceId)
{
    long position = -1;
    long listed = -1;
    for (bool more = server.GetFirstDevice(position, listed); more; more = server.GetNextDevice(position, listed)) {
        if (listed == deviceId)
            return true;
    }
    return false;
}

}  // namespace

bool CQmDi8InputServer::EnumerateDevices()
{
    // Without DirectInput there is nothing to ask.
    if (!m_pDirectInput)
        return false;
    const HRESULT result =
        m_pDirectInput->EnumDevices(DI8DEVCLASS_ALL, EnumDevicesCallback, this, DIEDFL_ATTACHEDONLY);
    if (result != DI_OK) {
        NoteDIFailure(result);
        return false;
    }
    return true;
}

BOOL CALLBACK CQmDi8InputServer::EnumDevicesCallback(LPCDIDEVICEINSTANCEA instance, LPVOID context)
{
    auto& server = *static_cast<CQmDi8InputServer*>(context);
    switch (GET_DIDEVICE_TYPE(instance->dwDevType)) {
    case DI8DEVTYPE_MOUSE:
        // The window mouse stands for every mouse: one is enough, of whatever kind.
        if (server.GetNumDevicesOfType(CQmMouse::GetClassType()) == 0)
            AddEnumeratedDevice<CQmWindowsMouse>(server, [](CQmWindowsMouse& mouse) { return mouse.Create(); });
        break;
    case DI8DEVTYPE_KEYBOARD:
        AddEnumeratedDevice<CQmWindowsKeyboard>(server,
                                                [](CQmWindowsKeyboard& keyboard) { return keyboard.Create(); });
        break;
    case DI8DEVTYPE_JOYSTICK:
    case DI8DEVTYPE_GAMEPAD:
        AddEnumeratedDevice<CQmDi8Joystick>(
            server, [instance](CQmDi8Joystick& joystick) { return joystick.Create(instance->guidInstance); });
        break;
    default:
        break;
    }
    // Every attached device is visited, whatever happened to this one.
    return DIENUM_CONTINUE;
}

long CQmDi8InputServer::NewDevice(const CQmString& className)
{
    const long objectId = m_pObjectDatabase->CreateObject(className);
    if (objectId == -1)
        return -1;
    const long deviceId = GetUniqueDeviceId();
    AddDevice(deviceId, objectId);
    return deviceId;
}

void CQmDi8InputServer::DeleteDevice(long deviceId)
{
    // An id the list does not hold deletes nothing; it is not even queried,
    // so no reference the framework never handed out is given back.
    if (!IsListed(*this, deviceId))
        return;
    CQmInputDeviceRef<CQmInputDevice> device(deviceId);
    if (!device.Get())
        return;
    // Destroy before deletion: device destructors release no platform source.
    device->Destroy();
    const long objectId = device->GetId();
    // Our reference goes back before the device leaves the list.
    device = -1;
    RemoveDevice(deviceId);
    m_pObjectDatabase->DestroyObject(objectId);
}

void CQmDi8InputServer::FreeDevices()
{
    long position = -1;
    long deviceId = -1;
    // Each deletion removes the first device, so always start again from the front.
    while (GetFirstDevice(position, deviceId))
        DeleteDevice(deviceId);
}
