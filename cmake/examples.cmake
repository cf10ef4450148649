# The main job on the bundled examples: every example converted to each
# output the plug-in writes (META2D and MI), into <build>/examples/, linted,
# checked against the drawing and drawn as SVG.
set(LORVANE_EXAMPLES bracket washer)
set(example_commands)
foreach(example ${LORVANE_EXAMPLES})
  foreach(format_extension META2DV1:krv MI:mi)
    string(REPLACE ":" ";" pair ${format_extension})
    list(GET pair 0 format)
    list(GET pair 1 extension)
    list(APPEND example_commands
      COMMAND $<TARGET_FILE:lorvane> convert -f ${format}
              -o ${CMAKE_BINARY_DIR}/examples/${example}.${extension}
              ${PROJECT_SOURCE_DIR}/examples/${example}.mt)
  endforeach()
  # The drawing linted, both files compared with it, and its picture.
  list(APPEND example_commands
    COMMAND $<TARGET_FILE:lorvane> lint ${PROJECT_SOURCE_DIR}/examples/${example}.mt
    COMMAND $<TARGET_FILE:lorvane> check ${PROJECT_SOURCE_DIR}/examples/${example}.mt
    COMMAND $<TARGET_FILE:lorvane> preview -o ${CMAKE_BINARY_DIR}/examples/${example}.svg
            ${PROJECT_SOURCE_DIR}/examples/${example}.mt)
endforeach()
add_custom_target(convert_examples
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/examples
  ${example_commands}
  COMMAND ${CMAKE_COMMAND} -E echo "The converted examples are in ${CMAKE_BINARY_DIR}/examples"
  DEPENDS lorvane lorvane_plugin
  VERBATIM)
