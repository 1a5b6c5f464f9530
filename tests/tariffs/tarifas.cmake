# Tests of the tariff schedule, call pricing and band colours.
vm_test(test_tarifas ${CMAKE_CURRENT_LIST_DIR}/TestTarifas.cpp)
