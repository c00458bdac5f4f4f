# The same round heard through PipeWire, where it is installed.
if(TESSALY_PIPEWIRE_DIR)
  add_test(NAME tst_game_sound_pipewire COMMAND tst_game_sound_e2e twoRoundsAreHeardInTheOrderOfTheLights)
  get_test_property(tst_game_sound_e2e ENVIRONMENT environment)
  list(FILTER environment EXCLUDE REGEX "^PULSE_")
  set_tests_properties(tst_game_sound_pipewire PROPERTIES
    TIMEOUT 300 LABELS system RESOURCE_LOCK "display;sound" FIXTURES_REQUIRED "xvfb;pipewire"
    ENVIRONMENT "${environment};${TESSALY_PIPEWIRE_ENV}")
endif()
