#include "TestDevices.h"

namespace fwtest {

CQmClassType CTestKeyboard::_s_oType("CTestKeyboard", CQmKeyboard::_s_oType);

namespace {

class CTestKeyboardFactory : public CQmObjectFactory {
public:
    CTestKeyboardFactory() : CQmObjectFactory(CQmString("CTestKeyboard")) {}
    CQmObject* CreateInstance() override { return new CTestKeyboard; }
};

}  // namespace

long AddTestDevice(CQmInputServer& server) {
    static CTestKeyboardFactory factory;
    const long objectId = server.GetObjectDatabase()->CreateObject(CQmString("CTestKeyboard"));
    const long deviceId = CQmInputServer::GetUniqueDeviceId();
    server.AddDevice(deviceId, objectId);
    return deviceId;
}

}  // namespace fwtest
