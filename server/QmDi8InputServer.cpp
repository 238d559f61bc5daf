// The input server's DirectInput 8 start-up and shutdown.
#include "server/QmDi8InputServer.h"

#include "server/QmDi8Device.h"

CQmDi8InputServer::CQmDi8InputServer() : m_pDirectInput(nullptr)
{
    // The server exists with or without DirectInput; enumeration then fails.
    StartupDirectInput();
}

// Devices are not deleted here: the framework calls FreeDevices for that.
CQmDi8InputServer::~CQmDi8InputServer()
{
    ShutdownDirectInput();
}

bool CQmDi8InputServer::StartupDirectInput()
{
    // The executable's handle, not the module's.
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!instance)
        return false;
    const HRESULT result = DirectInput8Create(instance, 0x0800, IID_IDirectInput8A,
                                              reinterpret_cast<LPVOID*>(&m_pDirectInput), nullptr);
    // Success codes other than DI_OK count as failures too.
    if (result != DI_OK) {
        NoteDIFailure(result);
        return false;
    }
    return true;
}

void CQmDi8InputServer::ShutdownDirectInput()
{
    if (!m_pDirectInput)
        return;
    m_pDirectInput->Release();
    m_pDirectInput = nullptr;
}
