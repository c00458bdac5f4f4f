# Installs the build into a temporary prefix and packages it, so it needs the game
# built and the build folder named; the installed game is started under Xvfb.
tessaly_test_needs_x(tst_install)
set_property(TEST tst_install APPEND PROPERTY ENVIRONMENT TESSALY_BUILD_DIR=${CMAKE_BINARY_DIR})
add_dependencies(tst_install tessaly)
