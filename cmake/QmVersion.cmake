# One version for every binary: project(VERSION) is the only place it is set.
# The programs print it (tools/version/); on Windows every shipped binary
# carries it as a resource.
#
# qm_windows_file_name(TARGET VAR): the name of TARGET's DLL or .exe, known at
# configure time (where $<TARGET_FILE_NAME> cannot be used).
function(qm_windows_file_name target var)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(${var} ${target}${CMAKE_EXECUTABLE_SUFFIX} PARENT_SCOPE)
    return()
  endif()
  get_target_property(prefix ${target} PREFIX)
  if(prefix STREQUAL "prefix-NOTFOUND")
    set(prefix ${CMAKE_SHARED_LIBRARY_PREFIX})
  endif()
  set(${var} ${prefix}${target}${CMAKE_SHARED_LIBRARY_SUFFIX} PARENT_SCOPE)
endfunction()

# qm_add_version_resource(TARGET DESCRIPTION): on Windows, a VERSIONINFO
# resource (what Explorer shows under Properties > Details) compiled by windres.
function(qm_add_version_resource target description)
  if(NOT WIN32)
    return()
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(QM_RC_FILE_TYPE VFT_APP)
  else()
    set(QM_RC_FILE_TYPE VFT_DLL)
  endif()
  qm_windows_file_name(${target} QM_RC_FILE_NAME)
  set(QM_RC_DESCRIPTION "${description}")
  set(QM_RC_INTERNAL_NAME ${target})
  set(rc ${CMAKE_BINARY_DIR}/generated/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/VersionInfo.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
