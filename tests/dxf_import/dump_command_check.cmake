# Runs `zovview --dump` on the sample drawing and compares its output, less
# the lines that name the machine's path and the file's time, with the
# expected dump; then checks the exit code and message of a failed import.
#   cmake -DZOVVIEW=... -DSAMPLE=... -DEXPECTED=... -P dump_command_check.cmake
execute_process(COMMAND ${ZOVVIEW} --dump ${SAMPLE}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "zovview --dump failed (${result}): ${errors}")
endif()
string(REGEX REPLACE "(^|\n)(fname|ftime)=[^\n]*" "" output "${output}")
file(READ ${EXPECTED} expected)
if(NOT output STREQUAL expected)
  message(FATAL_ERROR "unexpected dump:\n${output}\nexpected:\n${expected}")
endif()

execute_process(COMMAND ${ZOVVIEW} --dump ${SAMPLE}.missing.dxf
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT result EQUAL 1 OR NOT output STREQUAL "" OR NOT errors MATCHES "をオープンできない-1")
  message(FATAL_ERROR "a missing file gave ${result}, '${output}', '${errors}'")
endif()
