# Shared helpers for the project's targets.

if(WIN32)
  set(PRN_WINDOWS ON)
  # Nothing of the mingw runtime has to travel with the binaries.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Objects carry their intermediate code too, so that a shipped binary is
  # optimised whole at link time (see prn_shipped); everything else links the
  # ordinary code, which the linker would otherwise not take on its own.
  add_compile_options($<$<CONFIG:Release,MinSizeRel>:-flto> $<$<CONFIG:Release,MinSizeRel>:-ffat-lto-objects>)
  add_link_options($<$<CONFIG:Release,MinSizeRel>:-fno-lto>)
  # What ships is small: unused code and data dropped, symbols stripped.
  add_compile_options(-ffunction-sections -fdata-sections)
  add_link_options(-Wl,--gc-sections $<$<CONFIG:Release,MinSizeRel>:-s>)
  set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG")
  set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  set(PRN_WINEPREFIX ${CMAKE_SOURCE_DIR}/build/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run)
else()
  set(PRN_WINDOWS OFF)
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(PRN_64BIT ON)
else()
  set(PRN_64BIT OFF)
endif()

add_compile_options(-Wall -Wextra)
if(WIN32)
  # gcc 12's libstdc++ string code trips this one falsely under mingw.
  add_compile_options(-Wno-restrict)
endif()
if(NOT WIN32)
  add_compile_options(-Werror=return-type)
endif()

# Fuzzing (clang only): every library gets libFuzzer's coverage and the
# address and undefined-behaviour checks; tests/fuzz adds the fuzz programs.
option(PRN_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(PRN_FUZZ)
  if(WIN32 OR NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "PRN_FUZZ needs a native clang build")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# prn_layer(<target> [DEPS ...]) — a static library from the *.cpp files of the
# current folder (not its subfolders). Portable layers build on every toolchain.
function(prn_layer target)
  cmake_parse_arguments(ARG "" "" "DEPS;SOURCES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(APPEND sources ${ARG_SOURCES})
  if(NOT sources)
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
endfunction()

# prn_unit_tests(<area> [DEPS ...]) — every *.cpp in the current folder becomes
# one native GoogleTest program labelled "unit".
function(prn_unit_tests area)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  if(WIN32)
    return()
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  set(target unit_${area})
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} prn_testing gmock gtest_main)
  add_test(NAME ${target} COMMAND ${target})
  set_tests_properties(${target} PROPERTIES LABELS unit)
endfunction()

# prn_wine_tests(<area> [DEPS ...] [TIMEOUT s] [NEEDS_DISPLAY] [I686]) — every
# *.cpp in the current folder becomes one Windows GoogleTest program run under
# Wine, labelled "wine". NEEDS_DISPLAY runs it under xvfb-run, for tests whose
# programs open windows. The x86_64 preset always builds them; I686 builds
# them in the i686 preset too, against the shipped 32-bit binaries. Such a
# test needs 32-bit Wine: scripts/wine-run exits 77 where it is missing, and
# CTest reports the test as skipped, never as passed.
function(prn_wine_tests area)
  cmake_parse_arguments(ARG "NEEDS_DISPLAY;I686" "TIMEOUT" "DEPS" ${ARGN})
  if(NOT WIN32 OR (NOT PRN_64BIT AND NOT ARG_I686))
    return()
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  set(target wine_${area})
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} gmock gtest_main)
  target_compile_definitions(${target} PRIVATE
    PRN_SOURCE_DIR="${CMAKE_SOURCE_DIR}" PRN_BINARY_DIR="${CMAKE_BINARY_DIR}")
  if(NOT PRN_64BIT)
    add_dependencies(${target} prn_win64_companions)
  endif()
  if(ARG_NEEDS_DISPLAY)
    add_test(NAME ${target} COMMAND xvfb-run -a ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${target}>)
  else()
    add_test(NAME ${target} COMMAND ${target})
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 600)
  endif()
  set_tests_properties(${target} PROPERTIES LABELS wine TIMEOUT ${ARG_TIMEOUT}
    SKIP_RETURN_CODE 77 ENVIRONMENT "WINEPREFIX=${PRN_WINEPREFIX}")
endfunction()

# prn_shipped(<target> [LEAN_LOCK_ERRORS]) — a binary that ships: linked with
# the lean runtime objects; LEAN_LOCK_ERRORS for those without std::future,
# which may also drop std::system_error. Sizes are checked by the pe tests.
#
# A release build optimises it whole at link time, in one partition: inlining
# across files and code no caller reaches dropped, and with the code its
# unwinding tables (an inline function no longer brings a table header of its
# own from every file that used it). In PrnSetup.exe: .text -70 KB,
# .eh_frame -39 KB, .rdata -11 KB. gcc 12's mod/ref analysis crashes on this
# program's link (internal compiler error in binds_to_current_def_p), so it
# is off.
function(prn_shipped target)
  cmake_parse_arguments(ARG "LEAN_LOCK_ERRORS" "" "" ${ARGN})
  target_link_options(${target} PRIVATE
    $<$<CONFIG:Release,MinSizeRel>:-flto -flto-partition=one -fno-ipa-modref>)
  target_link_libraries(${target} PRIVATE prn_lean_runtime)
  if(ARG_LEAN_LOCK_ERRORS)
    target_link_libraries(${target} PRIVATE prn_lean_lock_errors)
  endif()
endfunction()

# Adds every direct subfolder that has a CMakeLists.txt.
function(prn_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(child ${children})
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
