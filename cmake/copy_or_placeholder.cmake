# cmake -DSOURCE=<file or empty> -DDESTINATION=<file> -DNAME=<resource> -P copy_or_placeholder.cmake
# Copies SOURCE to DESTINATION when it exists, else writes a placeholder
# text; DESTINATION is only touched when its content changes.
if(SOURCE AND EXISTS "${SOURCE}")
  file(COPY_FILE "${SOURCE}" "${DESTINATION}" ONLY_IF_DIFFERENT)
else()
  set(text "placeholder for ${NAME}: not built or not present in this tree\n")
  set(old "")
  if(EXISTS "${DESTINATION}")
    file(READ "${DESTINATION}" old)
  endif()
  if(NOT old STREQUAL text)
    file(WRITE "${DESTINATION}" "${text}")
  endif()
endif()
