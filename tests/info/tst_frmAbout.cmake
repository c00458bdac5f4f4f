# The description must fit its label at the scale factors players use too.
foreach(scale 1.5 2)
  add_test(NAME tst_frmAbout_scale${scale} COMMAND tst_frmAbout descriptionFitsOneLineOfItsLabel)
  set_tests_properties(tst_frmAbout_scale${scale} PROPERTIES
    TIMEOUT 300
    LABELS unit
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=${scale};XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/config-tst_frmAbout")
endforeach()
