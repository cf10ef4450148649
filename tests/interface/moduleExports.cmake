# Run by CTest: the symbols the built module exports (its dynamic symbol
# table, read with nm) are exactly the expected names, nothing more.
# Arguments: NM, MODULE (path), EXPECTED (a list of names).
execute_process(COMMAND ${NM} -D --defined-only ${MODULE}
                RESULT_VARIABLE result OUTPUT_VARIABLE table ERROR_VARIABLE err)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${NM} -D --defined-only ${MODULE} failed (${result}): ${err}")
endif()
# Lines "ADDRESS TYPE NAME"; A marks the version node, not a symbol.
string(REGEX MATCHALL "[^\n]+" lines "${table}")
set(exported)
foreach(line ${lines})
  if(line MATCHES "^[0-9a-fA-F]* *[^A ] ([^ ]+)$")
    string(REGEX REPLACE "@.*" "" name "${CMAKE_MATCH_1}")
    list(APPEND exported ${name})
  endif()
endforeach()
list(SORT exported)

set(expected ${EXPECTED})
list(SORT expected)

message(STATUS "${MODULE} exports: ${exported}")
if(NOT exported STREQUAL expected)
  message(FATAL_ERROR "${MODULE} exports [${exported}], not exactly [${expected}]")
endif()
