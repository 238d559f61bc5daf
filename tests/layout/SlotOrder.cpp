#include "tests/layout/SlotOrder.h"

namespace qmlayout {
namespace {

const std::vector<std::string> kObjectSlots = {
    "BeginPack", "Pack", "EndPack", "BeginUnpack", "Unpack", "EndUnpack", "GetLocalId",
    "GetNetworkId", "OnDistributedObjectConnect", "OnDistributedObjectDisconnect",
    "OnDispatchMethodInvocation", "OnDispatchMethodResult", "OnConstruct", "OnDestruct",
    "GetType", "IsOfType", "_GetDataFormatVersion", "CanSerialize", "~", "InitData", "AddRef",
    "Release", "GetId", "GetAssociatedResourceId", "DispatchEvent", "DispatchSimulation",
    "GetSerializationMode", "Serialize", "SetDistributedDataDirty", "SetId",
    "SetAssociatedResourceId"};

const std::vector<std::string> kInputServerSlots = {
    "EnumerateDevices", "FreeDevices", "GetNumDevices", "GetNumDevicesOfType", "QueryDevice",
    "ReleaseDevice", "GetFirstDevice", "GetNextDevice", "ObtainFocus", "LoseFocus", "HasFocus",
    "NewEvent", "QueueEvent", "LockEventQueue", "UnlockEventQueue", "GetFirstEventInQueue",
    "GetNextEventInQueue", "RemoveEventFromQueue", "FlushEventQueue", "QueryEvent",
    "ReleaseEvent", "Trigger", "PreQueue", "Queue", "PostQueue"};

const std::vector<std::string> kInputDeviceSlots = {
    "Create", "Destroy", "Reset", "Poll", "Trigger", "SetActive", "Activate", "Deactivate",
    "DoesDeviceNeedPolling", "DoesDeviceNeedTrigger", "GetDeviceId", "IsActive", "SetDeviceId",
    "NewEvent", "ReleaseEvent", "QueueEvent", "PreQueue", "Queue", "PostQueue"};

const std::vector<std::string> kKeyboardSlots = {
    "GetKeyRepeatDelay", "SetKeyRepeatDelay", "GetKeyRepeatSpeed", "SetKeyRepeatSpeed"};

const std::vector<std::string> kMouseSlots = {
    "IsLeftHanded", "IsRightHanded", "GetXPos", "SetXPos", "GetYPos", "SetYPos",
    "GetDoubleClickTime", "SetDoubleClickTime", "SetLeftHanded"};

void Append(std::vector<std::string>& to, const std::vector<std::string>& from)
{
    to.insert(to.end(), from.begin(), from.end());
}

}  // namespace

std::vector<std::string> SlotNames(eBaseFamily family, bool addsGuidCreate)
{
    std::vector<std::string> names = kObjectSlots;
    if (family == eBaseFamily::InputServer) {
        Append(names, kInputServerSlots);
        return names;
    }
    Append(names, kInputDeviceSlots);
    if (family == eBaseFamily::Keyboard)
        Append(names, kKeyboardSlots);
    if (family == eBaseFamily::Mouse)
        Append(names, kMouseSlots);
    if (addsGuidCreate)
        names.push_back("Create(GUID)");
    return names;
}

int SlotIndex(const std::vector<std::string>& names, const std::string& name)
{
#if defined(_MSC_VER)
    constexpr int kDestructorSlots = 1;
#else
    constexpr int kDestructorSlots = 2;
#endif
    int index = 0;
    for (const std::string& slot : names) {
        if (slot == name)
            return index;
        index += slot == "~" ? kDestructorSlots : 1;
    }
    return -1;
}

}  // namespace qmlayout
