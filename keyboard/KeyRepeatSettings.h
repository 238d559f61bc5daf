// The keyboard repeat settings of the system, as seconds; read when a keyboard is created.
#pragma once

// The delay from a press to its first repeat: system setting 0..3 gives 0.25..1.0 s.
float KeyRepeatDelayFromSystem();
// The interval between two repeats: system setting s gives 1/s s.
float KeyRepeatIntervalFromSystem();
