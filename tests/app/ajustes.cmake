vm_test(test_ajustes ${CMAKE_CURRENT_LIST_DIR}/TestAjustes.cpp)
