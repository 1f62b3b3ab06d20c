# Fills the font folders that the test configurations of fontconfig name with links to the few
# faces they offer, so that no other installed face takes part. Run by CTest before the font
# tests (cmake -DFOLDER=<build>/tests/fonts/faces -P faces.cmake); a missing face fails here,
# naming its file and package.
if(NOT FOLDER)
  message(FATAL_ERROR "faces.cmake: no FOLDER given")
endif()

set(dejavu_from /usr/share/fonts/truetype/dejavu)
set(dejavu_package fonts-dejavu-core)
set(dejavu_files DejaVuSans.ttf DejaVuSans-Bold.ttf DejaVuSerif.ttf DejaVuSerif-Bold.ttf
                 DejaVuSansMono.ttf DejaVuSansMono-Bold.ttf)
set(liberation_from /usr/share/fonts/truetype/liberation)
set(liberation_package fonts-liberation)
set(liberation_files)
foreach(face IN ITEMS Sans Serif Mono)
  foreach(style IN ITEMS Regular Bold Italic BoldItalic)
    list(APPEND liberation_files Liberation${face}-${style}.ttf)
  endforeach()
endforeach()

file(REMOVE_RECURSE "${FOLDER}")
set(missing "")
foreach(set IN ITEMS dejavu liberation)
  file(MAKE_DIRECTORY "${FOLDER}/${set}")
  foreach(file IN LISTS ${set}_files)
    set(from "${${set}_from}/${file}")
    if(EXISTS "${from}")
      file(CREATE_LINK "${from}" "${FOLDER}/${set}/${file}" SYMBOLIC)
    else()
      string(APPEND missing "\n  ${from} (${${set}_package}; scripts/deps.sh installs it)")
    endif()
  endforeach()
endforeach()
if(missing)
  message(FATAL_ERROR "The font tests need faces that are missing:${missing}")
endif()
