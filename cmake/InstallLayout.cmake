# Where `cmake --install` and the package put the game:
#   bin/ (or games/)          kotou and the command-line tools
#   share/kotou/              the generated cg/ and dat/, the screenshots
#   lib/kotou/modules/        the SDL sound module
#   share/applications/       the menu entry, <id>.desktop
#   share/icons/hicolor/      the icon, <id>.png, at the usual sizes
#   share/metainfo/           the AppStream metadata, <id>.metainfo.xml
#   share/man/man6/           kotou(6), kotou-save(6), kotou-play(6)
#   share/doc/kotou/          copyright and changelog.gz
# The installed programs find the data and the module relative to their own
# folder, so an installed tree works wherever it is unpacked.
include(GNUInstallDirs)

# The team's domain gives the maintainer's address and, reversed, the id that
# names the game for desktops and software centres: the menu entry, the icon
# and the AppStream metadata carry it.
set(KOTOU_DOMAIN kotougame.org)
set(KOTOU_MAINTAINER "kotou developers <team@${KOTOU_DOMAIN}>")
set(KOTOU_APP_ID org.kotougame.kotou)

set(KOTOU_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/kotou)
# The module lies a folder below lib/kotou: CPack takes any shared object
# directly in a folder of lib/ for a library and would add ldconfig calls to
# the package's scripts, which a module loaded by path does not need.
set(KOTOU_INSTALL_MODULEDIR ${CMAKE_INSTALL_LIBDIR}/kotou/modules)
set(KOTOU_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/kotou)
set(KOTOU_INSTALL_GAMESDIR games)

# Debian keeps games in /usr/games: the Debian package (CPack) always puts the
# programs into games/. `cmake --install` puts them into bin/, or into games/
# in a build configured with -DKOTOU_GAMES_LAYOUT=ON. The folder is chosen
# when installing, so program rules name it as ${KOTOU_PROGRAM_DIR}, a
# variable of the install script set first thing below.
option(KOTOU_GAMES_LAYOUT "cmake --install puts the programs into games/ instead of bin/" OFF)
if(KOTOU_GAMES_LAYOUT)
  set(KOTOU_PLAIN_PROGRAM_DIR ${KOTOU_INSTALL_GAMESDIR})
else()
  set(KOTOU_PLAIN_PROGRAM_DIR ${CMAKE_INSTALL_BINDIR})
endif()
install(CODE "
  get_property(kotou_role GLOBAL PROPERTY CMAKE_ROLE)
  if(kotou_role STREQUAL \"CPACK\")
    set(KOTOU_PROGRAM_DIR ${KOTOU_INSTALL_GAMESDIR})
  else()
    set(KOTOU_PROGRAM_DIR ${KOTOU_PLAIN_PROGRAM_DIR})
  endif()")

# The programs reach the data and the module by the same relative path from
# either folder.
file(RELATIVE_PATH KOTOU_DATA_FROM_BIN
     ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/kotou)
file(RELATIVE_PATH KOTOU_MODULES_FROM_BIN
     ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${KOTOU_INSTALL_MODULEDIR})
file(RELATIVE_PATH kotou_data_from_games
     ${CMAKE_INSTALL_PREFIX}/${KOTOU_INSTALL_GAMESDIR} ${CMAKE_INSTALL_FULL_DATADIR}/kotou)
if(NOT kotou_data_from_games STREQUAL KOTOU_DATA_FROM_BIN)
  message(FATAL_ERROR "CMAKE_INSTALL_BINDIR (${CMAKE_INSTALL_BINDIR}) must lie as deep "
                      "below the prefix as ${KOTOU_INSTALL_GAMESDIR}/")
endif()

# Installs a program into the programs' folder and lists it for the install
# tests.
function(kotou_install_program target)
  install(TARGETS ${target} RUNTIME DESTINATION "\${KOTOU_PROGRAM_DIR}")
  set_property(GLOBAL APPEND PROPERTY KOTOU_INSTALLED_PROGRAMS ${target})
endfunction()

# Installs a text file made when installing from `source`, with @NAME@
# replaced by the install script's variables (KOTOU_PROGRAM_DIR,
# CMAKE_INSTALL_PREFIX) and by the values given as NAME=VALUE, as
# `destination`/`name`.
function(kotou_install_configured source destination name)
  set(assignments "")
  foreach(pair IN LISTS ARGN)
    string(REGEX MATCH "^([A-Za-z_]+)=(.*)$" _ "${pair}")
    string(APPEND assignments "set(${CMAKE_MATCH_1} [==[${CMAKE_MATCH_2}]==])\n")
  endforeach()
  set(made "${CMAKE_CURRENT_BINARY_DIR}/installed/\${KOTOU_PROGRAM_DIR}/${name}")
  install(CODE "${assignments}configure_file([==[${source}]==] \"${made}\" @ONLY)")
  install(FILES "${made}" DESTINATION ${destination})
endfunction()
