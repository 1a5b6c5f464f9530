# Sources of src/core: money, dates, number formats and the settings interface (all Qt-free).
target_sources(vatrimox_domain PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Moneda.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Fecha.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Formato.cpp)
