// The framework's own class types, root first, each naming its C++ base as
// parent. Modules name these as parents while they load, which is after this
// library's statics are built.
#include "host/QmInputServer.h"
#include "host/QmJoystick.h"
#include "host/QmKeyboard.h"
#include "host/QmMouse.h"

CQmClassType CQmObject::_s_oType("CQmObject");
CQmClassType CQmInputObject::_s_oType("CQmInputObject", CQmObject::_s_oType);
CQmClassType CQmInputDevice::_s_oType("CQmInputDevice", CQmInputObject::_s_oType);
CQmClassType CQmKeyboard::_s_oType("CQmKeyboard", CQmInputDevice::_s_oType);
CQmClassType CQmMouse::_s_oType("CQmMouse", CQmInputDevice::_s_oType);
CQmClassType CQmJoystick::_s_oType("CQmJoystick", CQmInputDevice::_s_oType);
CQmClassType CQmInputServer::_s_oType("CQmInputServer", CQmObject::_s_oType);
