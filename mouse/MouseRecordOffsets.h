// Which object a buffered mouse record reports, by its dwOfs under c_dfDIMouse2.
#pragma once

#include "server/PlatformApi.h"

constexpr DWORD kMouseOffsetX = 0;        // DIMOFS_X
constexpr DWORD kMouseOffsetY = 4;        // DIMOFS_Y
constexpr DWORD kMouseOffsetWheel = 8;    // DIMOFS_Z
constexpr DWORD kMouseOffsetButton0 = 12; // DIMOFS_BUTTON0
constexpr DWORD kMouseOffsetButton7 = 19; // DIMOFS_BUTTON7
