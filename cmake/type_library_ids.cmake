# Reads the IDs of the Connect class, its type library and its interface from the type library's
# IDL into QUORVEL_CLSID, QUORVEL_LIBID and QUORVEL_CONNECT_IID, in registry form ("{...}").
function(quorvel_type_library_ids idl_file)
  file(READ "${idl_file}" idl)
  set(guid "([0-9A-Fa-f]+-[0-9A-Fa-f]+-[0-9A-Fa-f]+-[0-9A-Fa-f]+-[0-9A-Fa-f]+)")
  set(space "[ \t\r\n]")
  foreach(entry "QUORVEL_CONNECT_IID;interface${space}+_Connect" "QUORVEL_LIBID;library${space}+Quorvel"
                "QUORVEL_CLSID;coclass${space}+Connect")
    list(GET entry 0 variable)
    list(GET entry 1 declaration)
    if(NOT idl MATCHES "uuid\\(${guid}\\)[^]]*\\]${space}*${declaration}${space}")
      message(FATAL_ERROR "${idl_file}: no uuid before '${declaration}'")
    endif()
    string(TOUPPER "{${CMAKE_MATCH_1}}" id)
    set(${variable} "${id}" PARENT_SCOPE)
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${idl_file}")
endfunction()
