# The board's artwork, icon and tone clips, embedded. Tone clips are reached as
# :/WAVE/<id>, pictures as :/art/<name>.png, icons as :/icon/<file>.
file(GLOB board_art CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/art/*.png)
file(GLOB board_icons CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/icon/*.png)
file(GLOB board_tones CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/tones/*.wav)
foreach(tone ${board_tones})
  get_filename_component(id ${tone} NAME_WE)
  set_source_files_properties(${tone} PROPERTIES QT_RESOURCE_ALIAS ${id})
endforeach()
qt_add_resources(tessaly_board board_pictures PREFIX / BASE ${PROJECT_SOURCE_DIR}/assets
  FILES ${board_art} ${board_icons})
if(board_tones)
  qt_add_resources(tessaly_board board_tones PREFIX /WAVE FILES ${board_tones})
endif()
