# Builds the package of tests/packaging/shlibdeps and checks its relationships: the libraries the program
# links to are depends, those only its optional module links to are recommends, and the declared packages
# join them; and that the size it declares is what it installs. cmake -DGENERATOR=<generator> -DWORK=<folder> -P ShlibDepsTest.cmake
cmake_policy(VERSION 3.25)

find_program(SHLIBDEPS dpkg-shlibdeps)
if(NOT SHLIBDEPS)
  message("dpkg-shlibdeps not installed: packaging test skipped")
  return()
endif()

function(run)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY "${WORK}" OUTPUT_VARIABLE out ERROR_VARIABLE out
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed:\n${out}")
  endif()
endfunction()

# The build folder is kept from one run to the next, as any build folder: CMake configures and builds again
# what changed (the packaging code included), and the package, with its relationships, is made anew each
# time.
file(GLOB old "${WORK}/quavix_*.deb")
if(old)
  file(REMOVE ${old})
endif()
file(MAKE_DIRECTORY "${WORK}")
run(${CMAKE_COMMAND} -S ${CMAKE_CURRENT_LIST_DIR}/shlibdeps -B "${WORK}" -G "${GENERATOR}"
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr)
run(${CMAKE_COMMAND} --build "${WORK}")
run(${CMAKE_CPACK_COMMAND} -G DEB)
file(GLOB debs "${WORK}/quavix_1.2.3_*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one package, found: ${debs}")
endif()

function(field name output)
  execute_process(COMMAND dpkg-deb -f "${debs}" ${name} OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE)
  string(REGEX REPLACE " \\([^)]*\\)" "" value "${value}") # versions aside
  string(REPLACE ", " ";" value "${value}")
  set(${output} "${value}" PARENT_SCOPE)
endfunction()
field(Depends depends)
field(Recommends recommends)
message(STATUS "Depends: ${depends}\nRecommends: ${recommends}")

set(errors)
foreach(package libqt6core6 libc6 declared-depends)
  if(NOT package IN_LIST depends)
    list(APPEND errors "${package} is not in Depends")
  endif()
endforeach()
foreach(package libasound2 declared-recommends-1 declared-recommends-2)
  if(NOT package IN_LIST recommends)
    list(APPEND errors "${package} is not in Recommends")
  endif()
endforeach()
# What the program needs itself is not merely recommended, and the module's own library is not required.
foreach(package libqt6core6 libc6)
  if(package IN_LIST recommends)
    list(APPEND errors "${package} is in Recommends as well as in Depends")
  endif()
endforeach()
if(libasound2 IN_LIST depends)
  list(APPEND errors "libasound2, which only the optional module uses, is in Depends")
endif()

# The declared size is what the package installs: at least its files' bytes in KiB, and no more than a KiB
# besides for each file, link and folder (a link counted as the file it points to would add 200 KiB).
execute_process(COMMAND dpkg-deb -f "${debs}" Installed-Size OUTPUT_VARIABLE declared
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(tree "${WORK}/installed")
run(dpkg-deb -x "${debs}" "${tree}")
file(GLOB_RECURSE entries LIST_DIRECTORIES true "${tree}/*")
set(bytes 0)
list(LENGTH entries count)
foreach(entry IN LISTS entries)
  if(NOT IS_SYMLINK "${entry}" AND NOT IS_DIRECTORY "${entry}")
    file(SIZE "${entry}" size)
    math(EXPR bytes "${bytes} + ${size}")
  endif()
endforeach()
math(EXPR least "(${bytes} + 1023) / 1024")
math(EXPR most "${least} + ${count}")
message(STATUS "Installed-Size: ${declared} KiB for ${bytes} bytes in ${count} entries")
if(declared LESS least OR declared GREATER most)
  list(APPEND errors "Installed-Size ${declared} KiB, but the package holds ${least} KiB in ${count} entries")
endif()

if(errors)
  list(JOIN errors "\n" errors)
  message(FATAL_ERROR "${errors}")
endif()
