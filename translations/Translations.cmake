# The languages the trainer speaks besides English, the language it is written in: one Qt Linguist source
# each, translations/quavix_<language>.ts. Included by src/app once every room's library exists.
set(QUAVIX_LANGUAGES de fr es it)
set(QUAVIX_LANGUAGES ${QUAVIX_LANGUAGES} PARENT_SCOPE) # for the help, which has a folder for each

find_package(Qt6 REQUIRED COMPONENTS LinguistTools)

set(quavix_ts_files)
foreach(language IN LISTS QUAVIX_LANGUAGES)
  list(APPEND quavix_ts_files ${PROJECT_SOURCE_DIR}/translations/quavix_${language}.ts)
endforeach()

# Compiled beside the executable, where the program looks for them, in the build tree as once installed.
set(QUAVIX_TRANSLATIONS_DIR ${CMAKE_CURRENT_BINARY_DIR}/translations)
set(QUAVIX_TRANSLATIONS_DIR ${QUAVIX_TRANSLATIONS_DIR} PARENT_SCOPE) # for the tests
set_source_files_properties(${quavix_ts_files} PROPERTIES OUTPUT_LOCATION ${QUAVIX_TRANSLATIONS_DIR})
qt_add_lrelease(quavix TS_FILES ${quavix_ts_files} QM_FILES_OUTPUT_VARIABLE quavix_qm_files
                OPTIONS -silent)

# `cmake --build build/dev --target quavix_lupdate` brings every source up to date with the program's texts,
# read from the libraries of the window and of every room.
set(quavix_text_sources)
foreach(target quavix_app quavix_views quavix_sound_client quavix_midi quavix_progress)
  get_target_property(folder ${target} SOURCE_DIR)
  get_target_property(files ${target} SOURCES)
  foreach(file IN LISTS files)
    cmake_path(ABSOLUTE_PATH file BASE_DIRECTORY ${folder})
    list(APPEND quavix_text_sources ${file})
  endforeach()
endforeach()
qt_add_lupdate(quavix TS_FILES ${quavix_ts_files} SOURCES ${quavix_text_sources}
               OPTIONS -no-obsolete -locations relative)

# Qt's own words (Yes, No, Cancel; Umschalt+F1 rather than Shift+F1 in the menus) come from Qt's
# translations; the program runs without them, its buttons and shortcuts then in English.
quavix_package_recommends(qt6-translations-l10n)
