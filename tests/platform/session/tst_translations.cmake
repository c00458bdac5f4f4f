# Reads the translations the build makes beside the game, and runs lupdate over the
# sources to see that each translation covers them.
add_dependencies(tst_translations tessaly_lrelease)
set_property(TEST tst_translations APPEND PROPERTY ENVIRONMENT "TESSALY_LUPDATE=$<TARGET_FILE:Qt6::lupdate>")
