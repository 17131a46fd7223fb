# Writes the "_IID_CONNECT" resource: a 32-bit length (16), then the IID of the _Connect
# interface as it lies in memory (Data1, Data2, Data3 little-endian, then Data4's eight bytes).
# The IID is read from the type library's IDL, so the two cannot disagree.
# Run as: cmake -DINPUT=quorvel.idl -DOUTPUT=iid_connect.rc -P interface_id_rc.cmake
file(READ "${INPUT}" idl)
set(hex "[0-9A-Fa-f]")
set(guid_pattern "(${hex}${hex}${hex}${hex}${hex}${hex}${hex}${hex})-(${hex}${hex}${hex}${hex})-(${hex}${hex}${hex}${hex})-(${hex}${hex}${hex}${hex})-(${hex}${hex}${hex}${hex}${hex}${hex}${hex}${hex}${hex}${hex}${hex}${hex})")
if(NOT idl MATCHES "uuid\\(${guid_pattern}\\)[^]]*\\][ \t\r\n]*interface[ \t\r\n]+_Connect[ \t\r\n:]")
  message(FATAL_ERROR "${INPUT}: no uuid for interface _Connect")
endif()
set(data1 "${CMAKE_MATCH_1}")
set(data2 "${CMAKE_MATCH_2}")
set(data3 "${CMAKE_MATCH_3}")
set(data4 "${CMAKE_MATCH_4}${CMAKE_MATCH_5}")

# Resource data words are little-endian, so each word holds two of Data4's bytes swapped.
set(data4_words "")
foreach(offset 0 4 8 12)
  math(EXPR second "${offset} + 2")
  string(SUBSTRING "${data4}" ${offset} 2 low)
  string(SUBSTRING "${data4}" ${second} 2 high)
  string(APPEND data4_words ", 0x${high}${low}")
endforeach()

file(WRITE "${OUTPUT}"
  "1 _IID_CONNECT\nBEGIN\n    16L, 0x${data1}L, 0x${data2}, 0x${data3}${data4_words}\nEND\n")
