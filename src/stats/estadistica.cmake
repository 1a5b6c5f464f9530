# Sources of src/stats: estimates, totals by band and chart data (Qt-free).
target_sources(vatrimox_domain PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Estimaciones.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TotalesFranja.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DatosGraficos.cpp)
