# Installing like a desktop game: the binary in a folder of its own with the help files
# and translations beside it (the game looks for Tessaly.hlp, Tessaly_<language>.hlp
# and translations/ in its executable's folder), a launcher on
# the PATH, a desktop entry, hicolor icons, AppStream metainfo and a manual page.
# debian/rules picks the Debian games folders; the Debian package is built from there.
include(GNUInstallDirs)

set(TESSALY_INSTALL_LAUNCHERDIR "${CMAKE_INSTALL_BINDIR}" CACHE STRING
    "Folder, below the install prefix, of the launcher link on the PATH")
set(TESSALY_INSTALL_GAMEDIR "${CMAKE_INSTALL_LIBEXECDIR}/tessaly" CACHE STRING
    "Folder, below the install prefix, of the game binary")
set(TESSALY_INSTALL_HELPDIR "" CACHE STRING
    "Folder, below the install prefix, of the help files and translations when not beside the game; links beside the game lead there")
set(TESSALY_HOMEPAGE "https://www.brindlecove.example/games/index.htm")
# AppStream wants a reverse-DNS component id; the desktop file keeps the plain name
# the program announces (QGuiApplication::setDesktopFileName) and the metainfo's
# launchable points to it.
set(TESSALY_APPSTREAM_ID "example.brindlecove.tessaly")
set(TESSALY_PROJECT_LICENSE "MIT")
# Move this along, with a new debian/changelog entry, whenever project() gets a new version.
set(TESSALY_RELEASE_DATE "2026-12-07")

set(tessaly_packaging_dir ${CMAKE_CURRENT_LIST_DIR})

install(TARGETS tessaly RUNTIME DESTINATION ${TESSALY_INSTALL_GAMEDIR})
set(tessaly_helpdir ${TESSALY_INSTALL_GAMEDIR})
if(TESSALY_INSTALL_HELPDIR)
  set(tessaly_helpdir ${TESSALY_INSTALL_HELPDIR})
endif()
file(GLOB tessaly_help_files ${PROJECT_SOURCE_DIR}/assets/help/Tessaly*.hlp)
install(FILES ${tessaly_help_files} DESTINATION ${tessaly_helpdir})
install(FILES ${tessaly_qm_files} DESTINATION ${tessaly_helpdir}/translations)

# Links are relative: Qt resolves /proc/self/exe, so the game started through the
# launcher still sees its own folder, and the links stay right wherever the tree is
# unpacked (DESTDIR, a .deb, a moved prefix). They are made at install time because
# only then is the prefix known.
function(tessaly_install_link target link)
  install(CODE "set(tessaly_target \"${target}\")
                set(tessaly_link \"${link}\")")
  install(CODE [[
    foreach(path IN ITEMS tessaly_target tessaly_link)
      if(NOT IS_ABSOLUTE "${${path}}")
        set(${path} "${CMAKE_INSTALL_PREFIX}/${${path}}")
      endif()
    endforeach()
    get_filename_component(tessaly_link_dir "${tessaly_link}" DIRECTORY)
    file(RELATIVE_PATH tessaly_target "${tessaly_link_dir}" "${tessaly_target}")
    set(tessaly_link "$ENV{DESTDIR}${tessaly_link}")
    message(STATUS "Installing: ${tessaly_link} -> ${tessaly_target}")
    file(MAKE_DIRECTORY "$ENV{DESTDIR}${tessaly_link_dir}")
    file(CREATE_LINK "${tessaly_target}" "${tessaly_link}" SYMBOLIC)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${tessaly_link}")
  ]])
endfunction()

tessaly_install_link(${TESSALY_INSTALL_GAMEDIR}/tessaly ${TESSALY_INSTALL_LAUNCHERDIR}/tessaly)
if(NOT tessaly_helpdir STREQUAL TESSALY_INSTALL_GAMEDIR)
  foreach(help ${tessaly_help_files})
    get_filename_component(help ${help} NAME)
    tessaly_install_link(${tessaly_helpdir}/${help} ${TESSALY_INSTALL_GAMEDIR}/${help})
  endforeach()
  tessaly_install_link(${tessaly_helpdir}/translations ${TESSALY_INSTALL_GAMEDIR}/translations)
endif()

install(FILES ${tessaly_packaging_dir}/tessaly.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

foreach(size 16 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/icon/tessaly-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME tessaly.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/assets/icon/tessaly.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(tessaly_metainfo ${CMAKE_BINARY_DIR}/packaging/${TESSALY_APPSTREAM_ID}.metainfo.xml)
configure_file(${tessaly_packaging_dir}/tessaly.metainfo.xml.in ${tessaly_metainfo} @ONLY)
install(FILES ${tessaly_metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(TESSALY_HELP_FILE ${CMAKE_INSTALL_PREFIX}/${tessaly_helpdir}/Tessaly.hlp)
configure_file(${tessaly_packaging_dir}/tessaly.6.in ${CMAKE_BINARY_DIR}/packaging/tessaly.6 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/tessaly.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
