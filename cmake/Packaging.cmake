# Installation and the Debian package.
#
#   cmake --install build --prefix /usr/local   bin/tarvel, bin/tarvel-cli, share/tarvel/..., menu entry, icons
#   (cd build && cpack)                          build/tarvel_<version>_amd64.deb
#
# Installed, the shared files lie read-only under share/tarvel, in the same arrangement as beside the program in
# the build tree (data/main.db, Lang, skins, Vendrick.chm); the program copies the database for each user.

include(GNUInstallDirs)
set(TARVEL_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/tarvel)

install(TARGETS tarvel tarvel-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TARVEL_SHIPPED_DB} DESTINATION ${TARVEL_SHARE_DIR}/data)

# Made by other parts of the build; each is shipped when the build tree holds it.
install(FILES ${CMAKE_BINARY_DIR}/bin/Vendrick.chm DESTINATION ${TARVEL_SHARE_DIR} OPTIONAL)
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/help DESTINATION ${TARVEL_SHARE_DIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/Lang DESTINATION ${TARVEL_SHARE_DIR} OPTIONAL)
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/skins DESTINATION ${TARVEL_SHARE_DIR} OPTIONAL)

install(FILES ${CMAKE_SOURCE_DIR}/packaging/tarvel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/icons/tarvel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/icons/tarvel-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME tarvel.png)
endforeach()

set(TARVEL_PACKAGE_MAINTAINER "Quorvane <tarvel@quorvane.invalid>" CACHE STRING "Maintainer of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvel)
set(CPACK_PACKAGE_VENDOR Quorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Справочник финансовых показателей для юристов")
set(CPACK_PACKAGE_DESCRIPTION
    "Курсы рубля к доллару США, евро и 26 другим валютам, МРОТ, ставка рефинансирования, индексы инфляции и
потребительских цен в локальной базе данных. Ряды пополняются вручную, импортом выгрузок КонсультантПлюс и
Гарант и загрузкой курсов с сервиса Банка России. Поставляется с историческими рядами.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # tarvel_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TARVEL_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
find_program(TARVEL_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(TARVEL_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The toolkit's own Russian texts; dpkg-shlibdeps finds no library for them.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
else()
  # What dpkg-shlibdeps finds on Debian 12, for a machine without it.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libc6 (>= 2.34), libstdc++6 (>= 12), libgcc-s1 (>= 3.0), libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libsqlite3-0 (>= 3.37), libcurl4 (>= 7.16.2), qt6-translations-l10n")
endif()
include(CPack)
