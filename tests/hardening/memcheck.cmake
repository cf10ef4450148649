# Runs one test program under valgrind's memcheck, with every process it
# starts (the tool, which loads the plug-in) under memcheck too:
#   cmake -D VALGRIND=... -D PROGRAM=... -D LOGS=<folder> -P memcheck.cmake
# Each process writes its own log, and the logs decide: a process that exits
# with an expected failure code could hide memcheck's error exit code.
# Valgrind is slow, so the run only happens when LORVANE_MEMCHECK is set in
# the environment (the valgrind test preset sets it); otherwise the test
# reports itself skipped.
if(NOT DEFINED ENV{LORVANE_MEMCHECK})
  message("memcheck skipped: LORVANE_MEMCHECK is not set")
  return()
endif()

file(REMOVE_RECURSE ${LOGS})
file(MAKE_DIRECTORY ${LOGS})
execute_process(
  COMMAND ${VALGRIND} --tool=memcheck --error-exitcode=1 --leak-check=full --trace-children=yes
          --log-file=${LOGS}/memcheck.%p.log ${PROGRAM}
  RESULT_VARIABLE result)

file(GLOB logs ${LOGS}/memcheck.*.log)
list(LENGTH logs processes)
set(faults "")
foreach(log IN LISTS logs)
  file(READ ${log} text)
  if(text MATCHES "Process terminating with default action of signal [0-9]+ \\((SIGTERM|SIGINT|SIGHUP|SIGPIPE)\\)")
    # A tool a test interrupts on purpose stops where it stands, holding what
    # it holds then: its leak summary says nothing, its memory errors do.
    if(text MATCHES "Invalid (read|write|free)|Mismatched free|Conditional jump|uninitialised|Syscall param|overlap in")
      string(APPEND faults "${log}:\n${text}\n")
    endif()
    continue()
  endif()
  file(STRINGS ${log} summary REGEX "ERROR SUMMARY: [1-9]|definitely lost: [1-9]|indirectly lost: [1-9]")
  if(summary)
    string(APPEND faults "${log}:\n${text}\n")
  endif()
endforeach()
if(faults)
  message(FATAL_ERROR "memcheck found errors:\n${faults}")
endif()
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} under memcheck exited with ${result}")
endif()
message("memcheck: no errors in ${processes} processes")
