# CMake generated Testfile for 
# Source directory: /work/main
# Build directory: /work/main/build/native
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
subdirs("googletest")
subdirs("text")
subdirs("trace")
subdirs("sys")
subdirs("config")
subdirs("app")
subdirs("spooler")
subdirs("install")
subdirs("removal")
subdirs("ui")
subdirs("native")
subdirs("resources")
subdirs("tools/prnsetup-tool")
subdirs("tests")
