# CMake generated Testfile for 
# Source directory: /work/main/tests/unit/text
# Build directory: /work/main/build/native/tests/unit/text
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
add_test([=[unit_text]=] "/work/main/build/native/bin/unit_text")
set_tests_properties([=[unit_text]=] PROPERTIES  LABELS "unit" _BACKTRACE_TRIPLES "/work/main/cmake/PrnTargets.cmake;61;add_test;/work/main/tests/unit/text/CMakeLists.txt;1;prn_unit_tests;/work/main/tests/unit/text/CMakeLists.txt;0;")
