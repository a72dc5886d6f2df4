# Installing like a desktop game: beside the two executables in bin/, the desktop entry,
# the icon, the AppStream metadata, the combination files' type and previews, and the
# manual pages; and the Debian package that `cpack -G DEB` makes from that install.

set(SKARVEX_DATI ${PROJECT_SOURCE_DIR}/data)
set(SKARVEX_DATI_FATTI ${PROJECT_BINARY_DIR}/data)
# The day version ${PROJECT_VERSION} was released: change it with the version.
set(SKARVEX_DATA_VERSIONE 2026-12-06)

set(SKARVEX_METAINFO ${SKARVEX_DATI_FATTI}/${SKARVEX_ID_APPLICAZIONE}.metainfo.xml)
configure_file(${SKARVEX_DATI}/${SKARVEX_ID_APPLICAZIONE}.metainfo.xml.in ${SKARVEX_METAINFO}
               @ONLY)

install(FILES ${SKARVEX_DATI}/${SKARVEX_ID_APPLICAZIONE}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${SKARVEX_DATI}/${SKARVEX_ID_APPLICAZIONE}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${SKARVEX_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The combination files' type, with the game's icon as its own.
install(FILES ${SKARVEX_DATI}/${SKARVEX_ID_APPLICAZIONE}.mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${SKARVEX_ID_APPLICAZIONE}.xml)
install(FILES ${SKARVEX_DATI}/${SKARVEX_ID_APPLICAZIONE}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes
        RENAME application-x-skarvex-combination.svg)
# Their previews in file managers, drawn by skarvex-comb thumbnail.
install(FILES ${SKARVEX_DATI}/${SKARVEX_ID_APPLICAZIONE}.thumbnailer
        DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
# Free software under the GNU GPL, version 3 or later, said as Debian reads it.
install(FILES ${SKARVEX_DATI}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/skarvex)

# Manual pages, gzipped as Debian keeps them; -n leaves the name and time out, so the
# same page always makes the same bytes.
find_program(SKARVEX_GZIP gzip REQUIRED)
set(SKARVEX_MANUALI)
foreach(pagina skarvex.6 skarvex-comb.6)
  configure_file(${SKARVEX_DATI}/${pagina} ${SKARVEX_DATI_FATTI}/${pagina} @ONLY)
  add_custom_command(
    OUTPUT ${SKARVEX_DATI_FATTI}/${pagina}.gz
    COMMAND ${SKARVEX_GZIP} -9nkf ${SKARVEX_DATI_FATTI}/${pagina}
    DEPENDS ${SKARVEX_DATI_FATTI}/${pagina}
    VERBATIM)
  list(APPEND SKARVEX_MANUALI ${SKARVEX_DATI_FATTI}/${pagina}.gz)
endforeach()
add_custom_target(skarvex_manuali ALL DEPENDS ${SKARVEX_MANUALI})
install(FILES ${SKARVEX_MANUALI} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The Debian package. Its dependencies on shared libraries come from dpkg-shlibdeps; the
# rest are what the game needs at run time but does not link: the soundfont for the MIDI
# music, the platform plugin without which no window opens, the fonts it draws with, and
# Qt's Italian translation, so that Qt's own buttons and dialogs speak the game's language.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME skarvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "SKARVEX developers")
# example.org stands for the project's own address, which a release fills in.
set(CPACK_PACKAGE_CONTACT "SKARVEX developers <skarvex@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "arcade shooter against a marching alien formation, with skins")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Fifty aliens march across the screen and fire at your cannon; four walls of bricks\n"
    "crumble under both sides' shots; a bonus ship crosses the top every fifty march\n"
    "steps. Every picture and sound comes from a combination file that players make in\n"
    "the built-in editor and share. The interface is in Italian.\n"
    "\n"
    "skarvex-comb inspects, unpacks, packs, checks and installs combination files, and\n"
    "draws the previews file managers show for them.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "timgm6mb-soundfont, qt6-qpa-plugins, fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The build's debugging information stays in the build folder.
set(CPACK_STRIP_FILES ON)
include(CPack)
