# Installing like a desktop game: the binary and its help file in a folder of their
# own (the game looks for Tessaly.hlp beside its executable), a launcher on the PATH,
# a desktop entry, hicolor icons and AppStream metainfo; CPack turns the same rules
# into a Debian package.
include(GNUInstallDirs)

if(NOT DEFINED TESSALY_INSTALL_LIBEXECDIR)
  set(TESSALY_INSTALL_LIBEXECDIR "lib/tessaly" CACHE STRING
      "Folder, below the install prefix, of the game binary and its help file")
endif()
set(TESSALY_HOMEPAGE "https://www.brindlecove.example/games/index.htm")
# AppStream wants a reverse-DNS component id; the desktop file keeps the plain name
# the program announces (QGuiApplication::setDesktopFileName) and the metainfo's
# launchable points to it.
set(TESSALY_APPSTREAM_ID "example.brindlecove.tessaly")
set(TESSALY_PROJECT_LICENSE "MIT")
# Move this along whenever project() gets a new version.
set(TESSALY_RELEASE_DATE "2026-12-07")

set(tessaly_packaging_dir ${CMAKE_CURRENT_LIST_DIR})

install(TARGETS tessaly RUNTIME DESTINATION ${TESSALY_INSTALL_LIBEXECDIR})

# The launcher is a relative symlink: Qt resolves /proc/self/exe, so the game still
# sees its own folder (and the help file in it), and the link stays right wherever
# the tree is unpacked (DESTDIR, a .deb, a moved prefix). It is made at install time
# because only then is the prefix known.
install(CODE "set(tessaly_bindir \"${CMAKE_INSTALL_BINDIR}\")
              set(tessaly_gamedir \"${TESSALY_INSTALL_LIBEXECDIR}\")")
install(CODE [[
  foreach(dir IN ITEMS tessaly_bindir tessaly_gamedir)
    if(NOT IS_ABSOLUTE "${${dir}}")
      set(${dir} "${CMAKE_INSTALL_PREFIX}/${${dir}}")
    endif()
  endforeach()
  file(RELATIVE_PATH tessaly_target "${tessaly_bindir}" "${tessaly_gamedir}/tessaly")
  set(tessaly_link "$ENV{DESTDIR}${tessaly_bindir}/tessaly")
  message(STATUS "Installing: ${tessaly_link} -> ${tessaly_target}")
  file(MAKE_DIRECTORY "$ENV{DESTDIR}${tessaly_bindir}")
  file(CREATE_LINK "${tessaly_target}" "${tessaly_link}" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${tessaly_link}")
]])

install(FILES ${tessaly_packaging_dir}/tessaly.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

foreach(size 16 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/icon/tessaly-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME tessaly.png)
endforeach()

set(tessaly_metainfo ${CMAKE_BINARY_DIR}/packaging/${TESSALY_APPSTREAM_ID}.metainfo.xml)
configure_file(${tessaly_packaging_dir}/tessaly.metainfo.xml.in ${tessaly_metainfo} @ONLY)
install(FILES ${tessaly_metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Debian package: `cpack -G DEB` in the build folder, after a build. Installing and
# packing take what has been built, as `cmake --install` always does; otherwise
# cpack's preinstall step first builds the whole tree, tests and tools included.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_PACKAGE_NAME tessaly)
set(CPACK_PACKAGE_VENDOR "Brindlecove Games")
set(CPACK_PACKAGE_CONTACT "Brindlecove Games <games@brindlecove.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Four coloured lights flash a sequence, each with a tone of its own; the player
repeats it by clicking the lights in the same order, and every correct round
grows the sequence by one light. Three playback speeds; the five best scores
are kept between games.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${TESSALY_HOMEPAGE}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# dpkg-shlibdeps sees the Qt libraries the binary links; it cannot see what is no
# library at all or what is loaded at run time: the fonts the windows are laid out
# for, libpulse (the sound layer opens it after the first frame), and the X11
# platform plugin where it has a package of its own (some releases ship it in
# qt6-qpa-plugins, Debian 12 inside libqt6gui6, which the binary links anyway), and
# Qt's own translations (its Yes and No in the player's language).
set(tessaly_runtime_depends fonts-liberation libpulse0 qt6-translations-l10n)
find_program(TESSALY_DPKG dpkg)
function(tessaly_package_owning file result)
  execute_process(COMMAND ${TESSALY_DPKG} -S ${file} OUTPUT_VARIABLE owner ERROR_QUIET)
  string(REGEX REPLACE "[:,].*" "" owner "${owner}")
  set(${result} "${owner}" PARENT_SCOPE)
endfunction()
find_package(Qt6QXcbIntegrationPlugin CONFIG QUIET HINTS ${Qt6Gui_DIR})
if(TESSALY_DPKG AND TARGET Qt6::QXcbIntegrationPlugin)
  get_target_property(tessaly_xcb_plugin Qt6::QXcbIntegrationPlugin LOCATION)
  get_target_property(tessaly_qtgui Qt6::Gui LOCATION)
  tessaly_package_owning(${tessaly_xcb_plugin} tessaly_xcb_owner)
  tessaly_package_owning(${tessaly_qtgui} tessaly_qtgui_owner)
  if(tessaly_xcb_owner AND NOT tessaly_xcb_owner STREQUAL tessaly_qtgui_owner)
    list(APPEND tessaly_runtime_depends ${tessaly_xcb_owner})
  endif()
  message(STATUS "X11 platform plugin ${tessaly_xcb_plugin} comes with ${tessaly_xcb_owner}")
endif()
list(JOIN tessaly_runtime_depends ", " CPACK_DEBIAN_PACKAGE_DEPENDS)

include(CPack)
