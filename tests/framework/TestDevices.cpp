#include "TestDevices.h"

namespace fwtest {

template <>
CQmClassType CTestKeyboard::_s_oType("CTestKeyboard", CQmKeyboard::_s_oType);
template <>
CQmClassType CTestMouse::_s_oType("CTestMouse", CQmMouse::_s_oType);
template <>
CQmClassType CTestJoystick::_s_oType("CTestJoystick", CQmJoystick::_s_oType);
CQmClassType CTestSubMouse::_s_oType("CTestSubMouse", CTestMouse::_s_oType);

namespace {

struct sTestFactories {
    CTestFactory<CTestKeyboard> oKeyboard;
    CTestFactory<CTestMouse> oMouse;
    CTestFactory<CTestJoystick> oJoystick;
    CTestFactory<CTestSubMouse> oSubMouse;
};

}  // namespace

void EnsureTestFactories() { static sTestFactories factories; }

long AddTestDevice(CQmInputServer& server, const char* className) {
    const long objectId = server.GetObjectDatabase()->CreateObject(CQmString(className));
    if (objectId == -1) {
        return -1;
    }
    const long deviceId = CQmInputServer::GetUniqueDeviceId();
    server.AddDevice(deviceId, objectId);
    return deviceId;
}

}  // namespace fwtest
