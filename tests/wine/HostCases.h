// The Windows host tests, each run as its own process under Wine. Each prints
// its checks and the events it saw, and returns the process's exit status.
#pragma once

namespace qmwinetest {

int RunEnumerationCase();
int RunMessageCase();
int RunRecreatedWindowCase();
int RunSubclassedWindowCase();
int RunBufferOverflowCase();
int RunForeignRestoreCase();
int RunWindowThreadCase();
int RunAnsiCharactersCase();

}  // namespace qmwinetest
