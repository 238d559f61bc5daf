// The input module, loaded at run time as the framework loads it.
//
// The monitor does not link the module: a linked module would be loaded before
// main and could never be unloaded, and it would not show that the module
// works when found by name. After dlopen the module's load-time registration
// has made its classes known to the object database, so everything is created
// by class name. Virtual operations (including the DirectInput devices' added
// Create(const GUID&)) are reached through the objects' own tables and need
// no symbol. Only the server's two non-virtual members NewDevice and
// DeleteDevice need an address: the framework binds to the module's exported
// class members by name, and so does this loader, with dlsym.
#pragma once

#include <string>

class CQmDi8InputServer;
class CQmString;

namespace qmmonitor {

class CModuleLibrary {
public:
    CModuleLibrary() = default;
    ~CModuleLibrary();

    CModuleLibrary(const CModuleLibrary&) = delete;
    CModuleLibrary& operator=(const CModuleLibrary&) = delete;

    // Where the module is looked for: $QMINPUT_MODULE if set, else the build
    // (or install) layout next to this executable: ../lib/ and then its own
    // folder (the only one on Windows, where the module sits beside the program).
    static std::string FindModulePath();

    // False with a reason when the library or one of its members is missing.
    bool Load(const std::string& path, std::string& error);
    // Runs the module's unload-time teardown; the classes are gone afterwards.
    void Unload();
    bool IsLoaded() const { return m_pHandle != nullptr; }

    long NewDevice(CQmDi8InputServer& server, const CQmString& className) const;
    void DeleteDevice(CQmDi8InputServer& server, long deviceId) const;

private:
    void* m_pHandle = nullptr;
    void* m_pNewDevice = nullptr;
    void* m_pDeleteDevice = nullptr;
};

}  // namespace qmmonitor
