# The help file lives beside the game binary, in the build folder and when
# installed (packaging/install.cmake); the game finds it next to its own executable.
set(tessaly_help_source ${PROJECT_SOURCE_DIR}/assets/help/Tessaly.hlp)
get_target_property(tessaly_output_dir tessaly RUNTIME_OUTPUT_DIRECTORY)
if(NOT tessaly_output_dir)
  set(tessaly_output_dir ${CMAKE_CURRENT_BINARY_DIR})
endif()
set(tessaly_help_copy ${tessaly_output_dir}/Tessaly.hlp)

add_custom_command(OUTPUT ${tessaly_help_copy}
  COMMAND ${CMAKE_COMMAND} -E copy ${tessaly_help_source} ${tessaly_help_copy}
  DEPENDS ${tessaly_help_source}
  COMMENT "Copying Tessaly.hlp beside the game"
  VERBATIM)
add_custom_target(tessaly_help ALL DEPENDS ${tessaly_help_copy})
add_dependencies(tessaly tessaly_help)
