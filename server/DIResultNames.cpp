// Names of DirectInput result codes. Where DirectInput gives one value several
// names, the table holds the one the module reports.
#include <cstdint>

#include "server/QmDi8Device.h"
#include "server/QmDi8Device.h"

namespace {

struct sDIResultName {
    std::uint32_t m_nCode;
    const char* m_pName;
};

constexpr sDIResultName kResultNames[] = {
    {0x00000000, "DI_OK"},
    {0x00000001, "DI_BUFFEROVERFLOW"},
    {0x00000002, "DI_POLLEDDEVICE"},
    {0x00000003, "DI_DOWNLOADSKIPPED"},
    {0x00000004, "DI_EFFECTRESTARTED"},
    {0x00000008, "DI_TRUNCATED"},
    {0x0000000C, "DI_TRUNCATEDANDRESTARTED"},
    {0x8000000A, "E_PENDING"},
    {0x80004001, "DIERR_UNSUPPORTED"},
    {0x80004002, "DIERR_NOINTERFACE"},
    {0x80004005, "DIERR_GENERIC"},
    {0x80040110, "DIERR_NOAGGREGATION"},
    {0x80040154, "DIERR_DEVICENOTREG"},
    {0x80040201, "DIERR_DEVICEFULL"},
    {0x80040202, "DIERR_MOREDATA"},
    {0x80040203, "DIERR_NOTDOWNLOADED"},
    {0x80040204, "DIERR_HASEFFECTS"},
    {0x80040205, "DIERR_NOTEXCLUSIVEACQUIRED"},
    {0x80040206, "DIERR_INCOMPLETEEFFECT"},
    {0x80040207, "DIERR_NOTBUFFERED"},
    {0x80040208, "DIERR_EFFECTPLAYING"},
    {0x80070002, "DIERR_NOTFOUND"},
    {0x80070005, "DIERR_HANDLEEXISTS"},
    {0x8007000C, "DIERR_NOTACQUIRED"},
    {0x8007000E, "DIERR_OUTOFMEMORY"},
    {0x80070015, "DIERR_NOTINITIALIZED"},
    {0x8007001E, "DIERR_INPUTLOST"},
    {0x80070057, "DIERR_INVALIDPARAM"},
    {0x80070077, "DIERR_BADDRIVERVER"},
    {0x800700AA, "DIERR_ACQUIRED"},
    {0x80070481, "DIERR_BETADIRECTINPUTVERSION"},
    {0x800704DF, "DIERR_ALREADYINITIALIZED"},
};

}  // namespace

const char* GetDIResultName(HRESULT result)
{
    const auto code = static_cast<std::uint32_t>(result);
    for (const sDIResultName& entry : kResultNames) {
        if (entry.m_nCode == code)
            return entry.m_pName;
    }
    return "<UNKNOWN ERROR>";
}

void NoteDIFailure(HRESULT result)
{
    // The name is there for a debugger to see; the module writes no text of its own.
    [[maybe_unused]] const char* volatile name = GetDIResultName(result);
}
