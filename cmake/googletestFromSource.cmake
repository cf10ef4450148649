# A cross build cannot use the host's GoogleTest libraries: it compiles
# GoogleTest from the sources Debian ships (package googletest, a dependency
# of libgtest-dev) with the cross compiler. Gives GTest::gtest and
# GTest::gtest_main as find_package(GTest) would.
set(LORVANE_GOOGLETEST_SOURCE_DIR /usr/src/googletest/googletest CACHE PATH
    "GoogleTest sources for builds that cannot use the installed libraries")
if(NOT EXISTS ${LORVANE_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "no GoogleTest sources in ${LORVANE_GOOGLETEST_SOURCE_DIR} (Debian: googletest)")
endif()
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${LORVANE_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(target gtest gtest_main)
  # GoogleTest's own code is not held to this project's warning rules.
  target_compile_options(${target} PRIVATE -w -Wno-error)
endforeach()
