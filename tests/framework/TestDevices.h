// A keyboard class of the tests' own, registered under its own name, so that
// the framework's rules are checked without the input module.
#pragma once

#include <string>
#include <vector>

#include "host/QmHost.h"

namespace fwtest {

// Every Destroy and destructor, in order, as "Destroy ID" / "delete ID".
inline std::vector<std::string>& Journal() {
    static std::vector<std::string> journal;
    return journal;
}

class CTestKeyboard : public CQmKeyboard {
public:
    static CQmClassType _s_oType;
    const CQmClassType& GetType() const override { return _s_oType; }
    bool IsOfType(const CQmClassType& type) const override { return _s_oType.IsDerivedFrom(type); }
    ~CTestKeyboard() override { Journal().push_back("delete " + std::to_string(GetDeviceId())); }
    void Destroy() override { Journal().push_back("Destroy " + std::to_string(GetDeviceId())); }
};

// What an input server's own NewDevice does: a CTestKeyboard object, a fresh
// device id, a list entry. The device id.
long AddTestDevice(CQmInputServer& server);

}  // namespace fwtest
