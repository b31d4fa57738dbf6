# Runs the workbench once and compares its exit status, standard output and standard
# error byte for byte with the expected ones.
#   PROGRAM       the comet-workbench executable
#   ARGS          its arguments, separated by "|"
#   STDIN         file fed to standard input (empty: none)
#   EXPECTED_OUT  expected standard output (empty: none at all)
#   EXPECTED_ERR  expected standard error (empty: none at all)
#   STATUS        expected exit status
#   WORK          prefix of the files the actual output is kept in
#   DIR           the folder it runs in (empty: the current one)
string(REPLACE "|" ";" args "${ARGS}")
if(NOT STDIN)
  set(STDIN /dev/null)
endif()
if(NOT DIR)
  set(DIR .)
endif()
execute_process(COMMAND ${PROGRAM} ${args} WORKING_DIRECTORY ${DIR}
  INPUT_FILE ${STDIN} OUTPUT_FILE ${WORK}.out ERROR_FILE ${WORK}.err RESULT_VARIABLE rc)

set(failed FALSE)
if(NOT rc STREQUAL STATUS)
  message(SEND_ERROR "exit status ${rc}, expected ${STATUS}")
  set(failed TRUE)
endif()

function(compare_stream actual expected what)
  if(NOT expected)
    file(SIZE ${actual} size)
    if(size GREATER 0)
      file(READ ${actual} content)
      message(SEND_ERROR "unexpected ${what}:\n${content}")
      set(failed TRUE PARENT_SCOPE)
    endif()
    return()
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${expected} ${actual} RESULT_VARIABLE differ)
  if(differ)
    execute_process(COMMAND diff -u ${expected} ${actual} OUTPUT_VARIABLE diff_text)
    message(SEND_ERROR "${what} differs from ${expected} (actual in ${actual}):\n${diff_text}")
    set(failed TRUE PARENT_SCOPE)
  endif()
endfunction()

compare_stream(${WORK}.out "${EXPECTED_OUT}" "standard output")
compare_stream(${WORK}.err "${EXPECTED_ERR}" "standard error")
if(failed)
  list(JOIN args " " shown)
  message(FATAL_ERROR "${PROGRAM} ${shown}: output not as expected")
endif()
