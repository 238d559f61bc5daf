// The loader on Windows: LoadLibraryA and GetProcAddress, as a game host
// loads the input module, with the module beside the executable.
#include "tools/monitor/ModuleLoader.h"

#include <windows.h>

namespace qmmonitor::loader {

const char* ModuleFileName()
{
    return "qminput.dll";
}

std::string ExecutableFolder()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return ".";
    const std::string file(path, length);
    const auto separator = file.find_last_of("\\/");
    return separator == std::string::npos ? "." : file.substr(0, separator);
}

bool IsFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void* Open(const std::string& path, std::string& error)
{
    HMODULE library = LoadLibraryA(path.c_str());
    if (!library)
        error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return library;
}

void* FindExport(void* library, const char* name)
{
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void Close(void* library)
{
    FreeLibrary(static_cast<HMODULE>(library));
}

}  // namespace qmmonitor::loader
