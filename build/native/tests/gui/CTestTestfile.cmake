# CMake generated Testfile for 
# Source directory: /work/main/tests/gui
# Build directory: /work/main/build/native/tests/gui
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
