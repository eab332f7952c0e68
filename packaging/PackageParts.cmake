# What each part of the program adds to the Debian package's relationships. The package is built from
# whatever the install rules install, and dpkg-shlibdeps works out the libraries the installed binaries
# link to, so a part only declares here what no tool can see:
#
#   quavix_package_depends(<package>...)
#       Debian packages the program cannot work without but loads at run time, where dpkg-shlibdeps does
#       not look: Qt plugins (platform, SQL drivers) and the like.
#   quavix_package_recommends(<package>...)
#       Debian packages an optional part uses when they are there (a SoundFont, say); the program runs
#       without them.
#   quavix_package_optional_module(<target>...)
#       MODULE libraries the program loads when it needs them and does without when they fail to load.
#       The libraries such a module links to become recommends instead of depends, so that a user who
#       never asks for it does not have to install them.
#
# Call them next to the target or install rule they belong to; packaging/Package.cmake collects them.

# Who answers for the package: its control file and its changelog name them.
set(QUAVIX_PACKAGE_MAINTAINER "Quavix developers <quavix@tonewright.example>")

function(quavix_package_depends)
  set_property(GLOBAL APPEND PROPERTY QUAVIX_PACKAGE_DEPENDS ${ARGN})
endfunction()

function(quavix_package_recommends)
  set_property(GLOBAL APPEND PROPERTY QUAVIX_PACKAGE_RECOMMENDS ${ARGN})
endfunction()

function(quavix_package_optional_module)
  set_property(GLOBAL APPEND PROPERTY QUAVIX_PACKAGE_OPTIONAL_MODULES ${ARGN})
endfunction()
