# Texts of the table of a call log re-priced under every plan (Qt-free).
target_sources(vatrimox_domain PRIVATE ${CMAKE_CURRENT_LIST_DIR}/TextosComparacion.cpp)
