# Writes a string-table fragment holding the ribbon XML as string 101.
# Run as: cmake -DINPUT=ribbon.xml -DOUTPUT=ribbon_string.rc -P ribbon_string_rc.cmake
file(READ "${INPUT}" xml)
string(STRIP "${xml}" xml)
string(REPLACE "\r" "" xml "${xml}")
string(REPLACE "\\" "\\\\" xml "${xml}")
string(REPLACE "\"" "\"\"" xml "${xml}")
string(REPLACE "\n" "\\n" xml "${xml}")
file(WRITE "${OUTPUT}" "STRINGTABLE\nBEGIN\n    101, \"${xml}\"\nEND\n")
