# Run by CTest: install, configure and build the example host, run it.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "failed (${result}): ${ARGN}\n${out}\n${err}")
  endif()
  set(last_output "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
foreach(installed include/lorvane/metatree/metaObject.h include/lorvane/interface/lorvanePlugin.h include/lorvane/version.h lib/${PLUGIN_FILE}
        lib/cmake/Lorvane/LorvaneConfig.cmake bin/lorvane${EXE_SUFFIX}
        share/doc/lorvane/drawing-format.md share/doc/lorvane/pictures/mi-colours.svg)
  if(NOT EXISTS ${prefix}/${installed})
    message(FATAL_ERROR "not installed: ${installed}")
  endif()
endforeach()
# The SDK holds only public headers, as files, not as links into a build.
foreach(private include/lorvane/metatree/metaTextTokenizer.h include/lorvane/metatree/memory/sizeClassState.h
        include/metatree)
  if(EXISTS ${prefix}/${private})
    message(FATAL_ERROR "installed although not public: ${private}")
  endif()
endforeach()
if(IS_SYMLINK ${prefix}/include/lorvane/metatree/metaObject.h)
  message(FATAL_ERROR "the installed headers are links")
endif()

# A cross build configures the host with its toolchain (the package is named
# directly: the toolchain looks for packages below its own root only) and
# runs the programs through its emulator, with the installed runtime DLL on
# the program search path.
set(host_options)
set(launcher)
if(TOOLCHAIN_FILE)
  list(APPEND host_options -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN_FILE} -DLorvane_DIR=${prefix}/lib/cmake/Lorvane)
endif()
if(EMULATOR)
  set(launcher ${CMAKE_COMMAND} -E env "WINEPATH=Z:${prefix}/bin" ${EMULATOR})
endif()
run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/host -B ${WORK_DIR}/host -G ${GENERATOR}
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Release ${host_options})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/host)
run(${launcher} ${WORK_DIR}/host/example_host${EXE_SUFFIX} ${prefix}/lib/${PLUGIN_FILE} ${WORK_DIR}/plate.krv)
foreach(expected "format META2DV1" "format MI" "progress 0%" "progress 100%")
  string(FIND "${last_output}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the host printed no '${expected}':\n${last_output}")
  endif()
endforeach()
if(NOT EXISTS ${WORK_DIR}/plate.krv)
  message(FATAL_ERROR "the host's conversion wrote no ${WORK_DIR}/plate.krv")
endif()
# As bytes: "915 Plate" and CR LF.
file(READ ${WORK_DIR}/plate.krv written HEX LIMIT 11)
if(NOT written STREQUAL "39313520506c6174650d0a")
  message(FATAL_ERROR "the host's conversion wrote a file that starts with the bytes ${written}")
endif()

# The installed tool finds the installed plug-in beside it.
run(${launcher} ${prefix}/bin/lorvane${EXE_SUFFIX} formats)
string(FIND "${last_output}" "META2DV1" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the installed tool lists no formats:\n${last_output}")
endif()

# lint's help names where the reference is installed.
run(${launcher} ${prefix}/bin/lorvane${EXE_SUFFIX} lint --help)
string(FIND "${last_output}" "share/doc/lorvane/drawing-format.md" at)
if(at EQUAL -1)
  message(FATAL_ERROR "lint's help names no installed reference:\n${last_output}")
endif()
