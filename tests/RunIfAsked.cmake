# Runs a long test only when QUAVIX_LONG_TESTS is set in the environment (as .ci/run does for
# `ctest -L long`); otherwise it reports itself skipped, so a plain ctest run stays quick.
#   cmake -DPROGRAM=<test executable> -P RunIfAsked.cmake
if(NOT DEFINED ENV{QUAVIX_LONG_TESTS})
  message("long test skipped: set QUAVIX_LONG_TESTS=1 to run it (ctest -L long)")
  return()
endif()
execute_process(COMMAND ${PROGRAM} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} failed: ${result}")
endif()
