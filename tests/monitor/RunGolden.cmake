# Runs one golden monitor script and compares what it printed with the files
# beside it:
#   NAME.script    the script; its first lines may say "# exit: N" (default 0),
#                  "# options: --echo", or "# command: demo" to run the
#                  built-in demonstration instead of the script ("# command:"
#                  alone runs the program with no command)
#   NAME.expected  standard output, exactly
#   NAME.stderr    standard error, exactly (optional; without it, standard
#                  error must be empty when the expected exit status is 0)
# Usage: cmake -DMONITOR=path -DSCRIPT=path -DWORK=dir -P RunGolden.cmake
foreach(var MONITOR SCRIPT WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "RunGolden.cmake needs -D${var}=...")
  endif()
endforeach()

get_filename_component(dir "${SCRIPT}" DIRECTORY)
get_filename_component(name "${SCRIPT}" NAME_WE)
set(expected_out "${dir}/${name}.expected")
set(expected_err "${dir}/${name}.stderr")

file(STRINGS "${SCRIPT}" header LIMIT_COUNT 5)
set(expected_exit 0)
set(options "")
set(command run "${SCRIPT}")
foreach(line IN LISTS header)
  if(line MATCHES "^# exit: ([0-9]+)")
    set(expected_exit "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^# options: (.*)$")
    separate_arguments(options UNIX_COMMAND "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^# command:(.*)$")
    separate_arguments(command UNIX_COMMAND "${CMAKE_MATCH_1}")
  endif()
endforeach()

execute_process(
  COMMAND "${MONITOR}" ${options} ${command}
  OUTPUT_VARIABLE actual_out
  ERROR_VARIABLE actual_err
  RESULT_VARIABLE actual_exit)

file(MAKE_DIRECTORY "${WORK}")
set(failed FALSE)

# Shows a unified diff of an expected file against what the run printed.
function(compare what expected_file actual_text)
  file(READ "${expected_file}" expected_text)
  if(NOT expected_text STREQUAL actual_text)
    set(actual_file "${WORK}/${name}.${what}.actual")
    file(WRITE "${actual_file}" "${actual_text}")
    execute_process(COMMAND diff -u "${expected_file}" "${actual_file}" OUTPUT_VARIABLE diff_text)
    message("${name}: ${what} differs (- expected, + actual):\n${diff_text}")
    set(failed TRUE PARENT_SCOPE)
  endif()
endfunction()

compare(stdout "${expected_out}" "${actual_out}")
if(EXISTS "${expected_err}")
  compare(stderr "${expected_err}" "${actual_err}")
elseif(expected_exit EQUAL 0 AND NOT actual_err STREQUAL "")
  message("${name}: unexpected standard error:\n${actual_err}")
  set(failed TRUE)
endif()
if(NOT actual_exit STREQUAL expected_exit)
  message("${name}: exit status ${actual_exit}, expected ${expected_exit}\n${actual_err}")
  set(failed TRUE)
endif()
if(failed)
  message(FATAL_ERROR "${name}: golden output mismatch")
endif()
