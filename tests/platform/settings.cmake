vm_test(test_ini_settings ${CMAKE_CURRENT_LIST_DIR}/TestIniSettings.cpp)
