# One running program per data folder: lock file and local socket (QtNetwork).
find_package(Qt6 REQUIRED COMPONENTS Network)
target_sources(vatrimox_ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/InstanciaUnica.cpp)
target_link_libraries(vatrimox_ui PUBLIC Qt6::Network)
