# Run by CTest: reads the import and export tables of the built DLLs and the
# tool with objdump -p.
# - The plug-in exports exactly getCaps, testPrecond and convertMetaTree,
#   undecorated (no "_name" or "name@0" of another calling convention).
# - The plug-in, the runtime and the tool need no DLL beyond
#   lorvane_runtime.dll and the system's own: libgcc, libstdc++ and
#   libwinpthread are inside them.
# - The plug-in switches off thread notifications (imports
#   DisableThreadLibraryCalls and has no thread-local storage directory,
#   which would make the call fail), and the plug-in and the tool unwind
#   exceptions with the runtime's unwinder (32-bit only: 64-bit Windows
#   unwinds through the system's tables, which know every module).
# - Each file is of the build's kind: PE32 for i386, PE32+ for x86-64.
# Arguments: OBJDUMP, POINTER_SIZE (4 or 8), PLUGIN, RUNTIME, TOOL (paths).
set(system_dlls kernel32.dll msvcrt.dll user32.dll advapi32.dll ntdll.dll)
set(failures)

function(read_tables file)
  execute_process(COMMAND ${OBJDUMP} -p ${file} RESULT_VARIABLE result OUTPUT_VARIABLE text ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${file} failed (${result}): ${err}")
  endif()
  set(tables "${text}" PARENT_SCOPE)
endfunction()

# The names of the DLLs the file imports from, lower case.
function(imported_dlls tables out)
  string(REGEX MATCHALL "DLL Name: [^\n]+" entries "${tables}")
  set(names)
  foreach(entry ${entries})
    string(REGEX REPLACE "DLL Name: *" "" name "${entry}")
    string(STRIP "${name}" name)
    string(TOLOWER "${name}" name)
    list(APPEND names ${name})
  endforeach()
  set(${out} ${names} PARENT_SCOPE)
endfunction()

# The functions imported from one DLL.
function(imports_from tables dll out)
  string(FIND "${tables}" "DLL Name: ${dll}" at)
  if(at EQUAL -1)
    set(${out} "" PARENT_SCOPE)
    return()
  endif()
  string(SUBSTRING "${tables}" ${at} -1 rest)
  string(FIND "${rest}" "\n\n" end)
  string(SUBSTRING "${rest}" 0 ${end} block)
  set(${out} "${block}" PARENT_SCOPE)
endfunction()

if(POINTER_SIZE EQUAL 4)
  set(file_format "pei-i386")
else()
  set(file_format "pei-x86-64")
endif()

function(check_dependencies file allowed)
  read_tables(${file})
  if(NOT tables MATCHES "file format ${file_format}\n")
    string(REGEX MATCH "file format [^\n]*" found "${tables}")
    string(APPEND failures "\n  ${file} is not ${file_format} (${found})")
  endif()
  imported_dlls("${tables}" dlls)
  foreach(dll ${dlls})
    list(FIND allowed ${dll} known)
    if(known EQUAL -1)
      string(APPEND failures "\n  ${file} needs ${dll}")
    endif()
  endforeach()
  set(failures "${failures}" PARENT_SCOPE)
  message(STATUS "${file}: ${dlls}")
endfunction()

check_dependencies(${RUNTIME} "${system_dlls}")
check_dependencies(${PLUGIN} "${system_dlls};lorvane_runtime.dll")
check_dependencies(${TOOL} "${system_dlls};lorvane_runtime.dll")

# The export table's names, from the "[Ordinal/Name Pointer] Table".
read_tables(${PLUGIN})
string(FIND "${tables}" "[Ordinal/Name Pointer] Table" at)
if(at EQUAL -1)
  set(failures "${failures}\n  ${PLUGIN} has no export names")
else()
  string(SUBSTRING "${tables}" ${at} -1 rest)
  string(FIND "${rest}" "\n\n" end)
  string(SUBSTRING "${rest}" 0 ${end} block)
  string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" entries "${block}")
  set(exports)
  foreach(entry ${entries})
    string(REGEX REPLACE "^\\[ *[0-9]+\\] " "" name "${entry}")
    list(APPEND exports "${name}")
  endforeach()
  list(SORT exports)
  message(STATUS "${PLUGIN} exports: ${exports}")
  if(NOT exports STREQUAL "convertMetaTree;getCaps;testPrecond")
    set(failures "${failures}\n  ${PLUGIN} exports [${exports}], not exactly convertMetaTree, getCaps, testPrecond")
  endif()
endif()

imports_from("${tables}" KERNEL32.dll kernel32)
if(NOT kernel32 MATCHES "[ \t]DisableThreadLibraryCalls\n?")
  set(failures "${failures}\n  ${PLUGIN} does not call DisableThreadLibraryCalls")
endif()
# Windows ignores DisableThreadLibraryCalls for a DLL with a thread-local
# storage directory.
string(REGEX MATCH "Entry [0-9a-f]+ [0-9a-f]+ [0-9a-f]+ Thread Storage Directory" tls "${tables}")
if(NOT tls MATCHES " 0+ 0+ Thread")
  set(failures "${failures}\n  ${PLUGIN} has a thread-local storage directory (${tls})")
endif()

foreach(file ${PLUGIN} ${TOOL})
  if(NOT POINTER_SIZE EQUAL 4)
    break()
  endif()
  read_tables(${file})
  imports_from("${tables}" lorvane_runtime.dll runtime)
  foreach(function _Unwind_RaiseException __register_frame_info)
    if(NOT runtime MATCHES "[ \t]${function}(\n|$)")
      set(failures "${failures}\n  ${file} does not take ${function} from lorvane_runtime.dll")
    endif()
  endforeach()
endforeach()

if(failures)
  message(FATAL_ERROR "The Windows binaries are not as required:${failures}")
endif()
