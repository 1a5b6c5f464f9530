vm_test(test_core core/TestCore.cpp)
