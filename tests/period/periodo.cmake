vm_test(test_periodo ${CMAKE_CURRENT_LIST_DIR}/TestPeriodo.cpp)
