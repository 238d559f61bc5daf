// Named variables with a 32-bit value; records keep their address while the
// variable exists.
#include "host/QmEnvironmentServer.h"

#include <map>
#include <string>

#include "host/QmCriticalSection.h"

namespace {

struct sEnvironment {
    mutable CQmCriticalSection oLock;
    std::map<std::string, sQmEnvironmentVariable> oVariables;
};

sEnvironment& Env(void* impl) { return *static_cast<sEnvironment*>(impl); }

const sQmEnvironmentVariable kUndefinedVariable = {nullptr, 0, 0};

}  // namespace

CQmEnvironmentServer::CQmEnvironmentServer() : m_pImpl(new sEnvironment) {}
CQmEnvironmentServer::~CQmEnvironmentServer() { delete static_cast<sEnvironment*>(m_pImpl); }

bool CQmEnvironmentServer::HasVariable(const CQmString& key) const {
    sEnvironment& env = Env(m_pImpl);
    CQmCriticalSectionLock guard(env.oLock);
    return env.oVariables.count(key.GetBuffer()) != 0;
}

const sQmEnvironmentVariable& CQmEnvironmentServer::GetVariable(const CQmString& key) const {
    sEnvironment& env = Env(m_pImpl);
    CQmCriticalSectionLock guard(env.oLock);
    auto found = env.oVariables.find(key.GetBuffer());
    return found == env.oVariables.end() ? kUndefinedVariable : found->second;
}

void CQmEnvironmentServer::SetVariable(const CQmString& key, std::uint32_t value) {
    sEnvironment& env = Env(m_pImpl);
    CQmCriticalSectionLock guard(env.oLock);
    auto entry = env.oVariables.try_emplace(key.GetBuffer()).first;
    entry->second.m_pName = entry->first.c_str();
    entry->second.m_nValue = value;
}

void CQmEnvironmentServer::RemoveVariable(const CQmString& key) {
    sEnvironment& env = Env(m_pImpl);
    CQmCriticalSectionLock guard(env.oLock);
    env.oVariables.erase(key.GetBuffer());
}

CQmEnvironmentServer* QmGetEnvironmentServer() {
    static CQmEnvironmentServer* server = new CQmEnvironmentServer;
    return server;
}
