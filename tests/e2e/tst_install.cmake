# Installs the build into a temporary prefix and starts the installed game, so it
# needs the build folder named.
set_property(TEST tst_install APPEND PROPERTY ENVIRONMENT TESSALY_BUILD_DIR=${CMAKE_BINARY_DIR})

# The Debian package part of the same test, for `make package-test` (label "package"):
# it builds the package with dpkg-buildpackage, which takes minutes, so Qt Test's own
# five-minute watchdog gets more room.
get_test_property(tst_install ENVIRONMENT tst_install_environment)
add_test(NAME tst_install_package COMMAND tst_install)
set_tests_properties(tst_install_package PROPERTIES
  ENVIRONMENT "${tst_install_environment};TESSALY_PACKAGE_TEST=1;QTEST_FUNCTION_TIMEOUT=1500000"
  FIXTURES_REQUIRED "xvfb;pulse" RESOURCE_LOCK "display;sound" LABELS package TIMEOUT 1800)
