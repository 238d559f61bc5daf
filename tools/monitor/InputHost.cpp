#include "tools/monitor/InputHost.h"

#include <stdexcept>

#include "host/QmObjectDatabase.h"
#include "host/QmString.h"
#include "server/QmDi8InputServer.h"
#include "tools/monitor/EventFormat.h"

namespace qmmonitor {
namespace {

const char* const kServerClassName = "CQmDi8InputServer";

// The object the database made is the module's server: the monitor asked for
// it by that class name and checked the class type's name.
CQmDi8InputServer& ModuleServer(CQmInputServer& server)
{
    return static_cast<CQmDi8InputServer&>(server);
}

}  // namespace

CDeviceReference::CDeviceReference(CQmInputServer& server, long deviceId)
    : m_oServer(server), m_nDeviceId(deviceId), m_pDevice(server.QueryDevice(deviceId))
{
}

CDeviceReference::~CDeviceReference()
{
    if (m_pDevice)
        m_oServer.ReleaseDevice(m_nDeviceId);
}

CInputHost::~CInputHost()
{
    Shutdown();
}

CQmInputServer& CInputHost::Server()
{
    if (m_pServer)
        return *m_pServer;
    CQmObjectDatabase* database = QmGetObjectDatabase();
    const long objectId = database->CreateObject(kServerClassName);
    CQmObject* object = objectId == -1 ? nullptr : database->FindObject(objectId);
    if (!object || !object->IsOfType(CQmInputServer::GetClassType())
        || std::string(object->GetType().GetName()) != kServerClassName) {
        if (object)
            database->DestroyObject(objectId);
        throw std::runtime_error("the module made no input server of class CQmDi8InputServer");
    }
    m_nServerObjectId = objectId;
    m_pServer = static_cast<CQmInputServer*>(object);
    return *m_pServer;
}

void CInputHost::Shutdown()
{
    if (!m_pServer)
        return;
    m_pServer->FreeDevices();
    m_pServer = nullptr;
    QmGetObjectDatabase()->DestroyObject(m_nServerObjectId);
    m_nServerObjectId = -1;
}

std::vector<long> CInputHost::DeviceIds()
{
    std::vector<long> ids;
    CQmInputServer& server = Server();
    long position = -1;
    long deviceId = -1;
    for (bool more = server.GetFirstDevice(position, deviceId); more;
         more = server.GetNextDevice(position, deviceId)) {
        ids.push_back(deviceId);
    }
    return ids;
}

long CInputHost::NewDevice(const std::string& className)
{
    return m_oModule.NewDevice(ModuleServer(Server()), className.c_str());
}

void CInputHost::DeleteDevice(long deviceId)
{
    m_oModule.DeleteDevice(ModuleServer(Server()), deviceId);
}

std::vector<std::string> CInputHost::TakeEventLines()
{
    std::vector<std::string> lines;
    if (!m_pServer)
        return lines;
    CQmInputServer& server = *m_pServer;
    server.LockEventQueue();
    long position = -1;
    long eventId = -1;
    while (server.GetFirstEventInQueue(position, eventId)) {
        if (const CQmInputEvent* event = server.QueryEvent(eventId)) {
            lines.push_back(FormatEvent(*event));
            server.ReleaseEvent(eventId);
        }
        server.RemoveEventFromQueue(eventId);
    }
    server.UnlockEventQueue();
    return lines;
}

}  // namespace qmmonitor
