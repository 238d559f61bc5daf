// qmruntime: the C++ runtime support of the Microsoft-ABI build (preset
// msvc-i686), linked statically into every DLL and EXE of that build.
//
// Why it exists: clang for i686-pc-windows-msvc emits code that expects
// Microsoft's vcruntime and CRT startup objects, which are not available here
// (no Microsoft binary may be used). The C library itself is the system's
// msvcrt.dll, reached through mingw-w64's import library; the entries that
// library leaves out but msvcrt.dll exports (C++ exception dispatch, 64-bit
// arithmetic helpers, math) come through msvcrt-missing.def. Everything else:
//
//   DllEntry, ExeEntry _DllMainCRTStartup and mainCRTStartup: run the static
//                      initialisers (.CRT$XCA..XCZ) in order before DllMain or
//                      main, and the image's exit list after them.
//   ImageExit          atexit() per image: a DLL's static destructors run at its
//                      own detach, in reverse order of registration, not at
//                      process exit (the module is unloaded with FreeLibrary).
//   OperatorNew        operator new/delete on msvcrt's malloc/free. Each image
//                      has its own; memory never crosses the module boundary
//                      to be freed on the other side.
//   Termination        _purecall, __std_terminate, std::terminate: abort().
//   FloatingPoint      _fltused, the marker the compiler references when a
//                      translation unit uses floating point.
//   ThreadLocalStorage _tls_used/_tls_index/__tls_array: the TLS directory that
//                      makes the loader allocate thread_local data (the
//                      framework's event owner, the statics' epoch below).
//   ThreadSafeStatics  _Init_thread_header/_footer/_abort/_epoch: one-time,
//                      thread-safe initialisation of function-local statics.
//   TypeInfo           type_info's virtual table, which every RTTI type
//                      descriptor points to (RTTI and exception matching), and
//                      the comparison behind libc++'s type_info == (by the
//                      decorated name, so equal across images).
//   StdExceptions      the out-of-line members of libc++'s exception classes
//                      (std::exception, logic_error, runtime_error and kin,
//                      bad_alloc), which libc++ keeps in its library; there is
//                      no libc++ library for this target.
//   StdLibrary         the other libc++ library functions the headers reach:
//                      std::__next_prime (unordered containers), to_string.
//   MingwRedirects     __ms_vsnprintf, __strtod and __acrt_iob_func, where
//                      mingw's headers send vsnprintf, strtod and stdout, on
//                      msvcrt's own functions.
//
// Risks against a host built with the real Microsoft runtime: exceptions are
// dispatched by msvcrt.dll's __CxxFrameHandler3, not by the host's vcruntime;
// an exception thrown by the host and passing through the module is matched by
// name as usual, but a std:: exception object of libc++'s layout is not the
// same type as the host's MSVC STL one. No standard-library object crosses the
// module's interface, so this matters only to the project's own test tools.
#pragma once

namespace qmrt {

// Runs the C++ static initialisers of this image, in link order.
void RunStaticInitialisers();
// Runs this image's atexit() list, last registered first, each entry once.
void RunImageExitList();

}  // namespace qmrt
