# server/QmBoundNames.h, generated: the decorated names a host finds with
# GetProcAddress (dlsym natively), taken from the "bound:" lines of the golden
# export list of this build's C++ ABI, so that the example host, the monitor's
# loader, the export check and the package test all read one table per ABI.
if(QM_MSVC_ABI)
  set(QM_EXPORT_ABI msvc)
else()
  set(QM_EXPORT_ABI gcc)
endif()
set(golden ${PROJECT_SOURCE_DIR}/tests/exports/${QM_EXPORT_ABI}.exports)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${golden})
file(STRINGS ${golden} bound_lines REGEX "^bound:")

set(constants "")
foreach(line ${bound_lines})
  string(REGEX REPLACE "^bound:([a-z-]+) .*$" "\\1" key "${line}")
  string(REGEX REPLACE "^bound:[a-z-]+ (.*)$" "\\1" name "${line}")
  # new-device -> kNewDevice
  string(REPLACE "-" ";" words "${key}")
  set(identifier k)
  foreach(word ${words})
    string(SUBSTRING "${word}" 0 1 first)
    string(TOUPPER "${first}" first)
    string(SUBSTRING "${word}" 1 -1 rest)
    string(APPEND identifier "${first}${rest}")
  endforeach()
  string(APPEND constants "inline constexpr const char* ${identifier} = \"${name}\";\n")
endforeach()

set(QM_BOUND_NAMES_DIR ${CMAKE_BINARY_DIR}/generated/include)
file(GENERATE OUTPUT ${QM_BOUND_NAMES_DIR}/server/QmBoundNames.h CONTENT
"// Generated from tests/exports/${QM_EXPORT_ABI}.exports: the decorated names of the
// module's members that a host built with this compiler finds by name.
#pragma once

namespace qmexports {
${constants}}  // namespace qmexports
")

# For the programs that load the module at run time instead of linking it.
add_library(qminput_bound_names INTERFACE)
target_include_directories(qminput_bound_names INTERFACE ${QM_BOUND_NAMES_DIR})
