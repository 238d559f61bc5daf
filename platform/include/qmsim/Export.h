// Symbol visibility of the simulated platform library.
#pragma once

#ifndef QMSIM_API
#  define QMSIM_API __attribute__((visibility("default")))
#endif
