# The main window's budget check (Qt-free).
target_sources(vatrimox_domain PRIVATE ${CMAKE_CURRENT_LIST_DIR}/AvisoPresupuesto.cpp)
