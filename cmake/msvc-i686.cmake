# Cross-build for 32-bit Windows in the Microsoft compiler's C++ ABI: clang for
# i686-pc-windows-msvc and lld-link, no Microsoft binary. The Win32 and
# DirectInput headers are mingw-w64's, the C++ library headers libc++'s; the C
# functions come from the system's msvcrt.dll and the C++ runtime support from
# the project's own runtime/ (its header says what it provides).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(QM_MSVC_ABI ON)
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

set(qm_target i686-pc-windows-msvc)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${qm_target})
set(CMAKE_CXX_COMPILER_TARGET ${qm_target})
set(CMAKE_RC_COMPILER llvm-rc)
set(CMAKE_AR llvm-ar)
set(CMAKE_LINKER lld-link)
set(CMAKE_MT "")

set(qm_mingw_include /usr/i686-w64-mingw32/include)
set(qm_libcxx_include /usr/lib/llvm-14/include/c++/v1)
set(qm_mingw_lib /usr/i686-w64-mingw32/lib)

# mingw's headers are written for GCC: -fgnuc-version makes them take the GCC
# branches (attributes after declarators), __declspec defined as itself leaves
# that keyword to the compiler, and _X86_ gives them the architecture. SSE2 as
# the Microsoft compiler assumes for x86 since 2012. printf is msvcrt's own.
# _LIBCPP_NO_VCRUNTIME: libc++ declares std::exception and friends itself
# instead of including Microsoft's vcruntime headers. The extern templates are
# off so that every libc++ template the sources use is instantiated in them:
# there is no libc++ library for this target.
set(qm_common_flags "-msse2 -fgnuc-version=4.2.1 -D__declspec=__declspec -D_X86_ -D__USE_MINGW_ANSI_STDIO=0 -isystem ${qm_mingw_include}")
set(CMAKE_C_FLAGS_INIT "${qm_common_flags}")
set(CMAKE_CXX_FLAGS_INIT "-nostdinc++ -isystem ${qm_libcxx_include} ${qm_common_flags} -D_LIBCPP_NO_VCRUNTIME -D_LIBCPP_DISABLE_EXTERN_TEMPLATE -D_LIBCPP_DISABLE_VISIBILITY_ANNOTATIONS -fexceptions -fcxx-exceptions")
set(CMAKE_RC_FLAGS_INIT "-I ${qm_mingw_include}")

# No Microsoft libraries exist here: nothing is linked by default, the project's
# runtime supplies the entry points. mingw's import libraries carry no SafeSEH
# table, so images are linked without one.
set(qm_link_flags "-Wno-unused-command-line-argument -fuse-ld=lld-link -nostdlib -Wl,/nodefaultlib -Wl,/safeseh:no -Wl,/libpath:${qm_mingw_lib} -Wl,/debug -Wl,/opt:ref")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${qm_link_flags}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${qm_link_flags}")

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
