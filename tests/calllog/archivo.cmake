vm_test(test_archivo ${CMAKE_CURRENT_LIST_DIR}/TestArchivo.cpp)
