# Run by CTest: converts every bundled example and a few generated drawings
# to META2D and to MI with the Linux tool and with the Windows tool (under
# wine, loading the plug-in DLL), draws each as SVG through both formats,
# and compares the files (compareOutputs).
# Needs the Linux build's tool: LINUX_TOOL (the default preset's, which CI
# builds first); without it the test is skipped. GENERATOR is
# comparison_drawings of this build, run under the emulator.
# Arguments: LINUX_TOOL, WINDOWS_TOOL, EMULATOR (list), COMPARER,
# EXAMPLES_DIR, GENERATOR, WORK_DIR.
cmake_minimum_required(VERSION 3.25)
if(NOT EXISTS "${LINUX_TOOL}")
  message("SKIPPED: no Linux build of the tool at ${LINUX_TOOL}; build the default preset first")
  return()
endif()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/linux ${WORK_DIR}/windows)

execute_process(COMMAND ${EMULATOR} ${GENERATOR} linux WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "generating the drawings failed")
endif()
file(GLOB examples ${EXAMPLES_DIR}/*.mt)
file(COPY ${examples} DESTINATION ${WORK_DIR}/linux)
file(GLOB inputs RELATIVE ${WORK_DIR}/linux ${WORK_DIR}/linux/*.mt)
list(SORT inputs)
foreach(input ${inputs})
  file(COPY ${WORK_DIR}/linux/${input} DESTINATION ${WORK_DIR}/windows)
endforeach()

# How each side runs its tool.
set(linux_tool ${LINUX_TOOL})
set(windows_tool ${EMULATOR} ${WINDOWS_TOOL})

# One run per format and build converts all inputs; the outputs land beside
# them with the format's extension. Names relative to the working folder
# need no translation for the Windows tool.
set(outputs)
foreach(format_extension META2DV1:krv MI:mi)
  string(REPLACE ":" ";" pair ${format_extension})
  list(GET pair 0 format)
  list(GET pair 1 extension)
  foreach(side linux windows)
    execute_process(COMMAND ${${side}_tool} convert -q -f ${format} ${inputs}
      WORKING_DIRECTORY ${WORK_DIR}/${side} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "${side} conversion to ${format} failed (${result}):\n${out}\n${err}")
    endif()
  endforeach()
  foreach(input ${inputs})
    string(REGEX REPLACE "\\.mt$" ".${extension}" output ${input})
    list(APPEND outputs ${output})
  endforeach()
endforeach()

# The previews, drawn through each format: the SVG files are compared the
# same way, as their numbers come from the same arithmetic.
foreach(input ${inputs})
  foreach(via META2D MI)
    string(REGEX REPLACE "\\.mt$" ".${via}.svg" output ${input})
    foreach(side linux windows)
      execute_process(COMMAND ${${side}_tool} preview --via ${via} -o ${output} ${input}
        WORKING_DIRECTORY ${WORK_DIR}/${side} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
      if(NOT result EQUAL 0)
        message(FATAL_ERROR "${side} preview of ${input} through ${via} failed (${result}):\n${out}\n${err}")
      endif()
    endforeach()
    list(APPEND outputs ${output})
  endforeach()
endforeach()

execute_process(COMMAND ${EMULATOR} ${COMPARER} linux windows ${outputs}
  WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
message("${out}${err}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the Windows build's files differ from the Linux build's (${result})")
endif()
