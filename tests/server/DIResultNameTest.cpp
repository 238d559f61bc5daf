// Result names: every code of DirectInput's result table under its one name,
// codes typed as numbers so that a wrong code in the module's table shows;
// every other code, also those DirectInput or COM know, as unknown.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "server/QmDi8Device.h"

namespace {

struct sNamedResult {
    std::uint32_t m_nCode;
    const char* m_pName;
};

const char* const kUnknown = "<UNKNOWN ERROR>";

// Where DirectInput gives one value several names (1, 0x80070002,
// 0x80070005), the name here is the one reported.
const sNamedResult kNamedResults[] = {
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
    // Codes beside the table's, and codes DirectInput or COM name that the
    // table does not: DI_SETTINGSNOTSAVED, DI_WRITEPROTECT, E_POINTER, E_HANDLE,
    // E_UNEXPECTED, DIERR_OLDDIRECTINPUTVERSION, DIERR_INSUFFICIENTPRIVS,
    // DIERR_UNPLUGGED.
    {0x00000005, kUnknown}, {0x00000009, kUnknown}, {0x0000000B, kUnknown}, {0x00000013, kUnknown},
    {0x80004003, kUnknown}, {0x80070006, kUnknown}, {0x8000FFFF, kUnknown}, {0x8007047E, kUnknown},
    {0x80040200, kUnknown}, {0x80040209, kUnknown}, {0x80040101, kUnknown}, {0x8007001F, kUnknown},
    {0x80000000, kUnknown}, {0xFFFFFFFF, kUnknown}, {0x7FFFFFFF, kUnknown},
};

TEST(GetDIResultName, NamesEachCodeOfTheTableAndNoOther)
{
    for (const sNamedResult& named : kNamedResults) {
        EXPECT_EQ(std::string(GetDIResultName(static_cast<HRESULT>(named.m_nCode))), named.m_pName)
            << "code 0x" << std::hex << named.m_nCode;
    }
}

}  // namespace
