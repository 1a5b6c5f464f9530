vm_test(test_instancia ${CMAKE_CURRENT_LIST_DIR}/TestInstancia.cpp)
