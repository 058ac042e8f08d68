# Where `cmake --install` and the package put the game:
#   bin/                      kotou and the command-line tools
#   share/kotou/              the generated cg/ and dat/
#   lib/kotou/                the SDL sound module
#   share/applications/       kotou.desktop
#   share/icons/hicolor/      the icon at the usual sizes
# The installed programs find the data and the module relative to their own
# folder, so an installed tree works wherever it is unpacked.
include(GNUInstallDirs)

set(KOTOU_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/kotou)
set(KOTOU_INSTALL_MODULEDIR ${CMAKE_INSTALL_LIBDIR}/kotou)
file(RELATIVE_PATH KOTOU_DATA_FROM_BIN
     ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/kotou)
file(RELATIVE_PATH KOTOU_MODULES_FROM_BIN
     ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR}/kotou)

# Installs a program into bin/ and lists it for the install tests.
function(kotou_install_program target)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  set_property(GLOBAL APPEND PROPERTY KOTOU_INSTALLED_PROGRAMS ${target})
endfunction()
