vm_test(test_periodo ${CMAKE_CURRENT_LIST_DIR}/TestPeriodo.cpp)
include(${CMAKE_SOURCE_DIR}/tools/shots_dialogos.cmake)
