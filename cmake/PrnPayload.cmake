# What PrnSetup.exe carries: the manifest, the three language files, the
# device-install library in both widths, the 64-bit host and the logo bitmaps.
#
# A carried file that does not exist (yet) is replaced by a small placeholder
# written into the build tree, so that the installer always links; the check
# runs on every build, so a file that appears later is picked up without a
# new configure.
#
# The three programs are carried packed (resource type LZNT1, see
# tools/lznt1-pack): they are most of the installer's size and pack to about
# 60 %. The packer is built for the build machine with its own compiler.

# prn_pack_file(<input> <output>) — a rule that packs <input> into <output>
# with the packer, which is built for the build machine with its compiler.
# A target that carries <output> depends on prn_packer.
function(prn_pack_file input output)
  set(packer ${CMAKE_BINARY_DIR}/host/lznt1-pack)
  if(NOT TARGET prn_packer)
    find_program(PRN_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
    set(source ${CMAKE_SOURCE_DIR}/tools/lznt1-pack/lznt1_pack.cpp)
    add_custom_command(OUTPUT ${packer}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host
      COMMAND ${PRN_HOST_CXX} -O2 -std=c++17 -Wall -Wextra -o ${packer} ${source}
      DEPENDS ${source}
      COMMENT "Building the resource packer for the build machine" VERBATIM)
    add_custom_target(prn_packer DEPENDS ${packer})
  endif()
  get_filename_component(name ${input} NAME)
  add_custom_command(OUTPUT ${output}
    COMMAND ${packer} ${input} ${output}
    DEPENDS ${input} ${packer}
    COMMENT "Packing ${name}" VERBATIM)
endfunction()

# prn_embed_payload(<target>) — call deferred to the end of the top-level
# folder, when the native targets exist or are known to be missing.
function(prn_embed_payload target)
  set(resources ${CMAKE_SOURCE_DIR}/resources)
  set(script ${CMAKE_SOURCE_DIR}/cmake/copy_or_placeholder.cmake)
  set(out ${CMAKE_BINARY_DIR}/payload/${target})
  file(MAKE_DIRECTORY ${out})

  # name | source file (may be a generator expression) | target that makes it
  set(items
    "RC_STRINGS_INI_EN|${PRN_LANG_DIR}/Strings_EN.ini|"
    "RC_STRINGS_INI_CN|${PRN_LANG_DIR}/Strings_CN.ini|"
    "RC_STRINGS_INI_CHT|${PRN_LANG_DIR}/Strings_CHT.ini|")
  if(TARGET inst2k)
    list(APPEND items "INST2KDLL|$<TARGET_FILE:inst2k>|inst2k")
  else()
    list(APPEND items "INST2KDLL||")
  endif()
  if(PRN_64BIT)
    foreach(pair "INST2K64DLL;inst2k64" "PRNSETUP64EXE;PrnSetup64")
      list(GET pair 0 name)
      list(GET pair 1 producer)
      if(TARGET ${producer})
        list(APPEND items "${name}|$<TARGET_FILE:${producer}>|${producer}")
      else()
        list(APPEND items "${name}||")
      endif()
    endforeach()
  else()
    list(APPEND items
      "INST2K64DLL|${PRN_WIN64_DIR}/bin/inst2k64.dll|"
      "PRNSETUP64EXE|${PRN_WIN64_DIR}/bin/PrnSetup64.exe|")
  endif()

  set(packed_names INST2KDLL INST2K64DLL PRNSETUP64EXE)
  set(commands)
  set(byproducts)
  set(producers)
  set(packed_files)
  set(rc "1 24 \"${resources}/PrnSetup.manifest\"\n")
  foreach(item ${items})
    string(REPLACE "|" ";" fields "${item}")
    list(GET fields 0 name)
    list(LENGTH fields count)
    set(source "")
    set(producer "")
    if(count GREATER 1)
      list(GET fields 1 source)
    endif()
    if(count GREATER 2)
      list(GET fields 2 producer)
    endif()
    set(copy ${out}/${name}.bin)
    list(APPEND commands COMMAND ${CMAKE_COMMAND} "-DSOURCE=${source}" "-DDESTINATION=${copy}"
         "-DNAME=${name}" -P ${script})
    list(APPEND byproducts ${copy})
    if(producer)
      list(APPEND producers ${producer})
    endif()
    if(name IN_LIST packed_names)
      set(packed ${out}/${name}.lznt1)
      prn_pack_file(${copy} ${packed})
      list(APPEND packed_files ${packed})
      string(APPEND rc "${name} LZNT1 \"${packed}\"\n")
    else()
      string(APPEND rc "${name} RCDATA \"${copy}\"\n")
    endif()
  endforeach()

  # One BITMAP per logo file, named by its base name (BM_LOGO_PELLNOR, …).
  file(GLOB logos CONFIGURE_DEPENDS ${resources}/logos/*.bmp)
  foreach(logo ${logos})
    get_filename_component(logo_name ${logo} NAME_WE)
    string(APPEND rc "${logo_name} BITMAP \"${logo}\"\n")
  endforeach()

  add_custom_target(${target}_payload ${commands} BYPRODUCTS ${byproducts}
    COMMENT "Selecting the files ${target} carries" VERBATIM)
  if(producers)
    add_dependencies(${target}_payload ${producers})
  endif()
  add_custom_target(${target}_packed DEPENDS ${packed_files})
  add_dependencies(${target}_packed ${target}_payload prn_packer)

  set(rc_file ${out}/payload.rc)
  file(WRITE ${rc_file}.in "${rc}")
  configure_file(${rc_file}.in ${rc_file} COPYONLY)
  # Set where the target is made, or the resource compiler does not run
  # again when a carried file changes.
  set_source_files_properties(${rc_file} TARGET_DIRECTORY ${target} PROPERTIES
    OBJECT_DEPENDS "${byproducts};${packed_files};${logos};${resources}/PrnSetup.manifest")
  target_sources(${target} PRIVATE ${rc_file})
  add_dependencies(${target} ${target}_payload ${target}_packed)
endfunction()
