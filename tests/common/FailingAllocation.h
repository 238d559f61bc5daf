// Lets a test make allocations with the nothrow operator new fail, as when
// memory runs out. Link common/FailingAllocation.cpp into the test executable
// and export its symbols (ENABLE_EXPORTS) so that loaded libraries use it too.
#pragma once

namespace qmtest {

// The next `count` nothrow allocations give null.
void FailNextNothrowAllocations(int count);

}  // namespace qmtest
