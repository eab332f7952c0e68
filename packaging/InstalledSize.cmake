# Run by cpack once it has built the package: declares in Installed-Size what the package installs. CPack
# counts a symbolic link as the whole file it points to and a folder as 4 KiB, so the package declared about
# twice its size (the program once for itself and once for its link in usr/bin). The figure is worked out
# here as dpkg-gencontrol does for Debian's own packages: each file and link in KiB, rounded up, and 1 KiB
# for each folder.

cmake_policy(VERSION 3.25)

foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  if(NOT deb MATCHES "\\.deb$")
    continue()
  endif()
  set(tree "${CPACK_TOPLEVEL_DIRECTORY}/installed-size")
  file(REMOVE_RECURSE "${tree}")
  execute_process(COMMAND dpkg-deb --raw-extract "${deb}" "${tree}" RESULT_VARIABLE result ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "InstalledSize: cannot unpack ${deb}:\n${errors}")
  endif()

  file(GLOB_RECURSE entries LIST_DIRECTORIES true "${tree}/*")
  set(kib 0)
  foreach(entry IN LISTS entries)
    string(FIND "${entry}" "${tree}/DEBIAN" at)
    if(at EQUAL 0)
      continue()
    endif()
    if(IS_SYMLINK "${entry}")
      file(READ_SYMLINK "${entry}" target)
      string(LENGTH "${target}" bytes)
    elseif(IS_DIRECTORY "${entry}")
      math(EXPR kib "${kib} + 1")
      continue()
    else()
      file(SIZE "${entry}" bytes)
    endif()
    math(EXPR kib "${kib} + (${bytes} + 1023) / 1024")
  endforeach()

  set(control "${tree}/DEBIAN/control")
  file(READ "${control}" fields)
  string(REGEX REPLACE "Installed-Size: [0-9]+" "Installed-Size: ${kib}" fields "${fields}")
  file(WRITE "${control}" "${fields}")
  execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip --build "${tree}" "${deb}"
                  RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
  file(REMOVE_RECURSE "${tree}")
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "InstalledSize: cannot build ${deb} again:\n${errors}")
  endif()
  message(STATUS "InstalledSize: ${kib} KiB")
endforeach()
