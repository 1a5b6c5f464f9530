# Tests of tariff plans: files, closed-form pricing, the shipped examples, the what-if table.
vm_test(test_planes ${CMAKE_CURRENT_LIST_DIR}/TestPlanes.cpp)
target_compile_definitions(test_planes PRIVATE VM_DOCS="${CMAKE_SOURCE_DIR}/docs")
