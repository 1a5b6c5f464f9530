vm_test(test_opciones ${CMAKE_CURRENT_LIST_DIR}/TestOpciones.cpp)
