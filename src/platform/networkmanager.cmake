# The connection probe on NetworkManager over D-Bus (QtDBus).
find_package(Qt6 REQUIRED COMPONENTS DBus)
target_sources(vatrimox_ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/NetworkManagerProbe.cpp)
target_link_libraries(vatrimox_ui PUBLIC Qt6::DBus)
