# Desktop integration and the Debian package. The programs install themselves
# (src/app, src/tally); this adds the menu entry, the AppStream metadata and
# the icon in the hicolor theme, and sets up `cpack -G DEB`.

set(GLYPHARO_APP_ID com.vexmoor.Glypharo)
set(_desktop_dir ${PROJECT_SOURCE_DIR}/resources/desktop)
set(_icon_dir ${PROJECT_SOURCE_DIR}/resources/icons)

install(FILES ${_desktop_dir}/${GLYPHARO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_desktop_dir}/${GLYPHARO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icons are made separately; install whichever of them are there.
if(EXISTS ${_icon_dir}/glypharo.svg)
  install(FILES ${_icon_dir}/glypharo.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
foreach(_size 48 64 128 256)
  if(EXISTS ${_icon_dir}/glypharo-${_size}.png)
    install(FILES ${_icon_dir}/glypharo-${_size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps
            RENAME glypharo.png)
  endif()
endforeach()

# Checks of the shipped metadata, run with the tests when the tools exist.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(GLYPHARO_BUILD_TESTS AND DESKTOP_FILE_VALIDATE)
  add_test(NAME desktop_file_valid
           COMMAND ${DESKTOP_FILE_VALIDATE} ${_desktop_dir}/${GLYPHARO_APP_ID}.desktop)
endif()
if(GLYPHARO_BUILD_TESTS AND APPSTREAMCLI)
  add_test(NAME metainfo_valid
           COMMAND ${APPSTREAMCLI} validate --no-net ${_desktop_dir}/${GLYPHARO_APP_ID}.metainfo.xml)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glypharo)
set(CPACK_PACKAGE_VENDOR "Vexmoor Software")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Vexmoor Software <games@vexmoor.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "networked word game for up to six players")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Each round deals a first letter for every word row; on your turn you get\n"
  "nine letter tiles and complete one row with a real English word. One copy\n"
  "hosts on TCP port 7772 and the others join it; computer players take empty\n"
  "seats. A chat with colours, smilies, phrases, links and sounds runs beside\n"
  "the board.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vexmoor Software <games@vexmoor.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.vexmoor.com/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so invisible to dpkg-shlibdeps: the display plugins.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Opening links and the lobby, and playing the sounds.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, pulseaudio | pipewire-pulse")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
