// The process-wide registry of object factories, by class name.
#include <algorithm>
#include <vector>

#include "framework/QmFrameworkControl.h"
#include "framework/RegistryLog.h"
#include "host/QmCriticalSection.h"
#include "host/QmObjectDatabase.h"
#include "host/QmObjectFactory.h"

namespace {

struct sFactoryRegistry {
    CQmCriticalSection oLock;
    std::vector<CQmObjectFactory*> oFactories;
};

// Never destroyed: modules unregister their factories during their own
// teardown, which may come after this library's statics are gone.
sFactoryRegistry& TheRegistry() {
    static sFactoryRegistry* registry = new sFactoryRegistry;
    return *registry;
}

}  // namespace

CQmObjectFactory* CQmObjectDatabase::FindFactory(const CQmString& className) {
    sFactoryRegistry& registry = TheRegistry();
    CQmCriticalSectionLock guard(registry.oLock);
    // The latest registration of a name wins.
    auto found = std::find_if(registry.oFactories.rbegin(), registry.oFactories.rend(),
                              [&](const CQmObjectFactory* f) { return f->GetName() == className; });
    return found == registry.oFactories.rend() ? nullptr : *found;
}

long CQmObjectDatabase::GetNumFactories() {
    sFactoryRegistry& registry = TheRegistry();
    CQmCriticalSectionLock guard(registry.oLock);
    return static_cast<long>(registry.oFactories.size());
}

void CQmObjectDatabase::RegisterFactory(CQmObjectFactory* factory) {
    if (factory == nullptr) {
        return;
    }
    sFactoryRegistry& registry = TheRegistry();
    CQmCriticalSectionLock guard(registry.oLock);
    registry.oFactories.push_back(factory);
    qmhost::detail::AppendRegistryLog("factory+", factory->GetName().GetBuffer());
}

void CQmObjectDatabase::UnregisterFactory(CQmObjectFactory* factory) {
    sFactoryRegistry& registry = TheRegistry();
    CQmCriticalSectionLock guard(registry.oLock);
    auto found = std::find(registry.oFactories.begin(), registry.oFactories.end(), factory);
    if (found == registry.oFactories.end()) {
        return;
    }
    registry.oFactories.erase(found);
    qmhost::detail::AppendRegistryLog("factory-", factory->GetName().GetBuffer());
}

namespace qmhost {

long RegisteredFactoryCount() { return CQmObjectDatabase::GetNumFactories(); }

}  // namespace qmhost
