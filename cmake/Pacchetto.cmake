# Installing like a desktop game: beside the two executables in games/, the desktop entry,
# the icons, the AppStream metadata, the combination files' type, icon and previews, the
# replay files' type and icon, the
# manual pages and the changelog; and the Debian package that `cpack -G DEB` makes from
# that install.

set(SKARVEX_DATI ${PROJECT_SOURCE_DIR}/data)
set(SKARVEX_DATI_FATTI ${PROJECT_BINARY_DIR}/data)
# The day version ${PROJECT_VERSION} was released: change it with the version, and give
# the version its entry in data/changelog.
set(SKARVEX_DATA_VERSIONE 2026-12-06)
set(SKARVEX_ICONA_DOCUMENTO application-x-skarvex-combination)
set(SKARVEX_ICONA_REPLICA application-x-skarvex-replay)

foreach(modello ${SKARVEX_ID_APPLICAZIONE}.metainfo.xml copyright)
  configure_file(${SKARVEX_DATI}/${modello}.in ${SKARVEX_DATI_FATTI}/${modello} @ONLY)
endforeach()

install(FILES ${SKARVEX_DATI}/${SKARVEX_ID_APPLICAZIONE}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${SKARVEX_DATI_FATTI}/${SKARVEX_ID_APPLICAZIONE}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The combination and replay files' types, each with an icon of its own: documents of
# the game.
install(FILES ${SKARVEX_DATI}/${SKARVEX_ID_APPLICAZIONE}.mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${SKARVEX_ID_APPLICAZIONE}.xml)
# Their previews in file managers, drawn by skarvex-comb thumbnail.
install(FILES ${SKARVEX_DATI}/${SKARVEX_ID_APPLICAZIONE}.thumbnailer
        DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
# Free software under the GNU GPL, version 3 or later, said as Debian reads it.
install(FILES ${SKARVEX_DATI_FATTI}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/skarvex)

# The icons, in the hicolor theme: each SVG as it is, and drawn at the sizes desktops
# look up first.
set(SKARVEX_ICONE)
foreach(icona "apps;${SKARVEX_ID_APPLICAZIONE}" "mimetypes;${SKARVEX_ICONA_DOCUMENTO}"
              "mimetypes;${SKARVEX_ICONA_REPLICA}")
  list(GET icona 0 contesto)
  list(GET icona 1 nome)
  install(FILES ${SKARVEX_DATI}/${nome}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/${contesto})
  foreach(lato 16 32 48 64 128 256)
    set(png ${SKARVEX_DATI_FATTI}/icone/${lato}x${lato}/${contesto}/${nome}.png)
    add_custom_command(
      OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${SKARVEX_DATI_FATTI}/icone/${lato}x${lato}/${contesto}
      COMMAND skarvex-rendi-icona ${SKARVEX_DATI}/${nome}.svg ${png} ${lato}
      DEPENDS ${SKARVEX_DATI}/${nome}.svg skarvex-rendi-icona
      VERBATIM)
    list(APPEND SKARVEX_ICONE ${png})
    install(FILES ${png}
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${lato}x${lato}/${contesto})
  endforeach()
endforeach()
add_custom_target(skarvex_icone ALL DEPENDS ${SKARVEX_ICONE})

# Manual pages and the changelog, gzipped as Debian keeps them; -n leaves the name and
# time out, so the same text always makes the same bytes.
find_program(SKARVEX_GZIP gzip REQUIRED)
set(SKARVEX_COMPRESSI)
foreach(testo skarvex.6 skarvex-comb.6 changelog)
  configure_file(${SKARVEX_DATI}/${testo} ${SKARVEX_DATI_FATTI}/${testo} @ONLY)
  add_custom_command(
    OUTPUT ${SKARVEX_DATI_FATTI}/${testo}.gz
    COMMAND ${SKARVEX_GZIP} -9nkf ${SKARVEX_DATI_FATTI}/${testo}
    DEPENDS ${SKARVEX_DATI_FATTI}/${testo}
    VERBATIM)
  list(APPEND SKARVEX_COMPRESSI ${SKARVEX_DATI_FATTI}/${testo}.gz)
endforeach()
add_custom_target(skarvex_manuali ALL DEPENDS ${SKARVEX_COMPRESSI})
install(FILES ${SKARVEX_DATI_FATTI}/skarvex.6.gz ${SKARVEX_DATI_FATTI}/skarvex-comb.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${SKARVEX_DATI_FATTI}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/skarvex)

# The Debian package. Its dependencies on shared libraries come from dpkg-shlibdeps; the
# rest are what the game needs at run time but does not link: the soundfont for the MIDI
# music, the platform plugin without which no window opens, the fonts it draws with, and
# Qt's Italian translation, so that Qt's own buttons and dialogs speak the game's language.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME skarvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "SKARVEX developers")
set(CPACK_PACKAGE_CONTACT "${SKARVEX_MANUTENTORE}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "arcade shooter against a marching alien formation, with skins")
# Lines of at most 80 characters, as Debian's tools show them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Fifty aliens march across the screen and fire at your cannon; four walls of\n"
    "bricks crumble under both sides' shots; a bonus ship crosses the top every\n"
    "fifty march steps. Every picture and sound comes from a combination file that\n"
    "players make in the built-in editor and share. The interface is in Italian.\n"
    "\n"
    "skarvex-comb inspects, unpacks, packs, checks and installs combination files,\n"
    "and draws the previews file managers show for them.")
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
