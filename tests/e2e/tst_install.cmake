# Installs the build into a temporary prefix, builds the Debian package with
# dpkg-buildpackage, installs and purges it, and starts both installed games under
# Xvfb, so it needs the game built and the build folder named. It runs alone: the
# package build takes both cores, which would starve the tests that time tones.
tessaly_test_needs_x(tst_install)
# Qt Test's own watchdog would stop a test function after five minutes: the first to
# need the package builds it.
set_property(TEST tst_install APPEND PROPERTY ENVIRONMENT TESSALY_BUILD_DIR=${CMAKE_BINARY_DIR} QTEST_FUNCTION_TIMEOUT=1500000)
set_tests_properties(tst_install PROPERTIES TIMEOUT 1800 RUN_SERIAL TRUE)
add_dependencies(tst_install tessaly)
