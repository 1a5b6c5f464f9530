# The NetworkManager probe against a fake NetworkManager on a private bus (skips without
# dbus-daemon).
add_executable(fake_networkmanager ${CMAKE_CURRENT_LIST_DIR}/FakeNetworkManager.cpp)
target_link_libraries(fake_networkmanager PRIVATE Qt6::DBus)
vm_test(test_networkmanager ${CMAKE_CURRENT_LIST_DIR}/TestNetworkManager.cpp)
target_compile_definitions(test_networkmanager
                           PRIVATE VM_FAKE_NM="$<TARGET_FILE:fake_networkmanager>")
add_dependencies(test_networkmanager fake_networkmanager)
