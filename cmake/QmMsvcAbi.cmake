# The Microsoft-ABI build (toolchain cmake/msvc-i686.cmake): every image links
# the project's runtime (runtime/) and finds the platform's import libraries,
# which are mingw-w64's, under the names that MSVC-style links use (user32.lib).
set(QM_MINGW_LIB ${CMAKE_FIND_ROOT_PATH}/lib)
set(import_dir ${CMAKE_BINARY_DIR}/import-libs)
file(MAKE_DIRECTORY ${import_dir})
foreach(name kernel32 user32 dinput8 dxguid version msvcrt)
  file(CREATE_LINK ${QM_MINGW_LIB}/lib${name}.a ${import_dir}/${name}.lib SYMBOLIC)
endforeach()
link_directories(${import_dir})
# Only what each target names: no default list of Windows libraries.
set(CMAKE_C_STANDARD_LIBRARIES "")
set(CMAKE_CXX_STANDARD_LIBRARIES "")

add_subdirectory(runtime)
link_libraries(qmruntime)
add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:SHELL:-include ${PROJECT_SOURCE_DIR}/runtime/MsvcrtDeclarations.h>")

# How a host program is compiled and linked the way this build does (the
# package test builds the example from the installed tree with them): the
# compiler flags, and the runtime and import libraries that stand in for the
# Microsoft compiler's own.
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/host-compile.rsp CONTENT
"--target=${CMAKE_CXX_COMPILER_TARGET} -std=c++20 ${CMAKE_CXX_FLAGS} -include ${PROJECT_SOURCE_DIR}/runtime/MsvcrtDeclarations.h
")
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/host-link.rsp CONTENT
"${CMAKE_EXE_LINKER_FLAGS} $<TARGET_FILE:qmruntime> ${CMAKE_BINARY_DIR}/runtime/msvcrt-missing.lib ${import_dir}/msvcrt.lib ${import_dir}/kernel32.lib ${import_dir}/user32.lib
")
