# Tests of the meter, start-up and the main window; the end-to-end run takes the screenshots.
vm_test(test_medidor ${CMAKE_CURRENT_LIST_DIR}/TestMedidor.cpp)
vm_test(test_mainwindow ${CMAKE_CURRENT_LIST_DIR}/TestMainWindow.cpp)
