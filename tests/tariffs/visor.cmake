vm_test(test_visor ${CMAKE_CURRENT_LIST_DIR}/TestVisor.cpp)
