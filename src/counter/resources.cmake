# The counter's glyph strip, embedded as :/counter/digits.png.
qt_add_resources(tessaly_counter counter_digits PREFIX /counter BASE ${PROJECT_SOURCE_DIR}/assets
  FILES ${PROJECT_SOURCE_DIR}/assets/digits.png)
