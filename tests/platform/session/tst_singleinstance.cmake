# The test asks with QLocalSocket, which must understand the game's own listener.
target_link_libraries(tst_singleinstance PRIVATE Qt6::Network)
