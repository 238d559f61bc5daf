# The input module: one shared library (a DLL on Windows) from the four
# subsystem folders. The source is the same on every platform; only what it
# links against differs.
file(GLOB QM_INPUT_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/server/*.cpp
  ${PROJECT_SOURCE_DIR}/keyboard/*.cpp
  ${PROJECT_SOURCE_DIR}/mouse/*.cpp
  ${PROJECT_SOURCE_DIR}/winmsg/*.cpp)

add_library(qminput SHARED ${QM_INPUT_SOURCES})
target_include_directories(qminput PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(qminput PUBLIC qminput_bound_names)
# The module's own sources need no more of <windows.h>; its headers leave the
# host's configuration alone.
target_compile_definitions(qminput PRIVATE QM_INPUT_BUILD WIN32_LEAN_AND_MEAN)
target_link_libraries(qminput PUBLIC qmframework)
if(WIN32)
  set_target_properties(qminput PROPERTIES PREFIX "")
  target_link_libraries(qminput PUBLIC dinput8 dxguid user32)
else()
  target_link_libraries(qminput PUBLIC qmsim)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND NOT WIN32)
  # Statics of class templates would become process-wide unique symbols, which
  # keep a shared library loaded after dlclose; the framework must be able to
  # unload the module as it unloads a DLL.
  target_compile_options(qminput PRIVATE -fno-gnu-unique)
endif()
