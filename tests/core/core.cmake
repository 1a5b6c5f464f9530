vm_test(test_core ${CMAKE_CURRENT_LIST_DIR}/TestCore.cpp)
