// The module's classes as a host compiled from their published data models
// declares them: the host framework's base class (from the host's own
// headers), then the fields the module adds, in the published order. Nothing
// here comes from the module's headers; the layout host lays these over
// objects that the DLL's own constructors build.
#pragma once

#include <windows.h>
#include <dinput.h>

#include <vector>

#include "host/QmEnvironmentServer.h"
#include "host/QmInputServer.h"
#include "host/QmJoystick.h"
#include "host/QmKeyboard.h"
#include "host/QmMouse.h"

namespace qmlayout {

// The DirectInput device wrapper: no base class, a virtual destructor only.
struct sDi8DeviceMirror {
    const void* pVirtualTable;
    IDirectInputDevice8A* m_pDevice;
    DIDEVCAPS m_oCaps;
    DIDEVICEOBJECTDATA m_oData;
    bool m_bPushedBack;
    bool m_bHaveData;
    HWND m_hWnd;
    CQmEnvironmentServer* m_pEnvironment;
};

// One held key of the DirectInput keyboard.
struct sPressedKeyMirror {
    double m_fPressTime;
    double m_fLastRepeatTime;
    long m_eKey;  // a 32-bit enumeration
};

// One button's last press, for the DirectInput mouse's double-click rule.
struct sButtonPressMirror {
    double m_fPressTime;
    int m_nPressX;
    int m_nPressY;
};

class CDi8InputServerMirror : public CQmInputServer {
public:
    IDirectInput8A* m_pDirectInput;
};

class CDi8JoystickMirror : public CQmJoystick {
public:
    sDi8DeviceMirror m_oDevice;
};

class CDi8KeyboardMirror : public CQmKeyboard {
public:
    int m_nLastSequence;
    sDi8DeviceMirror m_oDevice;
    std::vector<sPressedKeyMirror> m_oPressedKeys;  // the module's own C++ library's vector
};

class CDi8MouseMirror : public CQmMouse {
public:
    int m_nLastSequence;
    sDi8DeviceMirror m_oDevice;
    sButtonPressMirror m_aButtonPress[3];
};

class CWindowsKeyboardMirror : public CQmKeyboard {
public:
    HWND m_hWnd;
    CQmEnvironmentServer* m_pEnvironment;
};

class CWindowsMouseMirror : public CQmMouse {
public:
    HWND m_hWnd;
    CQmEnvironmentServer* m_pEnvironment;
};

}  // namespace qmlayout
