# Every picture the software centre entry points at is one of docs/screenshots, so that
# publishing that folder is all the entry needs.
#   cmake -DMETAINFO=<entry> -DPICTURES=<folder> -P PicturesExist.cmake
file(READ ${METAINFO} entry)
string(REGEX MATCHALL "<image>[^<]*</image>" images "${entry}")
if(NOT images)
  message(FATAL_ERROR "${METAINFO} names no pictures")
endif()
foreach(image ${images})
  string(REGEX REPLACE "^<image>.*/([^/]+)</image>$" "\\1" name "${image}")
  if(NOT EXISTS ${PICTURES}/${name})
    message(FATAL_ERROR "${name} is not in ${PICTURES}")
  endif()
endforeach()
