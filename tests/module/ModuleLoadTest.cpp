// Loading and unloading the module as the framework does: its classes become
// creatable by name in a fixed order and go away in the reverse order.
#include <dlfcn.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "common/ContractViolations.h"
#include "common/FailingAllocation.h"
#include "framework/QmFrameworkControl.h"
#include "host/QmInputServer.h"
#include "host/QmJoystick.h"
#include "host/QmKeyboard.h"
#include "host/QmMouse.h"
#include "host/QmObjectDatabase.h"
#include "host/QmObjectFactory.h"
#include "qmsim/Simulation.h"

namespace {

struct sModuleClass {
    const char* m_pName;
    // The framework types it is of besides its own, its parent first.
    std::vector<std::string> m_oAncestors;
    // What a device answers DoesDeviceNeedPolling; none needs a trigger.
    bool m_bPolled;
};

const std::vector<sModuleClass> kModuleClasses = {
    {"CQmDi8InputServer", {"CQmInputServer", "CQmObject"}, false},
    {"CQmDi8Joystick", {"CQmJoystick", "CQmInputDevice", "CQmInputObject", "CQmObject"}, false},
    {"CQmDi8Keyboard", {"CQmKeyboard", "CQmInputDevice", "CQmInputObject", "CQmObject"}, true},
    {"CQmDi8Mouse", {"CQmMouse", "CQmInputDevice", "CQmInputObject", "CQmObject"}, true},
    {"CQmWindowsKeyboard", {"CQmKeyboard", "CQmInputDevice", "CQmInputObject", "CQmObject"}, false},
    {"CQmWindowsMouse", {"CQmMouse", "CQmInputDevice", "CQmInputObject", "CQmObject"}, false},
};

const std::map<std::string, const CQmClassType*> kFrameworkTypes = {
    {"CQmObject", &CQmObject::GetClassType()},           {"CQmInputObject", &CQmInputObject::GetClassType()},
    {"CQmInputDevice", &CQmInputDevice::GetClassType()}, {"CQmInputServer", &CQmInputServer::GetClassType()},
    {"CQmJoystick", &CQmJoystick::GetClassType()},       {"CQmKeyboard", &CQmKeyboard::GetClassType()},
    {"CQmMouse", &CQmMouse::GetClassType()},
};

class ModuleLoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qmsim::Reset();
        qmhost::ClearContractViolations();
        m_nFactoriesBefore = qmhost::RegisteredFactoryCount();
        qmhost::ClearRegistryLog();
        m_pModule = dlopen(QM_INPUT_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_pModule, nullptr) << dlerror();
    }

    void TearDown() override
    {
        Unload();
        ExpectNoContractViolations();
    }

    void Unload()
    {
        if (m_pModule)
            dlclose(m_pModule);
        m_pModule = nullptr;
    }

    // The module's exported class type of `className`.
    const CQmClassType* ModuleType(const std::string& className) const
    {
        const std::string symbol = "_ZN" + std::to_string(className.size()) + className + "8_s_oTypeE";
        return static_cast<const CQmClassType*>(dlsym(m_pModule, symbol.c_str()));
    }

    void* m_pModule = nullptr;
    long m_nFactoriesBefore = 0;
};

TEST_F(ModuleLoadTest, LoadingBuildsTypeThenFactoryOfEachClassInTheFixedOrderAndUnloadingUndoesItInReverse)
{
    std::vector<std::string> loaded;
    std::vector<std::string> unloaded;
    for (const sModuleClass& moduleClass : kModuleClasses) {
        loaded.push_back(std::string("type+ ") + moduleClass.m_pName);
        loaded.push_back(std::string("factory+ ") + moduleClass.m_pName);
        unloaded.insert(unloaded.begin(), {std::string("factory- ") + moduleClass.m_pName,
                                           std::string("type- ") + moduleClass.m_pName});
    }
    EXPECT_EQ(qmhost::RegistryLog(), loaded);
    EXPECT_EQ(qmhost::RegisteredFactoryCount(), m_nFactoriesBefore + 6);
    // Loading the module does nothing on the platform.
    EXPECT_TRUE(qmsim::CallLog().empty());

    qmhost::ClearRegistryLog();
    Unload();
    EXPECT_EQ(qmhost::RegistryLog(), unloaded);
    EXPECT_EQ(qmhost::RegisteredFactoryCount(), m_nFactoriesBefore);
    EXPECT_EQ(dlopen(QM_INPUT_MODULE_PATH, RTLD_NOW | RTLD_NOLOAD), nullptr) << "the module stayed loaded";
}

TEST_F(ModuleLoadTest, EachClassMadeByNameAnswersTheTypeAndPollingQueriesOfItsOwnType)
{
    CQmObjectDatabase& database = *QmGetObjectDatabase();
    for (const sModuleClass& moduleClass : kModuleClasses) {
        SCOPED_TRACE(moduleClass.m_pName);
        const CQmClassType* ownType = ModuleType(moduleClass.m_pName);
        ASSERT_NE(ownType, nullptr);
        EXPECT_STREQ(ownType->GetName(), moduleClass.m_pName);
        EXPECT_EQ(ownType->GetParent(), kFrameworkTypes.at(moduleClass.m_oAncestors.front()));

        const long objectId = database.CreateObject(CQmString(moduleClass.m_pName));
        ASSERT_NE(objectId, -1);
        const CQmObject* object = database.FindObject(objectId);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(&object->GetType(), ownType);

        for (const sModuleClass& other : kModuleClasses)
            EXPECT_EQ(object->IsOfType(*ModuleType(other.m_pName)), &other == &moduleClass) << other.m_pName;
        for (const auto& [name, type] : kFrameworkTypes) {
            const auto& ancestors = moduleClass.m_oAncestors;
            const bool expected = std::find(ancestors.begin(), ancestors.end(), name) != ancestors.end();
            EXPECT_EQ(object->IsOfType(*type), expected) << name;
        }
        if (const auto* device = dynamic_cast<const CQmInputDevice*>(object)) {
            EXPECT_EQ(device->DoesDeviceNeedPolling(), moduleClass.m_bPolled);
            EXPECT_FALSE(device->DoesDeviceNeedTrigger());
        }
        database.DestroyObject(objectId);
    }
    EXPECT_EQ(qmsim::LiveDirectInputs(), 0);
}

TEST_F(ModuleLoadTest, FactoryGivesNullAndConstructsNothingWhenMemoryRunsOut)
{
    for (const sModuleClass& moduleClass : kModuleClasses) {
        SCOPED_TRACE(moduleClass.m_pName);
        CQmObjectFactory* factory = CQmObjectDatabase::FindFactory(CQmString(moduleClass.m_pName));
        ASSERT_NE(factory, nullptr);

        qmtest::FailNextNothrowAllocations(1);
        EXPECT_EQ(factory->CreateInstance(), nullptr);
        // The server's constructor would have opened DirectInput.
        EXPECT_TRUE(qmsim::CallLog().empty());

        CQmObject* made = factory->CreateInstance();
        ASSERT_NE(made, nullptr);
        delete made;
        qmsim::ClearCallLog();
    }
}

}  // namespace
