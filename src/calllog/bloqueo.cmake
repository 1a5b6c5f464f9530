# Advisory lock shared by the call-log append and the window's rewrite (Qt-free).
target_sources(vatrimox_domain PRIVATE ${CMAKE_CURRENT_LIST_DIR}/BloqueoLlamadas.cpp)
