# The game's translations, one tessaly_<language>.ts each. `cmake --build build
# --target update_translations` brings them in line with the sources (lupdate);
# every build turns them into .qm files in translations/ beside the game, where it
# looks for them in the build folder and when installed (packaging/install.cmake).
set(tessaly_ts_files ${CMAKE_CURRENT_LIST_DIR}/tessaly_de.ts ${CMAKE_CURRENT_LIST_DIR}/tessaly_es.ts
                      ${CMAKE_CURRENT_LIST_DIR}/tessaly_fr.ts)
set(tessaly_qm_dir ${CMAKE_BINARY_DIR}/translations)
set_source_files_properties(${tessaly_ts_files} PROPERTIES OUTPUT_LOCATION ${tessaly_qm_dir})
file(GLOB_RECURSE tessaly_translatable CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.cpp
                                                         ${PROJECT_SOURCE_DIR}/src/*.h)
# No line numbers in the .ts files, so that an edit elsewhere in a source leaves them
# unchanged; texts no source uses any more are dropped.
qt_add_translations(tessaly
  TS_FILES ${tessaly_ts_files}
  SOURCES ${tessaly_translatable}
  INCLUDE_DIRECTORIES ${PROJECT_SOURCE_DIR}/src
  LUPDATE_OPTIONS -no-obsolete -locations none
  QM_FILES_OUTPUT_VARIABLE tessaly_qm_files)
