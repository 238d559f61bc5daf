// The loader on the simulated platform: dlopen, with the module found in the
// build (or install) layout beside the executable.
#include "tools/monitor/ModuleLoader.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#ifndef QMINPUT_MODULE_FILE
#  define QMINPUT_MODULE_FILE "libqminput.so"
#endif

namespace qmmonitor::loader {

const char* ModuleFileName()
{
    return QMINPUT_MODULE_FILE;
}

std::string ExecutableFolder()
{
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0)
        return ".";
    const std::string path(buffer.data(), static_cast<std::size_t>(length));
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

bool IsFile(const std::string& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

void* Open(const std::string& path, std::string& error)
{
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* reason = dlerror();
        error = reason ? reason : "cannot load " + path;
    }
    return library;
}

void* FindExport(void* library, const char* name)
{
    return dlsym(library, name);
}

void Close(void* library)
{
    dlclose(library);
}

}  // namespace qmmonitor::loader
