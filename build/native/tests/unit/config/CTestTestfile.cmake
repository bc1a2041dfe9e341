# CMake generated Testfile for 
# Source directory: /work/main/tests/unit/config
# Build directory: /work/main/build/native/tests/unit/config
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
add_test([=[unit_config]=] "/work/main/build/native/bin/unit_config")
set_tests_properties([=[unit_config]=] PROPERTIES  LABELS "unit" _BACKTRACE_TRIPLES "/work/main/cmake/PrnTargets.cmake;61;add_test;/work/main/tests/unit/config/CMakeLists.txt;1;prn_unit_tests;/work/main/tests/unit/config/CMakeLists.txt;0;")
