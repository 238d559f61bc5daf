// The DirectInput device wrapper: opening, configuring and buffered reading.
#include "server/QmDi8Device.h"

#include "host/Debug.h"
#include "server/GameWindow.h"
#include "server/QmDi8InputServer.h"

namespace {

// DirectInput checks the capabilities record's size against the one it knows.
static_assert(sizeof(DIDEVCAPS) == 44, "DIDEVCAPS must have DirectInput's layout");

// The server's DirectInput, or null when the current server has none.
IDirectInput8A* CurrentDirectInput()
{
    auto* server = dynamic_cast<CQmDi8InputServer*>(QmGetInputServer());
    return server ? server->GetDirectInput() : nullptr;
}

}  // namespace

CQmDi8Device::TraceHook CQmDi8Device::m_pTraceHook = nullptr;

CQmDi8Device::CQmDi8Device()
    : m_pDevice(nullptr), m_bPushedBack(false), m_bHaveData(false), m_hWnd(nullptr),
      m_pEnvironment(QmGetEnvironmentServer())
{
    MEM_Zero(&m_oCaps, sizeof(m_oCaps));
    MEM_Zero(&m_oData, sizeof(m_oData));
}

// Releases nothing: the device class closes the interface in its Destroy.
CQmDi8Device::~CQmDi8Device() = default;

bool CQmDi8Device::Open(const GUID& instance)
{
    IDirectInput8A* directInput = CurrentDirectInput();
    if (!directInput)
        return false;

    // A device created here stays open even if a later step fails; Close releases it.
    HRESULT result = directInput->CreateDevice(instance, &m_pDevice, nullptr);
    if (FAILED(result)) {
        NoteDIFailure(result);
        return false;
    }

    m_oCaps.dwSize = sizeof(DIDEVCAPS);
    result = m_pDevice->GetCapabilities(&m_oCaps);
    if (result != DI_OK) {
        NoteDIFailure(result);
        return false;
    }

    if (!ReadGameWindow(*m_pEnvironment, m_hWnd))
        return false;
    return m_hWnd != nullptr;
}

void CQmDi8Device::Close()
{
    if (!m_pDevice)
        return;
    m_pDevice->Release();
    m_pDevice = nullptr;
}

bool CQmDi8Device::SetDataFormat(const DIDATAFORMAT* format)
{
    if (!m_pDevice)
        return false;
    const HRESULT result = m_pDevice->SetDataFormat(format);
    if (result != DI_OK) {
        NoteDIFailure(result);
        return false;
    }
    return true;
}

void CQmDi8Device::SetProperty(REFGUID property, DWORD value)
{
    if (!m_pDevice)
        return;
    DIPROPDWORD dword;
    MEM_Zero(&dword, sizeof(dword));
    dword.diph.dwSize = sizeof(DIPROPDWORD);
    dword.diph.dwHeaderSize = sizeof(DIPROPHEADER);
    dword.diph.dwObj = 0;
    dword.diph.dwHow = DIPH_DEVICE;
    dword.dwData = value;
    const HRESULT result = m_pDevice->SetProperty(property, &dword.diph);
    if (FAILED(result))
        NoteDIFailure(result);
}

void CQmDi8Device::Acquire()
{
    if (m_pDevice)
        m_pDevice->Acquire();
}

void CQmDi8Device::Poll()
{
    if (m_pDevice)
        m_pDevice->Poll();
}

const DIDEVICEOBJECTDATA* CQmDi8Device::ReadNext()
{
    if (m_bPushedBack) {
        m_bPushedBack = false;
        return m_bHaveData ? &m_oData : nullptr;
    }
    m_bHaveData = false;
    if (!m_pDevice)
        return nullptr;

    DWORD count = 1;
    const HRESULT result = m_pDevice->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), &m_oData, &count, 0);
    if (result == DIERR_INPUTLOST) {
        // Take the device back at once; the caller reads again at its next poll.
        m_pDevice->Acquire();
        return nullptr;
    }
    // A positive result such as DI_BUFFEROVERFLOW still delivered an item.
    if (FAILED(result) || count == 0)
        return nullptr;

    m_bHaveData = true;
    if (m_pTraceHook)
        m_pTraceHook(CALLBACK_TYPE_NONE, &m_oData);
    return &m_oData;
}
