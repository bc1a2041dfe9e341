# The 32-bit inst2k.dll exports exactly the nine names, undecorated (no
# leading underscore, no @n suffix), and is an i386 image.
set(expected
  EnableRootID FuncFindExistDevice FuncInst2K Inst2k_IsInlineDeviceExist Inst2k_RegistryInf
  LastInstallErrorCode RefreshHW SetDebugMode ShowErrorCode)

execute_process(COMMAND ${OBJDUMP} -p ${BINARY} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${BINARY}")
endif()
if(NOT dump MATCHES "file format pei-i386")
  message(FATAL_ERROR "${BINARY} is not a 32-bit image")
endif()

string(FIND "${dump}" "[Ordinal/Name Pointer] Table" start)
if(start EQUAL -1)
  message(FATAL_ERROR "${BINARY} has no export name table")
endif()
string(SUBSTRING "${dump}" ${start} -1 table)
# The table's lines up to the first empty one: "\t[   0] Name".
string(REPLACE "\n" ";" lines "${table}")
list(REMOVE_AT lines 0)
set(names)
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^[ \t]*\\[ *[0-9]+\\] (.+)$")
    break()
  endif()
  list(APPEND names "${CMAKE_MATCH_1}")
endforeach()
list(SORT names)

if(NOT names STREQUAL expected)
  message(FATAL_ERROR "exports of ${BINARY}:\n  ${names}\nexpected:\n  ${expected}")
endif()
message(STATUS "${BINARY}: ${names}")
