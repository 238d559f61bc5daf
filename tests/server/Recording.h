// Test doubles that write what the server and its devices do into one log, so
// a test can check the order of queries, releases, Destroy and deletion.
#pragma once

#include <string>
#include <vector>

#include "host/QmInputDevice.h"
#include "host/QmObjectFactory.h"
#include "server/QmDi8InputServer.h"

inline std::vector<std::string> g_oCalls;

inline void Record(const char* what, long id)
{
    g_oCalls.push_back(std::string(what) + " " + std::to_string(id));
}

// The module's input server, recording the reference and event operations.
class CRecordingServer : public CQmDi8InputServer {
public:
    CRecordingServer() { g_oCalls.clear(); }

    CQmInputDevice* QueryDevice(long deviceId) override
    {
        Record("query", deviceId);
        return CQmDi8InputServer::QueryDevice(deviceId);
    }
    // A reference given back after its device left the list is marked: the
    // host's rules want it back first.
    void ReleaseDevice(long deviceId) override
    {
        Record(deviceId == -1 || IsListed(deviceId) ? "release" : "release unlisted", deviceId);
        CQmDi8InputServer::ReleaseDevice(deviceId);
    }
    CQmInputEvent* QueryEvent(long eventId) override
    {
        Record("query event", eventId);
        return CQmDi8InputServer::QueryEvent(eventId);
    }
    void QueueEvent(long eventId) override
    {
        Record("queue event", eventId);
        CQmDi8InputServer::QueueEvent(eventId);
    }
    void ReleaseEvent(long eventId) override
    {
        Record("release event", eventId);
        CQmDi8InputServer::ReleaseEvent(eventId);
    }

private:
    bool IsListed(long deviceId)
    {
        long position = -1;
        long listed = -1;
        for (bool more = GetFirstDevice(position, listed); more; more = GetNextDevice(position, listed))
            if (listed == deviceId)
                return true;
        return false;
    }
};

// A device that records when it is destroyed and deleted.
class CRecordingDevice : public CQmInputDevice {
public:
    ~CRecordingDevice() override { Record("delete", GetDeviceId()); }
    void Destroy() override { Record("destroy", GetDeviceId()); }
};

// Registers Class under `name` for as long as it lives; the latest registration
// of a name wins, so it can stand in for a module class too.
template <class Class>
class CTestFactory : public CQmObjectFactory {
public:
    explicit CTestFactory(const char* name) : CQmObjectFactory(CQmString(name)) {}
    CQmObject* CreateInstance() override { return new Class; }
};

// A factory whose objects cannot be made.
class CFailingFactory : public CQmObjectFactory {
public:
    explicit CFailingFactory(const char* name) : CQmObjectFactory(CQmString(name)) {}
    CQmObject* CreateInstance() override { return nullptr; }
};
