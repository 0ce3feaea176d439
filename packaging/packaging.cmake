# SPDX-License-Identifier: GPL-3.0-or-later
# Desktop integration and the Debian package: `cpack -G DEB` in the build folder.

# Menu entry, icons in every size the menus ask for, software-centre data and a manual page.
install(FILES tools/quillet.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY assets/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES packaging/org.example.quillet.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
configure_file(packaging/quillet.1.in ${CMAKE_BINARY_DIR}/generated/quillet.1 @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/generated/quillet.1.gz
  COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/generated/quillet.1 > ${CMAKE_BINARY_DIR}/generated/quillet.1.gz
  DEPENDS ${CMAKE_BINARY_DIR}/generated/quillet.1)
add_custom_target(manpage ALL DEPENDS ${CMAKE_BINARY_DIR}/generated/quillet.1.gz)
install(FILES ${CMAKE_BINARY_DIR}/generated/quillet.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The licence in the machine-readable form and the changelog, where Debian looks for them.
set(QUILLET_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/quillet)
configure_file(packaging/changelog.in ${CMAKE_BINARY_DIR}/generated/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/generated/changelog.gz
  COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/generated/changelog > ${CMAKE_BINARY_DIR}/generated/changelog.gz
  DEPENDS ${CMAKE_BINARY_DIR}/generated/changelog)
add_custom_target(changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/generated/changelog.gz)
install(FILES packaging/copyright ${CMAKE_BINARY_DIR}/generated/changelog.gz DESTINATION ${QUILLET_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillet)
set(CPACK_PACKAGE_VENDOR "The Quillet developers")
set(CPACK_PACKAGE_CONTACT "Quillet support <support@quillet.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small desktop planner: notes, to-dos with reminders, websites, contacts")
set(CPACK_PACKAGE_DESCRIPTION "One small window holds free-text notes, to-dos with reminders and an
alarm, favourite websites and e-mail contacts, with a live clock, a rotating
quote and a button that says the time aloud. The data is kept in one plain
text file in the user's data folder.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quillet.example.org)
# Libraries come from the linker's view of the program, added to what is listed here: Qt only
# recommends its platform plugins, and without them no window opens. Fonts for Chinese, Japanese,
# Korean, emoji and the Indic scripts, the URL opener and the desktop's own file dialogs are welcome but not required.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei, fonts-noto-color-emoji, fonts-noto-core, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-gtk-platformtheme")
include(CPack)
