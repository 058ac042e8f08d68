# The Debian package: `cpack -G DEB` in a build folder, or the `package`
# presets (cmake --workflow --preset package). It holds what `cmake --install`
# installs, with the programs in /usr/games (InstallLayout.cmake), and passes
# lintian without an error or a warning. Dependencies on shared
# libraries the programs link come from dpkg-shlibdeps; the ones the game
# loads at run time (FluidSynth, the soundfont) and the Japanese font are
# named here.
set(CPACK_PACKAGE_NAME kotou)
set(CPACK_PACKAGE_VENDOR "kotou developers")
set(CPACK_PACKAGE_CONTACT "${KOTOU_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://${KOTOU_DOMAIN}/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "island survival life simulation (Japanese)")
set(CPACK_PACKAGE_DESCRIPTION
    "Four castaways take turns on an island: exploring, cooking, building,\n\
crafting, training, fighting monsters, talking and working towards an escape.\n\
All of the game's text is Japanese.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(KOTOU_RUNTIME_PACKAGES libfluidsynth3 timgm6mb-soundfont fonts-ipafont-gothic)
list(JOIN KOTOU_RUNTIME_PACKAGES ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
include(CPack)
