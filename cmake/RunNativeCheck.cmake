# Runs corvane-check as a user would and compares its exit code, and its output with a saved
# one when EXPECTED names a file.
#   cmake -DPROGRAM=<corvane-check> -DWORKING_DIRECTORY=<dir> -DARGUMENTS=<a;b> -DEXIT=<code>
#         [-DEXPECTED=<file>] -P RunNativeCheck.cmake
execute_process(COMMAND ${PROGRAM} ${ARGUMENTS} WORKING_DIRECTORY ${WORKING_DIRECTORY}
                RESULT_VARIABLE code OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT code STREQUAL EXIT)
  message(FATAL_ERROR "corvane-check ${ARGUMENTS} ended with ${code}, not ${EXIT}:\n${output}${errors}")
endif()
if(EXPECTED)
  file(READ ${EXPECTED} expected)
  if(NOT output STREQUAL expected)
    message(FATAL_ERROR "corvane-check ${ARGUMENTS} printed:\n${output}\nand not:\n${expected}")
  endif()
endif()
