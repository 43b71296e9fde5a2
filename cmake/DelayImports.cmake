# Delay-loaded import libraries for system DLLs.
#
# A DLL in an executable's import table is found by the loader before any of
# the program's code runs, searching the program's folder first for names the
# system does not map itself. A delay-loaded one is found at its first call,
# by the runtime's __delayLoadHelper2 through LoadLibrary, and by then the
# program has limited the search to the system folder (SetDefaultDllDirectories
# in src/app/CPellmarStellwickApp.cpp): so do the DLLs it imports in turn.
#
# The definitions are taken from the toolchain's own import library, so every
# name it offers is offered delay-loaded as well; the library is made with the
# toolchain's dlltool when the build is configured.
#
#   stellwick_delay_import_library(<name> <variable>)
#       sets <variable> to the path of lib<name>-delay.a for <name>.dll

function(stellwick_delay_import_library name variable)
  set(dir ${CMAKE_BINARY_DIR}/delay-imports)
  set(def ${dir}/${name}.def)
  set(lib ${dir}/lib${name}-delay.a)
  set(${variable} ${lib} PARENT_SCOPE)
  execute_process(COMMAND ${CMAKE_C_COMPILER} -print-file-name=lib${name}.a
                  OUTPUT_VARIABLE source OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${source}" OR NOT EXISTS "${source}")
    message(FATAL_ERROR "no import library lib${name}.a in the toolchain")
  endif()
  if(EXISTS ${lib} AND NOT ${source} IS_NEWER_THAN ${lib})
    return()
  endif()
  file(MAKE_DIRECTORY ${dir})

  # Every import symbol of the library: __imp__Name@8 on i686, __imp_Name on x86_64.
  execute_process(COMMAND ${CMAKE_NM} --defined-only ${source}
                  OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${CMAKE_NM} cannot read ${source}")
  endif()
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(prefix "__imp__")
    set(kill_at --kill-at)
  else()
    set(prefix "__imp_")
    set(kill_at)
  endif()
  string(REGEX MATCHALL "[ \t]I ${prefix}[^\r\n]+" entries "${symbols}")
  set(text "LIBRARY ${name}.dll\nEXPORTS\n")
  set(count 0)
  foreach(entry IN LISTS entries)
    string(REGEX REPLACE "^[ \t]I ${prefix}" "" export "${entry}")
    string(APPEND text "${export}\n")
    math(EXPR count "${count} + 1")
  endforeach()
  if(count EQUAL 0)
    message(FATAL_ERROR "no imports found in ${source}")
  endif()
  file(WRITE ${def} "${text}")

  # Run in the folder so that the members' names carry no build path.
  execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${name}.def --dllname ${name}.dll ${kill_at}
                          --output-delaylib lib${name}-delay.a
                  WORKING_DIRECTORY ${dir} RESULT_VARIABLE rc ERROR_VARIABLE errors)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${CMAKE_DLLTOOL} could not make ${lib}: ${errors}")
  endif()
endfunction()
