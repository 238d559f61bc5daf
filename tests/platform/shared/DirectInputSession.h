// One DirectInput object and the devices a case opens on it, released at the
// end of the case, devices first.
#pragma once

#include <functional>
#include <vector>

#include "tests/platform/shared/PlatformDriver.h"

namespace platformcase {

class DirectInputSession {
public:
    DirectInputSession();
    ~DirectInputSession();
    DirectInputSession(const DirectInputSession&) = delete;
    DirectInputSession& operator=(const DirectInputSession&) = delete;

    IDirectInput8A* DirectInput() const { return m_pDirectInput; }
    // Created on the instance, nothing set; null when that failed.
    IDirectInputDevice8A* Open(const GUID& instance);
    // Created, its cooperative level set when `level` is not 0, the format and
    // a buffer of `bufferSize` records set, acquired.
    IDirectInputDevice8A* OpenBuffered(const GUID& instance, const DIDATAFORMAT& format, DWORD bufferSize,
                                       HWND window = nullptr, DWORD level = 0);

private:
    IDirectInput8A* m_pDirectInput = nullptr;
    std::vector<IDirectInputDevice8A*> m_devices;
};

HRESULT SetDwordProperty(IDirectInputDevice8A* device, REFGUID property, DWORD value);
// A device-wide DWORD property with the header's sizes and kind given.
HRESULT SetPropertyWithHeader(IDirectInputDevice8A* device, REFGUID property, DWORD size, DWORD headerSize, DWORD how,
                              DWORD value);
// The format and a buffer of `bufferSize` records set, then acquired; Acquire's result.
HRESULT MakeReady(IDirectInputDevice8A* device, const DIDATAFORMAT& format, DWORD bufferSize);
// Takes up to `count` records (peeking with DIGDD_PEEK); `records` holds those read.
HRESULT Read(IDirectInputDevice8A* device, std::vector<DIDEVICEOBJECTDATA>& records, DWORD count, DWORD flags = 0);
// How many records the buffer holds, read without taking them.
DWORD CountBuffered(IDirectInputDevice8A* device);

using DeviceCall = std::function<HRESULT(IDirectInputDevice8A*)>;
// A call a case makes on an open device, and the result it must give.
struct DeviceCallCase {
    const char* what;
    DeviceCall call;
    HRESULT result;
};
// Made ready (the format, a buffer of 8 records, acquired), then `then`'s result.
HRESULT Acquired(IDirectInputDevice8A* device, const DIDATAFORMAT& format, const DeviceCall& then);

}  // namespace platformcase
