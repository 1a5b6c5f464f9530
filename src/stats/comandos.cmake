# Statistics commands, chart painting and chart panels of the call-log window.
target_sources(vatrimox_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ComandosEstadistica.h
    ${CMAKE_CURRENT_LIST_DIR}/ComandosEstadistica.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PintarGraficos.h
    ${CMAKE_CURRENT_LIST_DIR}/PintarGraficos.cpp)
