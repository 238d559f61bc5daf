// qminput-runtime-check: what the Microsoft-ABI build's own runtime (runtime/)
// promises, exercised in a real program under Wine: exceptions thrown, caught
// by base class and unwinding destructors; dynamic_cast and typeid; one-time
// initialisation of a function-local static raced by several threads;
// thread_local per thread; the C and C++ library pieces it supplies. Prints a
// line per check and exits non-zero when one fails.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <unordered_map>

namespace {

int s_nFailed = 0;

void Check(bool condition, const char* what)
{
    std::printf("%s %s\n", condition ? "ok  " : "FAIL", what);
    if (!condition)
        ++s_nFailed;
}

struct sUnwound {
    int* pCount;
    ~sUnwound() { ++*pCount; }
};

void ThrowThroughGuard(int& unwound)
{
    sUnwound guard{&unwound};
    throw std::runtime_error("thrown text");
}

void CheckExceptions()
{
    int unwound = 0;
    std::string caught;
    try {
        ThrowThroughGuard(unwound);
    } catch (const std::exception& error) {
        caught = error.what();
    }
    Check(caught == "thrown text", "a std::runtime_error is caught as std::exception with its text");
    Check(unwound == 1, "the destructor of a local runs while the exception passes");

    bool caughtByValue = false;
    try {
        throw 42;
    } catch (long) {
    } catch (int value) {
        caughtByValue = value == 42;
    }
    Check(caughtByValue, "an int is caught by the int handler, not the long one");
}

struct sBase {
    virtual ~sBase() = default;
};
struct sLeft : sBase {};
struct sRight : sBase {};

void CheckTypeInformation()
{
    sLeft left;
    sBase* base = &left;
    Check(dynamic_cast<sLeft*>(base) == &left, "dynamic_cast to the object's class succeeds");
    Check(dynamic_cast<sRight*>(base) == nullptr, "dynamic_cast to another class gives null");
    Check(typeid(*base) == typeid(sLeft) && typeid(*base) != typeid(sRight), "typeid names the dynamic class");
}

int s_nConstructions = 0;

struct sSlowlyBuilt {
    int nValue;
    sSlowlyBuilt() : nValue(7)
    {
        InterlockedIncrement(reinterpret_cast<volatile LONG*>(&s_nConstructions));
        Sleep(50);  // keep the other threads waiting on the guard
    }
};

int ReadSharedStatic()
{
    static sSlowlyBuilt s_oShared;
    return s_oShared.nValue;
}

thread_local int t_nOwn = 100;

struct sThreadResult {
    int nStaticValue;
    int nOwnBefore;
    int nOwnAfter;
};

DWORD WINAPI RaceForStatic(LPVOID context)
{
    auto* result = static_cast<sThreadResult*>(context);
    result->nStaticValue = ReadSharedStatic();
    result->nOwnBefore = t_nOwn;
    t_nOwn = static_cast<int>(GetCurrentThreadId());
    result->nOwnAfter = t_nOwn;
    return 0;
}

void CheckThreads()
{
    constexpr int kThreads = 4;
    sThreadResult results[kThreads] = {};
    HANDLE threads[kThreads];
    for (int i = 0; i < kThreads; ++i)
        threads[i] = CreateThread(nullptr, 0, RaceForStatic, &results[i], 0, nullptr);
    WaitForMultipleObjects(kThreads, threads, TRUE, INFINITE);
    bool allSawIt = true;
    bool ownCopies = true;
    for (int i = 0; i < kThreads; ++i) {
        CloseHandle(threads[i]);
        allSawIt = allSawIt && results[i].nStaticValue == 7;
        ownCopies = ownCopies && results[i].nOwnBefore == 100;
    }
    Check(s_nConstructions == 1 && allSawIt, "a local static raced by four threads is built once and seen built by all");
    Check(ownCopies && t_nOwn == 100, "each thread starts with its own thread_local, untouched by the others");
}

void CheckLibraryPieces()
{
    Check(std::to_string(-12345L) == "-12345", "std::to_string(long)");
    std::unordered_map<int, int> squares;
    for (int i = 0; i < 1000; ++i)
        squares[i] = i * i;
    Check(squares.size() == 1000 && squares[999] == 998001, "an unordered_map grows its buckets");
    char small[4];
    const int needed = std::snprintf(small, sizeof small, "%d", 123456);
    Check(needed == 6 && std::strcmp(small, "123") == 0, "snprintf truncates and returns the length needed");
    Check(std::strtod("2.5", nullptr) == 2.5, "strtod");
    void* aligned = ::operator new(24, std::align_val_t{64});
    Check(reinterpret_cast<std::uintptr_t>(aligned) % 64 == 0, "aligned operator new");
    ::operator delete(aligned, std::align_val_t{64});
    Check(::operator new(static_cast<std::size_t>(-1) / 2, std::nothrow) == nullptr,
          "nothrow operator new gives null when memory runs out");
    bool threw = false;
    try {
        void* huge = ::operator new(static_cast<std::size_t>(-1) / 2);
        ::operator delete(huge);
    } catch (const std::bad_alloc&) {
        threw = true;
    }
    Check(threw, "operator new throws std::bad_alloc when memory runs out");
}

}  // namespace

int main()
{
    CheckExceptions();
    CheckTypeInformation();
    CheckThreads();
    CheckLibraryPieces();
    std::printf("runtime: %d failed\n", s_nFailed);
    return s_nFailed == 0 ? 0 : 1;
}
