# Call-log window: totals, cell edits, rewrite rule and listing layout (domain); window, model
# and printing (UI).
target_sources(vatrimox_domain PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Totales.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EdicionCelda.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Reescritura.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DisenoListado.cpp)
target_sources(vatrimox_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/FormatoLocal.cpp
    ${CMAKE_CURRENT_LIST_DIR}/IconosBarra.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Listado.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ModeloLlamadas.h
    ${CMAKE_CURRENT_LIST_DIR}/ModeloLlamadas.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VentanaLlamadas.h
    ${CMAKE_CURRENT_LIST_DIR}/VentanaLlamadas.cpp)
