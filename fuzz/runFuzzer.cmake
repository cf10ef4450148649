# One fuzz target over its corpus for a while:
#   cmake -D FUZZER=... -D SECONDS=... -D WORK=<folder> -D SEEDS=<folder> [-D OPTIONS=a;b] -P runFuzzer.cmake
# LORVANE_FUZZ_SECONDS in the environment overrides SECONDS, so that one
# configured build serves short and long runs. libFuzzer exits with a code
# other than 0 on a crash, a leak, a timeout or a fault the target reports
# (the input is then saved as crash-*, leak-* or timeout-* in the working
# folder), which fails the test.
if(DEFINED ENV{LORVANE_FUZZ_SECONDS})
  set(SECONDS $ENV{LORVANE_FUZZ_SECONDS})
endif()
file(MAKE_DIRECTORY ${WORK})
execute_process(
  COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 ${OPTIONS}
          ${WORK} ${SEEDS}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} found a fault (exit code ${result})")
endif()
