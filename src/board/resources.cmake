# The board's artwork, icon and tone clips, embedded. Tone clips are reached as
# :/WAVE/<id>, pictures as :/art/<name>.rgb32, icons as :/icon/<file>.
file(GLOB board_art CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/art/*.png)
file(GLOB board_icons CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/icon/*.png)
file(GLOB board_tones CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/tones/*.wav)
foreach(tone ${board_tones})
  get_filename_component(id ${tone} NAME_WE)
  set_source_files_properties(${tone} PROPERTIES QT_RESOURCE_ALIAS ${id})
endforeach()
qt_add_resources(tessaly_board board_icons PREFIX / BASE ${PROJECT_SOURCE_DIR}/assets
  FILES ${board_icons})
# The pictures as raw pixels made from the PNGs (tools/raw_art), stored
# uncompressed, so start-up uses them in place with nothing to decode.
set(board_raw_art)
foreach(picture ${board_art})
  get_filename_component(picture_name ${picture} NAME_WE)
  list(APPEND board_raw_art ${CMAKE_CURRENT_BINARY_DIR}/art/${picture_name}.rgb32)
endforeach()
add_custom_command(OUTPUT ${board_raw_art}
  COMMAND raw_art ${CMAKE_CURRENT_BINARY_DIR}/art ${board_art}
  DEPENDS raw_art ${board_art}
  COMMENT "Raw pixels of the board's pictures")
qt_add_resources(tessaly_board board_pictures PREFIX /art BASE ${CMAKE_CURRENT_BINARY_DIR}/art
  FILES ${board_raw_art} OPTIONS --no-compress)
if(board_tones)
  qt_add_resources(tessaly_board board_tones PREFIX /WAVE FILES ${board_tones})
endif()
