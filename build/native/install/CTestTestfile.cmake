# CMake generated Testfile for 
# Source directory: /work/main/install
# Build directory: /work/main/build/native/install
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
