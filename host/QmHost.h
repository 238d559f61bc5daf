// Everything the input module uses of the framework and the core library.
#pragma once

#include "Debug.h"
#include "KeyTypes.h"
#include "QmClassType.h"
#include "QmCriticalSection.h"
#include "QmEnvironmentServer.h"
#include "QmInputDevice.h"
#include "QmInputEvent.h"
#include "QmInputServer.h"
#include "QmJoystick.h"
#include "QmKeyboard.h"
#include "QmMouse.h"
#include "QmObject.h"
#include "QmObjectDatabase.h"
#include "QmObjectFactory.h"
#include "QmString.h"
#include "Timer.h"
