// The input server base: lifetime, the current server, focus and the hooks a
// concrete server overrides.
#include "host/QmInputServer.h"

#include <atomic>

#include "framework/ContractViolations.h"
#include "framework/InputServerImpl.h"
#include "framework/TypeQueries.h"
#include "host/QmObjectDatabase.h"

namespace {

std::atomic<CQmInputServer*> g_pCurrentServer{nullptr};

qmhost::detail::sInputServerImpl& Impl(void* impl) { return *static_cast<qmhost::detail::sInputServerImpl*>(impl); }

// References still held when the server goes would point into a server that is gone.
void ReportHeldReferences(const qmhost::detail::sInputServerImpl& impl) {
    const long devices = impl.oDevices.HeldQueries();
    const long events = impl.oEvents.HeldRefs();
    if (devices > 0) {
        qmhost::detail::ReportContractViolation("input server destroyed while " +
                                                qmhost::detail::HeldCount(devices, "device reference"));
    }
    if (events > 0) {
        qmhost::detail::ReportContractViolation("input server destroyed while " +
                                                qmhost::detail::HeldCount(events, "event reference"));
    }
}

}  // namespace

CQmInputServer* QmGetInputServer() { return g_pCurrentServer.load(); }

CQmInputServer::CQmInputServer()
    : m_pObjectDatabase(QmGetObjectDatabase()), m_pImpl(new qmhost::detail::sInputServerImpl) {
    g_pCurrentServer = this;
}

CQmInputServer::~CQmInputServer() {
    CQmInputServer* self = this;
    g_pCurrentServer.compare_exchange_strong(self, nullptr);
    CQmCriticalSectionLock guard(m_oLock);
    ReportHeldReferences(Impl(m_pImpl));
    delete &Impl(m_pImpl);
    m_pImpl = nullptr;
}

QM_DEFINE_TYPE_QUERIES(CQmInputServer)

// A server of its own kind finds its devices; the base has none to find.
bool CQmInputServer::EnumerateDevices() { return false; }

void CQmInputServer::ObtainFocus() { Impl(m_pImpl).bFocus = true; }
void CQmInputServer::LoseFocus() { Impl(m_pImpl).bFocus = false; }
bool CQmInputServer::HasFocus() const { return Impl(m_pImpl).bFocus; }

void CQmInputServer::Trigger() {}
void CQmInputServer::PreQueue() {}
void CQmInputServer::Queue() {}
void CQmInputServer::PostQueue() {}
