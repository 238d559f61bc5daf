// Export decoration for the input module's classes.
#pragma once

#if defined(_WIN32)
#  if defined(QM_INPUT_BUILD)
#    define QM_INPUT_API __declspec(dllexport)
#  else
#    define QM_INPUT_API __declspec(dllimport)
#  endif
#else
#  define QM_INPUT_API __attribute__((visibility("default")))
#endif
