# How the demo is installed. On Linux as Debian installs games: the program
# in a folder of its own, its data where data goes, and a launcher that
# starts it in the folder holding the data, with a menu entry, icons,
# AppStream's metadata and a manual page; debian/ packs that. On Windows a
# folder to unzip: the program with SDL.dll beside it (SDL is under the LGPL:
# anyone may put another SDL.dll of 1.2 there), the data, and text files
# with Windows line ends; CPack packs that as a zip.
include(${CMAKE_CURRENT_LIST_DIR}/controls.cmake)
if(WIN32)
  set(CPACK_PACKAGE_NAME wavegrid)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME wavegrid-${PROJECT_VERSION}-windows-x86_64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  set(CPACK_STRIP_FILES ON)
  install(TARGETS wavegrid DESTINATION .)
  install(FILES ${WAVEGRID_SDL_PREFIX}/bin/SDL.dll DESTINATION .)
  install(FILES data/sprite01.bmp DESTINATION data)

  # Joins the files after the name into one, with Windows line ends.
  function(install_text name)
    set(text "")
    foreach(part ${ARGN})
      file(READ ${part} more)
      string(APPEND text "${more}")
    endforeach()
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${PROJECT_BINARY_DIR}/zip/${name} "${text}")
    install(FILES ${PROJECT_BINARY_DIR}/zip/${name} DESTINATION .)
  endfunction()
  # The README with its version and controls; SDL's licence after what
  # scripts/helpers/sdl-windows.sh wrote of how SDL.dll was built (ABOUT).
  controls_text(CONTROLS_TEXT)
  configure_file(docs/windows-readme.txt ${PROJECT_BINARY_DIR}/windows-readme.txt @ONLY)
  install_text(README.txt ${PROJECT_BINARY_DIR}/windows-readme.txt)
  install_text(LICENSE.txt LICENSE)
  install_text(SDL-LICENSE.txt ${WAVEGRID_SDL_PREFIX}/ABOUT ${WAVEGRID_SDL_PREFIX}/COPYING)
  include(CPack)
else()
  install(TARGETS wavegrid DESTINATION lib/games/wavegrid)
  install(PROGRAMS linux/wavegrid.sh DESTINATION games RENAME wavegrid)
  install(FILES data/sprite01.bmp DESTINATION share/games/wavegrid/data)
  install(FILES linux/wavegrid.desktop DESTINATION share/applications)
  set(made "")
  foreach(size 48 128 256)
    wavegrid_icon(${PROJECT_BINARY_DIR}/wavegrid-${size}.png ${size})
    install(FILES ${PROJECT_BINARY_DIR}/wavegrid-${size}.png RENAME wavegrid.png
      DESTINATION share/icons/hicolor/${size}x${size}/apps)
    list(APPEND made ${PROJECT_BINARY_DIR}/wavegrid-${size}.png)
  endforeach()
  add_custom_target(icons ALL DEPENDS ${made})
  # What a software centre shows: AppStream's metadata, dated by
  # SOURCE_DATE_EPOCH (the package's: debian/changelog's newest entry).
  string(TIMESTAMP WAVEGRID_DATE "%Y-%m-%d" UTC)
  configure_file(linux/wavegrid.metainfo.xml ${PROJECT_BINARY_DIR}/invalid.wavegrid.wavegrid.metainfo.xml @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/invalid.wavegrid.wavegrid.metainfo.xml DESTINATION share/metainfo)
  # The manual page, with its version and controls. The package adds the
  # changelog and the copyright, and compresses the docs (debian/).
  controls_man(CONTROLS_MAN)
  configure_file(linux/wavegrid.6 ${PROJECT_BINARY_DIR}/wavegrid.6 @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/wavegrid.6 DESTINATION share/man/man6)
endif()
