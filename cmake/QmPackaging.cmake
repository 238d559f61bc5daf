# What ships to a game developer, for Windows, once per C++ ABI (gcc: the
# mingw-w64 build; msvc: the Microsoft-ABI build). `cmake --install` lays it out:
#   bin/                 qminput.dll, qmframework.dll (the framework stand-in),
#                        qminput-monitor.exe (gcc only), and their debug
#                        information beside each: NAME.debug (gcc), NAME.pdb (msvc)
#   lib/                 the import libraries
#   include/             the host-facing headers, in the folders they name each other by
#   share/doc/qminput/   README.md, CHANGELOG.md, docs/ (the host guide among them) and
#                        examples/ (the two example hosts), as in the source tree, so
#                        that the pages' links hold
# CPack zips the component "runtime" as qminput-VERSION-win32-ABI.zip and the
# component "debug" (the debug information) as qminput-VERSION-win32-ABI-debug.zip.

set(QM_SHIPPED_BINARIES qminput qmframework)
if(TARGET qminput-monitor)
  list(APPEND QM_SHIPPED_BINARIES qminput-monitor)
endif()

# Each binary's description in its version resource.
qm_add_version_resource(qminput "qminput DirectInput 8 input module")
qm_add_version_resource(qmframework "qminput framework stand-in")
if(TARGET qminput-monitor)
  qm_add_version_resource(qminput-monitor "qminput monitor")
endif()

# Module headers a host compiles against, and what they include in turn. The
# packaging test compiles all of them from the installed tree alone.
set(QM_HOST_HEADERS
  host/Debug.h host/KeyTypes.h host/QmClassType.h host/QmCriticalSection.h
  host/QmEnvironmentServer.h host/QmHost.h host/QmHostApi.h host/QmInputDevice.h
  host/QmInputEvent.h host/QmInputServer.h host/QmJoystick.h host/QmKeyboard.h host/QmMouse.h
  host/QmObject.h host/QmObjectDatabase.h host/QmObjectFactory.h host/QmString.h host/Timer.h
  framework/QmFrameworkControl.h
  server/GameWindow.h server/PlatformApi.h server/QmClassTypeDecl.h server/QmDi8Device.h server/QmDi8InputServer.h
  server/QmInputApi.h server/QmInputDeviceRef.h server/QmInputEventRef.h
  keyboard/QmDi8Keyboard.h
  mouse/QmDi8Joystick.h mouse/QmDi8Mouse.h
  winmsg/ProcThunk.h winmsg/QmWindowHook.h winmsg/QmWindowsKeyboard.h winmsg/QmWindowsMouse.h winmsg/WindowProcChain.h
  winmsg/WindowThreadCall.h)

if(QM_MSVC_ABI)
  # lld-link keeps the debug information in NAME.pdb beside NAME already; the
  # binary names it in its debug directory.
  foreach(target ${QM_SHIPPED_BINARIES})
    install(TARGETS ${target} RUNTIME DESTINATION bin COMPONENT runtime)
    install(FILES $<TARGET_FILE_DIR:${target}>/$<TARGET_FILE_BASE_NAME:${target}>.pdb
      DESTINATION bin COMPONENT debug)
  endforeach()
endif()

# The shipped copies (gcc): build/.../ship/NAME without its debug information and
# symbols, plus NAME.debug with it, named by the .gnu_debuglink left in NAME.
# The binaries under bin/ keep theirs, for debugging in place.
set(ship_dir ${CMAKE_BINARY_DIR}/ship)
set(shipped_files "")
foreach(target ${QM_SHIPPED_BINARIES})
  if(QM_MSVC_ABI)
    continue()
  endif()
  set(built $<TARGET_FILE:${target}>)
  qm_windows_file_name(${target} name)
  set(shipped ${ship_dir}/${name})
  add_custom_command(OUTPUT ${shipped} ${shipped}.debug
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ship_dir}
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug ${built} ${shipped}.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${shipped}.debug ${built} ${shipped}
    DEPENDS ${target}
    COMMENT "Splitting the debug information off ${target}"
    VERBATIM)
  list(APPEND shipped_files ${shipped})
  install(PROGRAMS ${shipped} DESTINATION bin COMPONENT runtime)
  install(FILES ${shipped}.debug DESTINATION bin COMPONENT debug)
endforeach()
add_custom_target(qm_ship_binaries ALL DEPENDS ${shipped_files})

install(TARGETS qminput qmframework ARCHIVE DESTINATION lib COMPONENT runtime)
foreach(header ${QM_HOST_HEADERS})
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/${header} DESTINATION include/${folder} COMPONENT runtime)
endforeach()
install(FILES ${QM_BOUND_NAMES_DIR}/server/QmBoundNames.h DESTINATION include/server COMPONENT runtime)
install(FILES README.md CHANGELOG.md DESTINATION share/doc/qminput COMPONENT runtime)
install(FILES docs/building.md docs/host-guide.md docs/monitor.md docs/testing.md
  DESTINATION share/doc/qminput/docs COMPONENT runtime)
install(FILES examples/GameHost.cpp examples/WindowThreadHost.cpp
  DESTINATION share/doc/qminput/examples COMPONENT runtime)

set(CPACK_PACKAGE_NAME qminput)
set(CPACK_PACKAGE_VENDOR qminput)
set(CPACK_PACKAGE_FILE_NAME qminput-${PROJECT_VERSION}-win32-${QM_EXPORT_ABI})
set(CPACK_GENERATOR ZIP)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_COMPONENTS_ALL runtime debug)
set(CPACK_ARCHIVE_RUNTIME_FILE_NAME qminput-${PROJECT_VERSION}-win32-${QM_EXPORT_ABI})
set(CPACK_ARCHIVE_DEBUG_FILE_NAME qminput-${PROJECT_VERSION}-win32-${QM_EXPORT_ABI}-debug)
include(CPack)
