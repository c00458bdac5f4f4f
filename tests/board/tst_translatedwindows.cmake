# Lays the windows out with each translation the build makes beside the game.
add_dependencies(tst_translatedwindows tessaly_lrelease)
