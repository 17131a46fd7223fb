# Compiling IDL with widl: headers, GUID definitions and type libraries for one architecture.

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QUORVEL_WIDL_TARGET --win64)
else()
  set(QUORVEL_WIDL_TARGET --win32)
endif()

find_program(QUORVEL_WIDL NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-widl widl REQUIRED)
# Debian's mingw-w64 ships no .idl files; Wine's development files have the system ones.
find_path(QUORVEL_WIDL_INCLUDE_DIR oaidl.idl
  PATHS /usr/include/wine/wine/windows /usr/include/wine/windows
  NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_path(QUORVEL_STDOLE2_DIR stdole2.tlb
  PATHS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows /usr/lib/i386-linux-gnu/wine/i386-windows
        /usr/lib/wine/x86_64-windows /usr/lib/wine/i386-windows
  NO_CMAKE_FIND_ROOT_PATH REQUIRED)

# quorvel_widl(<idl> [TYPELIB] [DEPENDS files...]) writes <name>.h and <name>_i.c (and
# <name>.tlb with TYPELIB) into the current binary folder.
function(quorvel_widl idl)
  cmake_parse_arguments(PARSE_ARGV 1 arg "TYPELIB" "" "DEPENDS")
  get_filename_component(name "${idl}" NAME_WE)
  get_filename_component(idl_dir "${idl}" DIRECTORY)
  set(out "${CMAKE_CURRENT_BINARY_DIR}")
  set(outputs "${out}/${name}.h" "${out}/${name}_i.c")
  set(typelib_args)
  if(arg_TYPELIB)
    list(APPEND outputs "${out}/${name}.tlb")
    set(typelib_args -t -T "${out}/${name}.tlb")
  endif()
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND "${QUORVEL_WIDL}" ${QUORVEL_WIDL_TARGET}
            -I "${QUORVEL_WIDL_INCLUDE_DIR}" -I "${idl_dir}"
            -L "${QUORVEL_STDOLE2_DIR}" -L "${out}"
            -h -H "${out}/${name}.h" -u -U "${out}/${name}_i.c" ${typelib_args}
            "${idl}"
    DEPENDS "${idl}" ${arg_DEPENDS}
    COMMENT "widl ${name}.idl"
    VERBATIM)
endfunction()
