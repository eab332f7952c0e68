# Run by cpack once the package's files are staged: asks dpkg-shlibdeps which Debian packages provide the
# libraries the staged binaries link to. Those of the program go into Depends; those that only the optional
# modules (quavix_package_optional_module) link to go into Recommends, since the program runs without the
# modules. The packages declared with quavix_package_depends and quavix_package_recommends join them.

cmake_policy(VERSION 3.25)

set(root "${CPACK_TEMPORARY_DIRECTORY}")
file(STRINGS "${CPACK_QUAVIX_OPTIONAL_MODULES_FILE}" optional_modules)

file(GLOB_RECURSE staged LIST_DIRECTORIES false "${root}/*")
set(required_binaries)
set(optional_binaries)
foreach(file IN LISTS staged)
  if(IS_SYMLINK "${file}")
    continue()
  endif()
  file(READ "${file}" magic LIMIT 4 HEX)
  if(NOT magic STREQUAL "7f454c46") # not an ELF file
    continue()
  endif()
  get_filename_component(name "${file}" NAME)
  if(name IN_LIST optional_modules)
    list(APPEND optional_binaries "-e${file}")
  else()
    list(APPEND required_binaries "-e${file}")
  endif()
endforeach()
if(NOT required_binaries)
  message(FATAL_ERROR "ShlibDeps: no program found among the staged files in ${root}")
endif()

# dpkg-shlibdeps wants to run in a source tree; an empty control file is all it reads there.
set(work "${CPACK_TOPLEVEL_DIRECTORY}/shlibdeps")
file(REMOVE_RECURSE "${work}")
file(WRITE "${work}/debian/control" "")
set(recommended)
if(optional_binaries)
  set(recommended -dRecommends ${optional_binaries})
endif()
execute_process(
  COMMAND dpkg-shlibdeps -O -dDepends ${required_binaries} ${recommended}
  WORKING_DIRECTORY "${work}"
  OUTPUT_VARIABLE substvars
  ERROR_VARIABLE errors
  RESULT_VARIABLE result)
file(REMOVE_RECURSE "${work}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "ShlibDeps: dpkg-shlibdeps failed:\n${errors}")
endif()

# One "shlibs:<Field>=a, b (>= 1)" line per field; dpkg-shlibdeps already leaves out of Recommends what
# Depends has.
foreach(field Depends Recommends)
  string(TOUPPER "${field}" upper)
  set(found)
  if(substvars MATCHES "shlibs:${field}=([^\n]*)")
    set(found "${CMAKE_MATCH_1}")
  endif()
  set(declared "${CPACK_QUAVIX_${upper}}")
  list(JOIN declared ", " declared)
  set(all "${found}")
  if(all AND declared)
    string(APPEND all ", ")
  endif()
  string(APPEND all "${declared}")
  set(CPACK_DEBIAN_PACKAGE_${upper} "${all}")
  message(STATUS "ShlibDeps: ${field}: ${all}")
endforeach()
