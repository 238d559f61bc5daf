// What the compiler calls when a program cannot go on: a pure virtual called
// during construction or destruction, an exception leaving a noexcept
// function, std::terminate.
#include <cstdlib>
#include <exception>

extern "C" int __cdecl _purecall()
{
    std::abort();
}

extern "C" void __cdecl __std_terminate()
{
    std::abort();
}

namespace std {
void terminate() noexcept
{
    abort();
}
}  // namespace std
