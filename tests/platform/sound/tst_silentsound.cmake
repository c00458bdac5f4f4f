# A sound server that never answers, played by a QLocalServer.
target_link_libraries(tst_silentsound PRIVATE Qt6::Network)
