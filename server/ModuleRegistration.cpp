// The module's six class types and six factories. They are defined here, in one
// translation unit, because the language then builds them in the order written
// when the module is loaded and destroys them in exactly the reverse order when
// it is unloaded: per class the type first, then the factory named after it.
#include <new>

#include "host/QmObjectFactory.h"
#include "host/QmString.h"
#include "keyboard/QmDi8Keyboard.h"
#include "mouse/QmDi8Joystick.h"
#include "mouse/QmDi8Mouse.h"
#include "server/QmDi8InputServer.h"
#include "winmsg/QmWindowsKeyboard.h"
#include "winmsg/QmWindowsMouse.h"

namespace {

// Makes objects of Class for the object database, under the name its class type
// holds. The type must exist before the factory, which the order below ensures.
template <class Class>
class CQmModuleFactory : public CQmObjectFactory {
public:
    CQmModuleFactory() : CQmObjectFactory(CQmString(Class::GetClassType().GetName())) {}

    // Null when memory runs out; no constructor runs then.
    CQmObject* CreateInstance() override { return new (std::nothrow) Class; }
};

class CQmDi8InputServerFactory final : public CQmModuleFactory<CQmDi8InputServer> {};
class CQmDi8JoystickFactory final : public CQmModuleFactory<CQmDi8Joystick> {};
class CQmDi8KeyboardFactory final : public CQmModuleFactory<CQmDi8Keyboard> {};
class CQmDi8MouseFactory final : public CQmModuleFactory<CQmDi8Mouse> {};
class CQmWindowsKeyboardFactory final : public CQmModuleFactory<CQmWindowsKeyboard> {};
class CQmWindowsMouseFactory final : public CQmModuleFactory<CQmWindowsMouse> {};

}  // namespace

QM_DEFINE_CLASS_TYPE_QUERIES(CQmDi8InputServer)
QM_DEFINE_CLASS_TYPE_QUERIES(CQmDi8Joystick)
QM_DEFINE_CLASS_TYPE_QUERIES(CQmDi8Keyboard)
QM_DEFINE_CLASS_TYPE_QUERIES(CQmDi8Mouse)
QM_DEFINE_CLASS_TYPE_QUERIES(CQmWindowsKeyboard)
QM_DEFINE_CLASS_TYPE_QUERIES(CQmWindowsMouse)

CQmClassType CQmDi8InputServer::_s_oType("CQmDi8InputServer", CQmInputServer::GetClassType());
static CQmDi8InputServerFactory s_oDi8InputServerFactory;

CQmClassType CQmDi8Joystick::_s_oType("CQmDi8Joystick", CQmJoystick::GetClassType());
static CQmDi8JoystickFactory s_oDi8JoystickFactory;

CQmClassType CQmDi8Keyboard::_s_oType("CQmDi8Keyboard", CQmKeyboard::GetClassType());
static CQmDi8KeyboardFactory s_oDi8KeyboardFactory;

CQmClassType CQmDi8Mouse::_s_oType("CQmDi8Mouse", CQmMouse::GetClassType());
static CQmDi8MouseFactory s_oDi8MouseFactory;

CQmClassType CQmWindowsKeyboard::_s_oType("CQmWindowsKeyboard", CQmKeyboard::GetClassType());
static CQmWindowsKeyboardFactory s_oWindowsKeyboardFactory;

CQmClassType CQmWindowsMouse::_s_oType("CQmWindowsMouse", CQmMouse::GetClassType());
static CQmWindowsMouseFactory s_oWindowsMouseFactory;
