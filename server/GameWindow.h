// The game window's handle, which the framework keeps in its environment under
// "Display/HWND". Every device that belongs to the window reads it here.
#pragma once

#include <cstdint>

#include "host/QmEnvironmentServer.h"
#include "host/QmString.h"
#include "server/PlatformApi.h"

// False when the environment does not define the key; otherwise `window` is the
// handle stored there, which may be null.
inline bool ReadGameWindow(CQmEnvironmentServer& environment, HWND& window)
{
    if (!environment.HasVariable(CQmString("Display/HWND")))
        return false;
    const std::uint32_t handle = environment.GetVariable(CQmString("Display/HWND")).m_nValue;
    window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle));
    return true;
}
