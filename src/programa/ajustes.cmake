# Settings schema, program state and first-run defaults (Qt-free).
target_sources(vatrimox_domain PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Ajustes.cpp)
