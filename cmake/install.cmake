# How the demo is installed and packed. On Linux as Debian installs games:
# the program in a folder of its own, its data where data goes, and a
# launcher that starts it in the folder holding the data, with a menu entry,
# icons, AppStream's metadata, a manual page and the licence; CPack packs that as a .deb, its
# dependencies computed from the binary. On Windows a folder to unzip:
# the program with SDL.dll beside it (SDL is under the LGPL: anyone may put
# another SDL.dll of 1.2 there), the data, and text files with Windows line
# ends; CPack packs that as a zip.
include(${CMAKE_CURRENT_LIST_DIR}/controls.cmake)
set(CPACK_PACKAGE_NAME wavegrid)
set(CPACK_PACKAGE_CONTACT "The wavegrid developers <wavegrid@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "rippling surface of glowing sprites, a real-time demo")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "A rippling surface: a 60 x 60 grid of points, 59 x 59 of them drawn as\n"
  "light-blue, additively blended sprites. Two sine oscillators feed waves\n"
  "in at one edge and the waves travel row by row. The mouse spins the grid\n"
  "about three axes; keys tune the oscillators and the distance. Full\n"
  "screen, 800 x 600, OpenGL.")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME wavegrid-${PROJECT_VERSION}-windows-x86_64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
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
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  install(TARGETS wavegrid DESTINATION lib/games/wavegrid)
  install(PROGRAMS linux/wavegrid.sh DESTINATION games RENAME wavegrid)
  install(FILES data/sprite01.bmp DESTINATION share/games/wavegrid/data)
  install(FILES linux/wavegrid.desktop DESTINATION share/applications)
  set(made wavegrid.6.gz changelog.gz)
  foreach(size 48 128 256)
    wavegrid_icon(${PROJECT_BINARY_DIR}/wavegrid-${size}.png ${size})
    install(FILES ${PROJECT_BINARY_DIR}/wavegrid-${size}.png RENAME wavegrid.png
      DESTINATION share/icons/hicolor/${size}x${size}/apps)
    list(APPEND made ${PROJECT_BINARY_DIR}/wavegrid-${size}.png)
  endforeach()
  # What a software centre shows: AppStream's metadata, dated by the commit.
  string(TIMESTAMP WAVEGRID_DATE "%Y-%m-%d" UTC)
  configure_file(linux/wavegrid.metainfo.xml ${PROJECT_BINARY_DIR}/invalid.wavegrid.wavegrid.metainfo.xml @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/invalid.wavegrid.wavegrid.metainfo.xml DESTINATION share/metainfo)
  # The manual page, with its version and controls, and the changelog,
  # compressed as Debian has them.
  controls_man(CONTROLS_MAN)
  configure_file(linux/wavegrid.6 ${PROJECT_BINARY_DIR}/wavegrid.6 @ONLY)
  configure_file(linux/changelog ${PROJECT_BINARY_DIR}/changelog COPYONLY)
  foreach(doc wavegrid.6 changelog)
    add_custom_command(OUTPUT ${doc}.gz DEPENDS ${PROJECT_BINARY_DIR}/${doc} VERBATIM
      COMMAND sh -c "gzip -9n <${doc} >${doc}.gz")
  endforeach()
  add_custom_target(docs ALL DEPENDS ${made})
  install(FILES ${PROJECT_BINARY_DIR}/wavegrid.6.gz DESTINATION share/man/man6)
  install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION share/doc/wavegrid)
  install(FILES LICENSE DESTINATION share/doc/wavegrid RENAME copyright)
endif()
include(CPack)
