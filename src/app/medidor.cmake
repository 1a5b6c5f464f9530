# The meter, start-up and rollover (Qt-free), and the main window with its tray icon and sounds.
target_sources(vatrimox_domain PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Medidor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Arranque.cpp)
target_sources(vatrimox_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AcercaDe.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CSSound.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Icono.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainWindow.cpp)
