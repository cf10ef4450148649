# Run by CTest: converts every bundled example and the generated drawings to
# META2D and to MI with the native build's tool and with the cross build's
# (under its emulator, loading its own plug-in), draws each small drawing as
# SVG through both formats, and compares the files (compareOutputs).
# Needs the native build's tool: NATIVE_TOOL (the default preset's, which CI
# builds first); without it the test is skipped and says so. GENERATOR is
# comparison_drawings of the cross build, run under the emulator.
# Arguments: NATIVE_TOOL, CROSS_TOOL, EMULATOR (list), COMPARER,
# EXACT_EXTENSIONS (list: files compared byte for byte), LARGE (ON: also the
# drawing of a million items, converted only), EXAMPLES_DIR, GENERATOR,
# WORK_DIR.
cmake_minimum_required(VERSION 3.25)
if(NOT EXISTS "${NATIVE_TOOL}")
  message("SKIPPED: no native build of the tool at ${NATIVE_TOOL}; build the default preset first")
  return()
endif()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/native ${WORK_DIR}/cross)

function(run_checked what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result}):\n${out}\n${err}")
  endif()
endfunction()

set(generator_options)
if(LARGE)
  set(generator_options --large)
endif()
run_checked("generating the drawings" ${EMULATOR} ${GENERATOR} native ${generator_options} WORKING_DIRECTORY ${WORK_DIR})
file(GLOB examples ${EXAMPLES_DIR}/*.mt)
file(COPY ${examples} DESTINATION ${WORK_DIR}/native)
file(GLOB inputs RELATIVE ${WORK_DIR}/native ${WORK_DIR}/native/*.mt)
list(SORT inputs)
foreach(input ${inputs})
  file(COPY ${WORK_DIR}/native/${input} DESTINATION ${WORK_DIR}/cross)
endforeach()

# How each side runs its tool.
set(native_tool ${NATIVE_TOOL})
set(cross_tool ${EMULATOR} ${CROSS_TOOL})

# One run per format and build converts all inputs; the outputs land beside
# them with the format's extension. Names relative to the working folder
# need no translation for a Windows tool.
set(outputs)
foreach(format_extension META2DV1:krv MI:mi)
  string(REPLACE ":" ";" pair ${format_extension})
  list(GET pair 0 format)
  list(GET pair 1 extension)
  foreach(side native cross)
    run_checked("the ${side} conversion to ${format}" ${${side}_tool} convert -q -f ${format} ${inputs}
      WORKING_DIRECTORY ${WORK_DIR}/${side})
  endforeach()
  foreach(input ${inputs})
    string(REGEX REPLACE "\\.mt$" ".${extension}" output ${input})
    list(APPEND outputs ${output})
  endforeach()
endforeach()

# The previews, drawn through each format: the SVG files are compared the
# same way, as their numbers come from the same arithmetic. The large drawing
# is converted only.
foreach(input ${inputs})
  if(input STREQUAL "large.mt")
    continue()
  endif()
  foreach(via META2D MI)
    string(REGEX REPLACE "\\.mt$" ".${via}.svg" output ${input})
    foreach(side native cross)
      run_checked("the ${side} preview of ${input} through ${via}" ${${side}_tool} preview --via ${via} -o ${output} ${input}
        WORKING_DIRECTORY ${WORK_DIR}/${side})
    endforeach()
    list(APPEND outputs ${output})
  endforeach()
endforeach()

set(exact_options)
foreach(extension ${EXACT_EXTENSIONS})
  list(APPEND exact_options --exact ${extension})
endforeach()
execute_process(COMMAND ${EMULATOR} ${COMPARER} ${exact_options} native cross ${outputs}
  WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
message("${out}${err}")
# Kept for a passing run too, whose output CTest does not show: CI prints
# the counts from here.
file(WRITE ${WORK_DIR}/comparison.txt "${out}${err}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the cross build's files differ from the native build's (${result})")
endif()
