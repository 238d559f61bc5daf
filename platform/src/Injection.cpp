// Results that tests inject into the next DirectInput call.
#include "PlatformState.h"

namespace qmsim::detail {

std::optional<HRESULT> TakeInjection(Call call, const std::string& deviceName) {
    auto& queue = State().injections;
    auto matches = [&](bool specific) {
        for (auto it = queue.begin(); it != queue.end(); ++it) {
            const bool nameMatches = specific ? (!it->deviceName.empty() && it->deviceName == deviceName)
                                              : it->deviceName.empty();
            if (it->call == call && nameMatches) return it;
        }
        return queue.end();
    };
    auto found = matches(true);
    if (found == queue.end()) found = matches(false);
    if (found == queue.end()) return std::nullopt;
    const HRESULT result = found->result;
    queue.erase(found);
    return result;
}

}  // namespace qmsim::detail

namespace qmsim {

const char* CallName(Call call) {
    switch (call) {
        case Call::GetModuleHandleA: return "GetModuleHandleA";
        case Call::DirectInput8Create: return "DirectInput8Create";
        case Call::EnumDevices: return "EnumDevices";
        case Call::CreateDevice: return "CreateDevice";
        case Call::GetCapabilities: return "GetCapabilities";
        case Call::SetDataFormat: return "SetDataFormat";
        case Call::SetProperty: return "SetProperty";
        case Call::Acquire: return "Acquire";
        case Call::Poll: return "Poll";
        case Call::GetDeviceData: return "GetDeviceData";
    }
    return "?";
}

void InjectResult(Call call, HRESULT result, const std::string& deviceName) {
    auto lock = detail::LockPlatform();
    detail::State().injections.push_back({call, result, deviceName});
}

}  // namespace qmsim
