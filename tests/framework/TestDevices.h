// Small device classes of the tests' own, registered under their own names, so
// the framework's behaviour is checked without the input module.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/QmHost.h"

namespace fwtest {

// Every Destroy and destructor, in order, as "Destroy NAME#ID" / "delete NAME#ID".
inline std::vector<std::string>& Journal() {
    static std::vector<std::string> journal;
    return journal;
}

template <typename Base>
class CTestDevice : public Base {
public:
    static CQmClassType _s_oType;
    const CQmClassType& GetType() const override { return _s_oType; }
    bool IsOfType(const CQmClassType& type) const override { return _s_oType.IsDerivedFrom(type); }
    ~CTestDevice() override { Journal().push_back("delete " + Tag()); }
    void Destroy() override { Journal().push_back("Destroy " + Tag()); }

private:
    std::string Tag() const {
        return std::string(this->GetType().GetName()) + "#" + std::to_string(this->GetDeviceId());
    }
};

using CTestKeyboard = CTestDevice<CQmKeyboard>;
using CTestMouse = CTestDevice<CQmMouse>;
using CTestJoystick = CTestDevice<CQmJoystick>;
template <>
CQmClassType CTestKeyboard::_s_oType;
template <>
CQmClassType CTestMouse::_s_oType;
template <>
CQmClassType CTestJoystick::_s_oType;

// A mouse one level further down, to check counting of derived types.
class CTestSubMouse : public CTestMouse {
public:
    static CQmClassType _s_oType;
    const CQmClassType& GetType() const override { return _s_oType; }
    bool IsOfType(const CQmClassType& type) const override { return _s_oType.IsDerivedFrom(type); }
};

template <typename Device>
class CTestFactory : public CQmObjectFactory {
public:
    CTestFactory() : CQmObjectFactory(CQmString(Device::_s_oType.GetName())) {}
    CQmObject* CreateInstance() override { return new Device; }
};

// Registers the test classes' factories for the rest of the test program.
void EnsureTestFactories();

// What an input server's own NewDevice does: object, fresh device id, list entry.
long AddTestDevice(CQmInputServer& server, const char* className);

}  // namespace fwtest
