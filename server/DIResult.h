// How the module judges and notes DirectInput results inside its own sources.
#pragma once

#include "server/PlatformApi.h"

// Looks the failed result's name up for diagnostics and writes nothing.
void NoteDIFailure(HRESULT result);
