// A replacement of the global operator new that counts allocations while asked
// to, and tells by the call stack whose they are: the module's, the
// framework's or the simulated platform's. The test executable's operator new
// is the one the shared libraries call too, so every allocation is seen.
#pragma once

namespace qmtest {

struct sAllocationCounts {
    long nModule = 0;     // innermost project frame in the module
    long nFramework = 0;  // ... in the framework stand-in
    long nPlatform = 0;   // ... in the simulated platform
    long nOther = 0;      // no frame of the three (the test itself, the runtime)
};

// Counts the allocations made from construction until Stop(), on any thread.
class CAllocationCount {
public:
    CAllocationCount();
    ~CAllocationCount();
    CAllocationCount(const CAllocationCount&) = delete;
    CAllocationCount& operator=(const CAllocationCount&) = delete;

    sAllocationCounts Stop();
};

}  // namespace qmtest
