# CMake generated Testfile for 
# Source directory: /work/main/removal
# Build directory: /work/main/build/native/removal
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
