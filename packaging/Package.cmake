# The Debian package, built by CPack from whatever the install rules install: `cpack -G DEB` in a build
# configured with CMAKE_INSTALL_PREFIX=/usr (scripts/package.sh does both, and checks the result).
#
# CPack rather than a debian/ folder: the package takes its version straight from project(), its files from
# the install rules the rest of the build already keeps, and it is built out of the build folder by one
# command, with no second list of files, no debian/changelog to keep in step with the version, and nothing
# in the way of a distribution's own debian/ packaging.

if(NOT (UNIX AND NOT APPLE))
  return()
endif()

if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  message(STATUS "Debian package: configure with -DCMAKE_INSTALL_PREFIX=/usr, so that the paths the "
                 "manual page names are those the package installs to")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quavix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tonewright Software")
set(CPACK_PACKAGE_CONTACT "${QUAVIX_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "trainer for reading music notes on the staff")
# Lines of at most 80 characters, as package managers show them; an empty line starts a paragraph.
set(CPACK_PACKAGE_DESCRIPTION [[
Quavix is a flash-card trainer for reading music. It shows one note at a
time on a staff (treble, bass, or both staves of a grand staff), and the
user names it before a countdown runs out: with the letter buttons A to G,
on a piano keyboard, on a guitar fretboard, or by typing its letter.

Twenty notes make a quiz, and quicker answers score more points. A wrong
answer is explained beside the note before the quiz moves on. Twelve levels
each add notes to those a quiz asks, and help on every part of the window
is a key press away.

A MIDI keyboard answers too. With sound switched on (FluidSynth and a
General MIDI SoundFont, which are recommended) the notes sound as they
appear. The results show which notes were the trouble, and weak notes can
be asked more often; progress is kept between runs only on request.
]])
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.tonewright.example/quavix/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Whatever the umask of the machine that builds it.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# dpkg-shlibdeps works out the depends from the staged binaries; ShlibDeps.cmake runs it rather than CPack,
# so that the libraries of optional modules become recommends (CPack puts every library into depends).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/ShlibDeps.cmake)
# The installed size as Debian counts it, which CPack gets wrong for links and folders.
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/InstalledSize.cmake)
get_property(CPACK_QUAVIX_DEPENDS GLOBAL PROPERTY QUAVIX_PACKAGE_DEPENDS)
get_property(CPACK_QUAVIX_RECOMMENDS GLOBAL PROPERTY QUAVIX_PACKAGE_RECOMMENDS)
get_property(optional_modules GLOBAL PROPERTY QUAVIX_PACKAGE_OPTIONAL_MODULES)
list(REMOVE_DUPLICATES CPACK_QUAVIX_DEPENDS)
list(REMOVE_DUPLICATES CPACK_QUAVIX_RECOMMENDS)
# The modules' file names are known only when the build is generated.
set(module_names)
foreach(module IN LISTS optional_modules)
  list(APPEND module_names "$<TARGET_FILE_NAME:${module}>")
endforeach()
set(CPACK_QUAVIX_OPTIONAL_MODULES_FILE ${CMAKE_BINARY_DIR}/packaging/OptionalModules.txt)
file(GENERATE OUTPUT ${CPACK_QUAVIX_OPTIONAL_MODULES_FILE} CONTENT "$<JOIN:${module_names},\n>\n")

include(CPack)
