# Each layer of the system is a target of its own, and a target sees only the
# public headers of itself and of the layers it links: a file that includes a
# header of a layer above it, or of one its target does not link, does not
# compile.
#
# lorvane_public_headers(<target> FOLDER <folder> HEADERS <header>...)
# names the headers the target's users may include, as
# "lorvane/<folder>/<header>": they stand at that path under the calling
# folder's include/. Private headers stay beside the sources, outside every
# include path; the sources include those by relative path.
function(lorvane_public_headers target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "FOLDER" "HEADERS")
  list(TRANSFORM arg_HEADERS PREPEND include/lorvane/${arg_FOLDER}/)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    set(scope INTERFACE)
  else()
    set(scope PUBLIC)
  endif()
  target_sources(${target} ${scope} FILE_SET HEADERS BASE_DIRS ${CMAKE_CURRENT_SOURCE_DIR}/include FILES ${arg_HEADERS})
endfunction()
