# CMake generated Testfile for 
# Source directory: /work/main/tools/prnsetup-tool
# Build directory: /work/main/build/native/tools/prnsetup-tool
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
