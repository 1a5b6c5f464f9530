# Tests of the call statistics and charts; the screenshot tool of the charts.
vm_test(test_estadistica ${CMAKE_CURRENT_LIST_DIR}/TestEstadistica.cpp)
vm_test(test_graficos ${CMAKE_CURRENT_LIST_DIR}/TestGraficos.cpp)
include(${CMAKE_SOURCE_DIR}/tools/shots_graficos.cmake)
