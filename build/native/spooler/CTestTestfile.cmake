# CMake generated Testfile for 
# Source directory: /work/main/spooler
# Build directory: /work/main/build/native/spooler
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
