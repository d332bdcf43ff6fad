# The demo's controls, written once. The README's table, the manual page, the
# Windows README and the web page are made from this list by the functions
# below: the last three when they are built, the README's table by
#   cmake -P cmake/controls.cmake
# which rewrites it between its two marks (scripts/format.sh --check fails
# while it is stale).
#
# A row: keys | the web page's keyCodes for them | its buttons | a few words |
# what they do. Two keys pair up as "a / b", and so do two buttons:
# "Slow step − / +" names "Slow step −" and "Slow step +". No semicolons: they
# would split a row.
if(CMAKE_SCRIPT_MODE_FILE)
  cmake_minimum_required(VERSION 3.16) # the project's policies: a row keeps its empty fields
endif()
set(CONTROLS
  "mouse||a finger on the picture|spin, from the centre|spin rate: the pointer's offset from the centre of the screen, where the grid stands still, and a lifted finger leaves the spin as it was"
  "Up / Down|38 40|Nearer / Farther|nearer, farther|move the grid nearer / farther"
  "1 / 2|49 50|Slow step − / +|slow wave step|lower / raise the slow oscillator's phase step (not below 0)"
  "q / w|81 87|Fast step − / +|fast wave step|lower / raise the fast oscillator's phase step (not below 0)"
  "a / s|65 83|Slow height − / +|slow wave height|lower / raise the slow oscillator's amplitude (not below 1)"
  "z / x|90 88|Fast height − / +|fast wave height|lower / raise the fast oscillator's amplitude (not below 1)"
  "r|82|Reset waves|reset|reset the four oscillator settings (distance and spin stay)"
  "Esc|27|Quit|quit|quit at once")

# The fields of a row, into keys, codes, buttons, words and action.
macro(control_fields row)
  string(REPLACE "|" ";" _row "${row}")
  list(GET _row 0 keys)
  list(GET _row 1 codes)
  list(GET _row 2 buttons)
  list(GET _row 3 words)
  list(GET _row 4 action)
endmacro()

# The text in var with its first letter a capital.
function(capitalized var)
  string(SUBSTRING "${${var}}" 0 1 first)
  string(SUBSTRING "${${var}}" 1 -1 rest)
  string(TOUPPER "${first}" first)
  set(${var} "${first}${rest}" PARENT_SCOPE)
endfunction()

# The README's table, in Markdown.
function(controls_markdown out)
  set(text "| Key / input | Touch (the web page) | Action |\n|---|---|---|\n")
  foreach(row ${CONTROLS})
    control_fields("${row}")
    string(APPEND text "| ${keys} | ${buttons} | ${action} |\n")
  endforeach()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The manual page's CONTROLS section, in roff: a tagged paragraph a row.
function(controls_man out)
  set(text "")
  foreach(row ${CONTROLS})
    control_fields("${row}")
    string(REPLACE " / " ", " keys "${keys}")
    capitalized(action)
    string(APPEND text ".TP\n.B ${keys}\n${action}.\n")
  endforeach()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The Windows README's list, plain text: the keys in a column of 12, the
# action beside them, wrapped at 76 columns.
function(controls_text out)
  set(text "")
  foreach(row ${CONTROLS})
    control_fields("${row}")
    string(REPLACE " / " "/" keys "${keys}")
    string(REPLACE " " ";" words "${action}")
    set(line "  ${keys}")
    string(LENGTH "${line}" length)
    math(EXPR padding "13 - ${length} - 1")
    string(REPEAT " " ${padding} pad)
    string(APPEND line "${pad}")
    foreach(word ${words})
      string(LENGTH "${line} ${word}" length)
      if(length GREATER 76)
        string(APPEND text "${line}\n")
        set(line "            ")
      endif()
      string(APPEND line " ${word}")
    endforeach()
    string(APPEND text "${line}\n")
  endforeach()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The web page's on-screen buttons, each with the keyCode it gives the
# program, and its line of keys for a desktop.
function(controls_html buttons_out keys_out)
  set(html "")
  set(line "")
  foreach(row ${CONTROLS})
    control_fields("${row}")
    if(codes)
      string(REPLACE " / " ";" names "${buttons}")
      list(LENGTH names count)
      if(count EQUAL 2)
        list(GET names 1 second)
        if(NOT second MATCHES " ")
          list(GET names 0 first)
          string(REGEX REPLACE "[^ ]+$" "${second}" second "${first}")
          set(names "${first};${second}")
        endif()
      endif()
      string(REPLACE " " ";" codes "${codes}")
      foreach(name code IN ZIP_LISTS names codes)
        string(APPEND html "<button data-key=\"${code}\">${name}</button>")
      endforeach()
      string(APPEND html "\n    ")
    endif()
    string(REPLACE " / " " " keys "${keys}")
    string(APPEND line "${keys}: ${words} · ")
  endforeach()
  string(STRIP "${html}" html)
  capitalized(line)
  set(${buttons_out} "${html}" PARENT_SCOPE)
  set(${keys_out} "${line}" PARENT_SCOPE)
endfunction()

# Run as a script: the README's table between its marks, made anew.
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  set(readme ${CMAKE_CURRENT_LIST_DIR}/../README.md)
  file(READ ${readme} text)
  controls_markdown(table)
  string(REGEX REPLACE "(<!-- controls: cmake -P cmake/controls.cmake -->\n).*(<!-- /controls -->)"
    "\\1${table}\\2" new "${text}")
  if(NOT new STREQUAL text)
    file(WRITE ${readme} "${new}")
    message(STATUS "README.md: the controls table made anew")
  endif()
endif()
