// Export/import decoration for the host framework's classes and functions.
#pragma once

#if defined(_WIN32)
#  if defined(QM_FRAMEWORK_BUILD)
#    define QM_HOST_API __declspec(dllexport)
#  else
#    define QM_HOST_API __declspec(dllimport)
#  endif
#  define QM_CDECL __cdecl
#else
#  define QM_HOST_API __attribute__((visibility("default")))
#  define QM_CDECL
#endif
