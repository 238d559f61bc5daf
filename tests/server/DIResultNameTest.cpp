// Result names: the platform's named constants must come back under their
// names, one name per value where DirectInput gives a value several.
#include <gtest/gtest.h>

#include <string>

#include "server/QmDi8Device.h"

namespace {

struct sNamedResult {
    HRESULT m_nResult;
    const char* m_pName;
};

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
};

// Codes that DirectInput or COM know but the table does not name.
const HRESULT kUnnamedResults[] = {
    5, DI_SETTINGSNOTSAVED, DI_WRITEPROTECT, E_POINTER, E_HANDLE, E_UNEXPECTED,
    DIERR_OLDDIRECTINPUTVERSION, DIERR_INSUFFICIENTPRIVS, DIERR_UNPLUGGED, -1,
};

TEST(GetDIResultName, NamesEachKnownResult)
{
    for (const sNamedResult& named : kNamedResults)
        EXPECT_EQ(std::string(GetDIResultName(named.m_nResult)), named.m_pName) << std::hex << named.m_nResult;
}

TEST(GetDIResultName, GivesUnknownErrorForOtherCodes)
{
    for (HRESULT result : kUnnamedResults)
        EXPECT_EQ(std::string(GetDIResultName(result)), "<UNKNOWN ERROR>") << std::hex << result;
}

}  // namespace
