# Installing the trainer. The program looks for its help beside its executable, so the executable and the
# help collection go into one folder of their own (QUAVIX_INSTALL_APPDIR); on Linux a link in the binary
# folder starts it, and the icon with the desktop entry of packaging/ puts it into the desktop's menus.

install(TARGETS quavix RUNTIME DESTINATION ${QUAVIX_INSTALL_APPDIR})
# The sound module goes beside the executable, where the program looks for it when sound is switched on.
if(TARGET quavix_sound)
  install(TARGETS quavix_sound LIBRARY DESTINATION ${QUAVIX_INSTALL_APPDIR})
endif()
# Built beside the executable by help/.
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/Quavix 2.qch" "${CMAKE_CURRENT_BINARY_DIR}/Quavix 2.qhc"
        DESTINATION ${QUAVIX_INSTALL_APPDIR})
# The compiled translations, in the folder beside the executable that the program reads them from.
install(FILES ${quavix_qm_files} DESTINATION ${QUAVIX_INSTALL_APPDIR}/translations)

if(UNIX AND NOT APPLE)
  # A relative link, so the installed tree can be moved (or staged with DESTDIR) as a whole.
  cmake_path(ABSOLUTE_PATH CMAKE_INSTALL_BINDIR BASE_DIRECTORY /prefix OUTPUT_VARIABLE link_dir)
  cmake_path(ABSOLUTE_PATH QUAVIX_INSTALL_APPDIR BASE_DIRECTORY /prefix OUTPUT_VARIABLE app_dir)
  file(RELATIVE_PATH link_target "${link_dir}" "${app_dir}/quavix")
  file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/install-bin)
  file(CREATE_LINK "${link_target}" ${CMAKE_CURRENT_BINARY_DIR}/install-bin/quavix SYMBOLIC)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/install-bin/quavix DESTINATION ${CMAKE_INSTALL_BINDIR})

  # The icon theme's pictures, drawn from the program's own icon at every size menus and docks ask for,
  # and the scalable one made from the same shapes; named after the application id, as the desktop entry
  # asks for them.
  set(icon_dir ${CMAKE_CURRENT_BINARY_DIR}/icons)
  set(icon_files)
  foreach(size 16 22 24 32 48 64 128 256)
    list(APPEND icon_files ${icon_dir}/${size}x${size}/quavix.png)
    install(FILES ${icon_dir}/${size}x${size}/quavix.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${QUAVIX_APP_ID}.png)
  endforeach()
  list(APPEND icon_files ${icon_dir}/scalable/quavix.svg)
  install(FILES ${icon_dir}/scalable/quavix.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME ${QUAVIX_APP_ID}.svg)
  add_custom_command(
    OUTPUT ${icon_files}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:quavix_icongen> ${icon_dir}
    DEPENDS quavix_icongen
    COMMENT "Drawing the program's icons"
    VERBATIM)
  add_custom_target(quavix_icons ALL DEPENDS ${icon_files})
endif()
