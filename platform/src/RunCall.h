// One DirectInput call as the platform performs it, with the platform locked:
// an injected failure stands in for the whole call (nothing happens), an
// injected success code replaces the result of a call that succeeded, and a
// line "<subject><detail> -> <result>" goes to the call log.
#pragma once

#include <optional>
#include <string>

#include "PlatformState.h"

namespace qmsim::detail {

template <class Body>  // HRESULT body(std::string& detail)
HRESULT RunCall(const std::string& subject, std::optional<Call> injectable, const std::string& deviceName,
                Body&& body) {
    const std::optional<HRESULT> injected =
        injectable ? TakeInjection(*injectable, deviceName) : std::optional<HRESULT>{};
    std::string detail;
    HRESULT result;
    if (injected && FAILED(*injected)) {
        result = *injected;
    } else {
        result = body(detail);
        if (injected && SUCCEEDED(result)) result = *injected;
    }
    Log(subject + detail + " -> " + ResultName(result));
    return result;
}

}  // namespace qmsim::detail
