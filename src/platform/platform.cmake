# Sources of src/platform: adapters on Qt and POSIX.
target_sources(vatrimox_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Clock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Prompts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Rutas.cpp)
