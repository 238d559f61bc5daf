// Result names: the platform's named constants must come back under their
// names, one name per value where DirectInput gives a value several, and
// other codes as unknown.
#include <gtest/gtest.h>

#include <string>

#include "server/QmDi8Device.h"

namespace {

struct sNamedResult {
    HRESULT m_nResult;
    const char* m_pName;
};

const char* const kUnknown = "<UNKNOWN ERROR>";

// The platform's own constants, so a wrong code in the table shows; where
// DirectInput names one value several times, the table's one name must win.
const sNamedResult kNamedResults[] = {
    {DI_OK, "DI_OK"},
    {DI_BUFFEROVERFLOW, "DI_BUFFEROVERFLOW"},
    {DI_NOTATTACHED, "DI_BUFFEROVERFLOW"},
    {DI_PROPNOEFFECT, "DI_BUFFEROVERFLOW"},
    {DI_TRUNCATEDANDRESTARTED, "DI_TRUNCATEDANDRESTARTED"},
    {E_PENDING, "E_PENDING"},
    {DIERR_DEVICENOTREG, "DIERR_DEVICENOTREG"},
    {DIERR_EFFECTPLAYING, "DIERR_EFFECTPLAYING"},
    {DIERR_NOTFOUND, "DIERR_NOTFOUND"},
    {DIERR_OBJECTNOTFOUND, "DIERR_NOTFOUND"},
    {DIERR_HANDLEEXISTS, "DIERR_HANDLEEXISTS"},
    {DIERR_OTHERAPPHASPRIO, "DIERR_HANDLEEXISTS"},
    {DIERR_READONLY, "DIERR_HANDLEEXISTS"},
    {DIERR_INPUTLOST, "DIERR_INPUTLOST"},
    {DIERR_BETADIRECTINPUTVERSION, "DIERR_BETADIRECTINPUTVERSION"},
    {DIERR_ALREADYINITIALIZED, "DIERR_ALREADYINITIALIZED"},
    // Codes that DirectInput or COM know but the table does not name.
    {5, kUnknown}, {DI_SETTINGSNOTSAVED, kUnknown}, {DI_WRITEPROTECT, kUnknown}, {E_POINTER, kUnknown},
    {E_HANDLE, kUnknown}, {E_UNEXPECTED, kUnknown}, {DIERR_OLDDIRECTINPUTVERSION, kUnknown},
    {DIERR_INSUFFICIENTPRIVS, kUnknown}, {DIERR_UNPLUGGED, kUnknown}, {-1, kUnknown},
};

TEST(GetDIResultName, NamesEachKnownResultAndNoOther)
{
    for (const sNamedResult& named : kNamedResults)
        EXPECT_EQ(std::string(GetDIResultName(named.m_nResult)), named.m_pName) << std::hex << named.m_nResult;
}

}  // namespace
