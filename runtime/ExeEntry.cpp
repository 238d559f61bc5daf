// A console program's entry point: its statics are built before main and
// destroyed after it, or at exit() through msvcrt's own exit list.
#include <windows.h>

#include <cstdlib>

#include "runtime/QmRuntime.h"

extern "C" int main(int argc, char** argv);

extern "C" {
// msvcrt.dll's start-up services for a console program.
struct _startupinfo {
    int newmode;
};
_CRTIMP int __cdecl __getmainargs(int* argc, char*** argv, char*** env, int wildcard, _startupinfo* info);
_CRTIMP void __cdecl __set_app_type(int type);
}

namespace {

int __cdecl RunExitListAtExit()
{
    qmrt::RunImageExitList();
    return 0;
}

}  // namespace

extern "C" int mainCRTStartup()
{
    constexpr int kConsoleApp = 1;
    __set_app_type(kConsoleApp);
    int argc = 0;
    char** argv = nullptr;
    char** env = nullptr;
    _startupinfo info{0};
    __getmainargs(&argc, &argv, &env, 0, &info);
    // exit() runs msvcrt's list, which runs this image's.
    _onexit(RunExitListAtExit);
    qmrt::RunStaticInitialisers();
    std::exit(main(argc, argv));
}
