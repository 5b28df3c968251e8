# Sets LUMAKVEX_STAND_IN_FONTS: the fonts that stand in for design fonts Windows may lack
# (Arial Narrow comes only with some programs; under Wine none of them is there), which the
# Windows program carries in its fonts/ folder (common/Fonts.cpp loads them) and its tests
# draw with. For each stand-in family its regular, bold, italic and bold italic face: the very
# files the Linux program draws with. The families are those of Fonts::standInFamilies().
set(stand_in_families "Liberation Sans" "Liberation Sans Narrow" "Liberation Serif" "Liberation Mono"
    "DejaVu Sans" "DejaVu Serif" "Comic Neue")
set(LUMAKVEX_STAND_IN_FONTS "")
foreach(family ${stand_in_families})
  foreach(style "weight=regular:slant=roman" "weight=bold:slant=roman" "weight=regular:slant=italic"
                "weight=bold:slant=italic")
    execute_process(COMMAND fc-match -f "%{file}|%{family[0]}" "${family}:${style}"
                    OUTPUT_VARIABLE match RESULT_VARIABLE rc)
    string(REGEX REPLACE "\\|.*" "" file "${match}")
    string(REGEX REPLACE "^[^|]*\\|" "" matched_family "${match}")
    if(NOT rc EQUAL 0 OR NOT matched_family STREQUAL family)
      message(FATAL_ERROR "No face \"${style}\" of \"${family}\" on this machine (scripts/setup-windows installs the fonts)")
    endif()
    list(APPEND LUMAKVEX_STAND_IN_FONTS ${file})
  endforeach()
endforeach()
list(REMOVE_DUPLICATES LUMAKVEX_STAND_IN_FONTS)

