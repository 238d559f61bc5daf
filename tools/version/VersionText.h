// The project's version as the programs print it.
#pragma once

// "1.0.0", or "1.0.0 (git 0123abcd4567)" where the build knew its revision.
const char* QmVersionText();
