// Factories and the object database: registration log, creation by name and
// deletion through the virtual destructor.
#include <gtest/gtest.h>

#include "TestDevices.h"
#include "framework/QmFrameworkControl.h"

namespace {

class CNullFactory : public CQmObjectFactory {
public:
    explicit CNullFactory(const char* name) : CQmObjectFactory(CQmString(name)) {}
    CQmObject* CreateInstance() override { return nullptr; }
};

TEST(FactoryRegistryTest, LogsTypesAndFactoriesInOrder) {
    const long before = qmhost::RegisteredFactoryCount();
    qmhost::ClearRegistryLog();
    {
        CQmClassType type("CScratch", CQmObject::_s_oType);
        CNullFactory factory(type.GetName());
        EXPECT_EQ(qmhost::RegisteredFactoryCount(), before + 1);
        EXPECT_EQ(CQmObjectDatabase::FindFactory(CQmString("CScratch")), &factory);
    }
    EXPECT_EQ(qmhost::RegisteredFactoryCount(), before);
    EXPECT_EQ(CQmObjectDatabase::FindFactory(CQmString("CScratch")), nullptr);
    EXPECT_EQ(qmhost::RegistryLog(),
              (std::vector<std::string>{"type+ CScratch", "factory+ CScratch", "factory- CScratch", "type- CScratch"}));
}

TEST(ObjectDatabaseTest, CreatesByNameWithIncreasingIds) {
    fwtest::EnsureTestFactories();
    CQmObjectDatabase& database = *QmGetObjectDatabase();
    const long first = database.CreateObject(CQmString("CTestKeyboard"));
    const long second = database.CreateObject(CQmString("CTestMouse"));
    ASSERT_NE(first, -1);
    EXPECT_EQ(second, first + 1);

    CQmObject* object = database.FindObject(second);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->GetId(), second);
    EXPECT_TRUE(object->IsOfType(CQmMouse::GetClassType()));
    EXPECT_TRUE(database.DestroyObject(first));
    EXPECT_TRUE(database.DestroyObject(second));
}

TEST(ObjectDatabaseTest, CreationFailsForUnknownNamesAndNullInstances) {
    CNullFactory nothing("CNothing");
    CQmObjectDatabase& database = *QmGetObjectDatabase();
    const long objects = database.GetNumObjects();
    EXPECT_EQ(database.CreateObject(CQmString("CNoSuchClass")), -1);
    EXPECT_EQ(database.CreateObject(CQmString("CNothing")), -1);
    EXPECT_EQ(database.GetNumObjects(), objects);
}

TEST(ObjectDatabaseTest, DestroyRunsTheVirtualDestructorOnce) {
    fwtest::EnsureTestFactories();
    fwtest::Journal().clear();
    CQmObjectDatabase& database = *QmGetObjectDatabase();
    const long id = database.CreateObject(CQmString("CTestJoystick"));
    EXPECT_TRUE(database.DestroyObject(id));
    EXPECT_EQ(database.FindObject(id), nullptr);
    EXPECT_EQ(fwtest::Journal(), (std::vector<std::string>{"delete CTestJoystick#-1"}));
}

}  // namespace
