# Each layer of the system is a target of its own, and a target sees only the
# public headers of itself and of the layers it links: a file that includes a
# header of a layer above it, or of one its target does not link, does not
# compile.
#
# lorvane_public_headers(<target> FOLDER <folder> HEADERS <header>...)
# makes the headers (paths relative to the calling folder) what the target's
# users may include, as "lorvane/<folder>/<header>". The build reaches each
# through a link in a folder of the target's own, so that private headers
# beside them stay out of reach; the sources include those by relative path.
function(lorvane_public_headers target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "FOLDER" "HEADERS")
  set(root ${PROJECT_BINARY_DIR}/layers/${target})
  # Made anew each time, so that a header taken out of the list is gone.
  file(REMOVE_RECURSE ${root})
  set(links)
  foreach(header IN LISTS arg_HEADERS)
    set(link ${root}/lorvane/${arg_FOLDER}/${header})
    get_filename_component(folder ${link} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${header} ${link} SYMBOLIC)
    list(APPEND links ${link})
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    set(scope INTERFACE)
  else()
    set(scope PUBLIC)
  endif()
  target_sources(${target} ${scope} FILE_SET HEADERS BASE_DIRS ${root} FILES ${links})
endfunction()
