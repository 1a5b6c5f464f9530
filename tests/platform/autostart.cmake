vm_test(test_autostart ${CMAKE_CURRENT_LIST_DIR}/TestAutostart.cpp)
