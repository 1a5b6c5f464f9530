# Sources of the period's budget: spent, projection and colour state (Qt-free).
target_sources(vatrimox_domain PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Presupuesto.cpp)
