// Each way a caller can break the framework's reference and device-list rules
// is named, once, in the violation record and the debug output; the calls the
// rules allow (the list's own reference given back once to dispose of a
// device, -1 for no device or event) are not.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TestDevices.h"
#include "common/ContractViolations.h"
#include "framework/QmFrameworkControl.h"

namespace {

// An object of the database that is no input device.
class CPlainObjectFactory : public CQmObjectFactory {
public:
    CPlainObjectFactory() : CQmObjectFactory(CQmString("CTestPlainObject")) {}
    CQmObject* CreateInstance() override { return new CQmObject; }
};

// A fresh server with one test keyboard listed as device 1.
struct sScene {
    std::unique_ptr<CQmInputServer> pServer = std::make_unique<CQmInputServer>();
    long nDevice = fwtest::AddTestDevice(*pServer);
    long nObject = QmGetObjectDatabase()->CreateObject(CQmString("CTestKeyboard"));  // not listed

    CQmInputServer& Server() { return *pServer; }
    // An event the device asked for, queried and not given back.
    long NewHeldEvent(long deviceId) {
        CQmInputDevice* device = pServer->QueryDevice(deviceId);
        const long id = device->NewEvent();
        pServer->ReleaseDevice(deviceId);
        pServer->QueryEvent(id);
        return id;
    }
};

struct sViolationCase {
    const char* pWhat;
    void (*pBreak)(sScene&);
    // "#" stands for the unlisted object's id, "@" for the listed device's object id.
    std::vector<std::string> oNamed;
};

const sViolationCase kCases[] = {
    {"the list's own reference given back once disposes of the device",
     [](sScene& s) {
         s.Server().QueryDevice(1);
         s.Server().ReleaseDevice(1);
         s.Server().ReleaseDevice(1);
     },
     {}},
    {"-1 is no device and no event",
     [](sScene& s) {
         s.Server().ReleaseDevice(-1);
         s.Server().ReleaseEvent(-1);
     },
     {}},
    {"a device reference beyond those taken",
     [](sScene& s) {
         s.Server().ReleaseDevice(1);
         s.Server().ReleaseDevice(1);
     },
     {"ReleaseDevice(1) gives back more references than were taken"}},
    {"a device id never listed", [](sScene& s) { s.Server().ReleaseDevice(7); },
     {"ReleaseDevice(7): no device of that id"}},
    {"a removal while a query is held",
     [](sScene& s) {
         s.Server().QueryDevice(1);
         s.Server().RemoveDevice(1);
         s.Server().ReleaseDevice(1);
     },
     {"RemoveDevice(1) while 1 reference is held"}},
    {"a removal of an unlisted id", [](sScene& s) { s.Server().RemoveDevice(7); },
     {"RemoveDevice(7): no device of that id in the list"}},
    {"a removal while an event of the device is held",
     [](sScene& s) {
         const long eventId = s.NewHeldEvent(1);
         s.Server().RemoveDevice(1);
         s.Server().ReleaseEvent(eventId);
     },
     {"RemoveDevice(1) while event 1 of the device is held"}},
    {"a deletion while a query is held",
     [](sScene& s) {
         s.Server().QueryDevice(1);
         s.Server().FreeDevices();
         s.Server().ReleaseDevice(1);
     },
     {"FreeDevices deleting device 1 while 1 reference is held", "DestroyObject(@) while 1 reference is held"}},
    {"a deletion while an event of the device is held",
     [](sScene& s) {
         const long eventId = s.NewHeldEvent(1);
         s.Server().FreeDevices();
         s.Server().ReleaseEvent(eventId);
     },
     {"FreeDevices deleting device 1 while event 1 of the device is held"}},
    {"an object destroyed while listed", [](sScene& s) { QmGetObjectDatabase()->DestroyObject(s.nObject - 1); },
     {"DestroyObject(@) while 1 reference is held"}},
    {"an object id never made", [](sScene&) { QmGetObjectDatabase()->DestroyObject(-5); },
     {"DestroyObject(-5): no object of that id"}},
    {"a device of no object", [](sScene& s) { s.Server().AddDevice(2, -5); }, {"AddDevice(2, -5): no object of that id"}},
    {"a device of an object that is no device",
     [](sScene& s) {
         static CPlainObjectFactory plain;
         const long objectId = QmGetObjectDatabase()->CreateObject(CQmString("CTestPlainObject"));
         s.Server().AddDevice(2, objectId);
         QmGetObjectDatabase()->DestroyObject(objectId);
     },
     {"AddDevice(2, #+1): the object is no input device"}},
    {"a device id in use", [](sScene& s) { s.Server().AddDevice(1, s.nObject); },
     {"AddDevice(1, #): device 1 is in use already"}},
    {"no device id", [](sScene& s) { s.Server().AddDevice(-1, s.nObject); }, {"AddDevice(-1, #): -1 names no device"}},
    {"an object listed twice", [](sScene& s) { s.Server().AddDevice(2, s.nObject - 1); },
     {"AddDevice(2, @): the object is listed already as device 1"}},
    {"an event reference beyond those taken", [](sScene& s) { s.Server().ReleaseEvent(s.Server().NewEvent()); },
     {"ReleaseEvent(1) gives back more references than were taken"}},
    {"an event id never made", [](sScene& s) { s.Server().ReleaseEvent(9); }, {"ReleaseEvent(9): no event of that id"}},
    {"a queued event of no record", [](sScene& s) { s.Server().QueueEvent(9); }, {"QueueEvent(9): no event of that id"}},
    {"an event queued twice",
     [](sScene& s) {
         const long eventId = s.Server().NewEvent();
         s.Server().QueueEvent(eventId);
         s.Server().QueueEvent(eventId);
     },
     {"QueueEvent(1) of an event in the queue already"}},
    {"a server destroyed while references are held",
     [](sScene& s) {
         s.Server().QueryDevice(1);
         s.NewHeldEvent(1);
         s.NewHeldEvent(1);
         s.pServer.reset();
     },
     {"input server destroyed while 1 device reference is held",
      "input server destroyed while 2 event references are held"}},
};

std::string WithIds(std::string text, long object) {
    for (const auto& [mark, id] : {std::pair{std::string("#+1"), object + 1}, std::pair{std::string("#"), object},
                                   std::pair{std::string("@"), object - 1}}) {
        for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark)) {
            text.replace(at, mark.size(), std::to_string(id));
        }
    }
    return text;
}

TEST(ContractViolationTest, EachBreachIsNamedOnceAndAllowedCallsAreNot) {
    for (const sViolationCase& c : kCases) {
        SCOPED_TRACE(c.pWhat);
        qmhost::ResetDeviceIds();
        sScene scene;
        ASSERT_EQ(scene.nDevice, 1);
        TakeContractViolations();
        qmhost::TakeDebugOutput();

        c.pBreak(scene);

        std::vector<std::string> named;
        std::string debugLines;
        for (const std::string& text : c.oNamed) {
            named.push_back(WithIds(text, scene.nObject));
            debugLines += "host contract: " + named.back() + "\n";
        }
        EXPECT_EQ(qmhost::ContractViolationCount(), static_cast<long>(named.size()));
        EXPECT_EQ(TakeContractViolations(), named);
        EXPECT_EQ(qmhost::TakeDebugOutput(), debugLines);
        // Whatever the case left: reports of the clean-up are not the case's.
        if (scene.pServer) {
            scene.Server().FreeDevices();
        }
        QmGetObjectDatabase()->DestroyObject(scene.nObject - 1);
        QmGetObjectDatabase()->DestroyObject(scene.nObject);
        TakeContractViolations();
    }
}

}  // namespace
