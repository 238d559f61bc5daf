#include "tools/monitor/ModuleLibrary.h"

#include <cstdlib>

#include "server/QmBoundNames.h"
#include "server/QmDi8InputServer.h"
#include "tools/monitor/MemberFunctionAddress.h"
#include "tools/monitor/ModuleLoader.h"

namespace qmmonitor {
namespace {

// The exported members, by their names in this compiler's C++ ABI.
const char* const kNewDeviceSymbol = qmexports::kNewDevice;
const char* const kDeleteDeviceSymbol = qmexports::kDeleteDevice;

}  // namespace

CModuleLibrary::~CModuleLibrary()
{
    Unload();
}

std::string CModuleLibrary::FindModulePath()
{
    if (const char* configured = std::getenv("QMINPUT_MODULE"); configured && *configured)
        return configured;
    const std::string folder = loader::ExecutableFolder();
    const std::string file = loader::ModuleFileName();
    const std::string candidates[] = {folder + "/../lib/" + file, folder + "/" + file};
    for (const std::string& candidate : candidates) {
        if (loader::IsFile(candidate))
            return candidate;
    }
    return candidates[0];
}

bool CModuleLibrary::Load(const std::string& path, std::string& error)
{
    Unload();
    m_pHandle = loader::Open(path, error);
    if (!m_pHandle)
        return false;
    m_pNewDevice = loader::FindExport(m_pHandle, kNewDeviceSymbol);
    m_pDeleteDevice = loader::FindExport(m_pHandle, kDeleteDeviceSymbol);
    if (!m_pNewDevice || !m_pDeleteDevice) {
        error = path + " does not export CQmDi8InputServer::NewDevice and DeleteDevice";
        Unload();
        return false;
    }
    return true;
}

void CModuleLibrary::Unload()
{
    if (m_pHandle)
        loader::Close(m_pHandle);
    m_pHandle = nullptr;
    m_pNewDevice = nullptr;
    m_pDeleteDevice = nullptr;
}

long CModuleLibrary::NewDevice(CQmDi8InputServer& server, const CQmString& className) const
{
    using NewDeviceMember = long (CQmDi8InputServer::*)(const CQmString&);
    return (server.*MemberFromAddress<NewDeviceMember>(m_pNewDevice))(className);
}

void CModuleLibrary::DeleteDevice(CQmDi8InputServer& server, long deviceId) const
{
    using DeleteDeviceMember = void (CQmDi8InputServer::*)(long);
    (server.*MemberFromAddress<DeleteDeviceMember>(m_pDeleteDevice))(deviceId);
}

}  // namespace qmmonitor
