# Lays the windows out with the German translation the build makes beside the game.
add_dependencies(tst_translatedwindows tessaly_lrelease)
