# Tests of the call-log window: domain rules, the window itself, the printed listing.
vm_test(test_dominio_ventana ${CMAKE_CURRENT_LIST_DIR}/TestDominioVentana.cpp)
vm_test(test_ventana_llamadas ${CMAKE_CURRENT_LIST_DIR}/TestVentanaLlamadas.cpp)
vm_test(test_listado ${CMAKE_CURRENT_LIST_DIR}/TestListado.cpp)
include(${CMAKE_SOURCE_DIR}/tools/shots_llamadas.cmake)
