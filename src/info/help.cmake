# The help files live beside the game binary, in the build folder and when
# installed (packaging/install.cmake): Tessaly.hlp in English and
# Tessaly_<language>.hlp for each translation; the game picks the one of its
# language next to its own executable.
file(GLOB tessaly_help_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/help/Tessaly*.hlp)
get_target_property(tessaly_output_dir tessaly RUNTIME_OUTPUT_DIRECTORY)
if(NOT tessaly_output_dir)
  set(tessaly_output_dir ${CMAKE_CURRENT_BINARY_DIR})
endif()

set(tessaly_help_copies)
foreach(source ${tessaly_help_sources})
  get_filename_component(name ${source} NAME)
  add_custom_command(OUTPUT ${tessaly_output_dir}/${name}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${tessaly_output_dir}/${name}
    DEPENDS ${source}
    COMMENT "Copying ${name} beside the game"
    VERBATIM)
  list(APPEND tessaly_help_copies ${tessaly_output_dir}/${name})
endforeach()
add_custom_target(tessaly_help ALL DEPENDS ${tessaly_help_copies})
add_dependencies(tessaly tessaly_help)
