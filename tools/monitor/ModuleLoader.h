// The platform's way of loading a shared library and finding its exports:
// dlopen on the simulated platform, LoadLibraryA on Windows. CModuleLibrary
// is written on top of these and is the same everywhere.
#pragma once

#include <string>

namespace qmmonitor::loader {

// The input module's file name, e.g. "libqminput.so" or "qminput.dll".
const char* ModuleFileName();
// The folders the module is looked for in, when $QMINPUT_MODULE is not set.
std::string ExecutableFolder();

// True when `path` names a regular file.
bool IsFile(const std::string& path);

// Null with a reason when the library cannot be loaded.
void* Open(const std::string& path, std::string& error);
void* FindExport(void* library, const char* name);
void Close(void* library);

}  // namespace qmmonitor::loader
