# cmake -DROOT=<source folder> -P CheckLayers.cmake
# Fails when a source file includes a file of a folder above its own layer.
# The layers, from the ground up, as docs/ARCHITECTURE.md draws them; folders
# on one line are one layer. A folder not named here takes the layer of the
# nearest named folder above it in the tree.
set(layers
  "text"
  "trace"
  "sys"
  "sys/win32"
  "config"
  "native"
  "spooler"
  "removal"
  "install"
  "install/run"
  "ui ui/installer"
  "ui/win32"
  "app"
  "sim"
  "sim/headless"
  "tools")

set(rank 0)
foreach(layer IN LISTS layers)
  separate_arguments(folders UNIX_COMMAND "${layer}")
  foreach(folder IN LISTS folders)
    string(REPLACE "/" "_" key "${folder}")
    set(rank_of_${key} ${rank})
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()

# The layer of a path: its longest leading folder that is named; empty for
# files outside the layers (tests, generated files, system headers).
function(layer_of path out)
  set(${out} "" PARENT_SCOPE)
  get_filename_component(folder "${path}" DIRECTORY)
  while(folder)
    string(REPLACE "/" "_" key "${folder}")
    if(DEFINED rank_of_${key})
      set(${out} ${rank_of_${key}} PARENT_SCOPE)
      return()
    endif()
    get_filename_component(folder "${folder}" DIRECTORY)
  endwhile()
endfunction()

set(sources "")
foreach(layer IN LISTS layers)
  separate_arguments(folders UNIX_COMMAND "${layer}")
  foreach(folder IN LISTS folders)
    if(NOT folder MATCHES "/")
      file(GLOB_RECURSE found RELATIVE "${ROOT}" "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp"
           "${ROOT}/${folder}/*.c" "${ROOT}/${folder}/*.rc")
      list(APPEND sources ${found})
    endif()
  endforeach()
endforeach()
set(violations "")
foreach(source IN LISTS sources)
  layer_of("${source}" own)
  if(own STREQUAL "")
    continue()
  endif()
  file(STRINGS "${ROOT}/${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" included "${line}")
    if(NOT EXISTS "${ROOT}/${included}")
      continue()  # a file beside the includer, or a system header
    endif()
    layer_of("${included}" theirs)
    if(NOT theirs STREQUAL "" AND theirs GREATER own)
      string(APPEND violations "  ${source} includes ${included}\n")
    endif()
  endforeach()
endforeach()

if(violations)
  message(FATAL_ERROR "Files that include a folder above their own layer:\n${violations}")
endif()
list(LENGTH sources count)
message(STATUS "Layers kept by every source file (${count} files read).")
