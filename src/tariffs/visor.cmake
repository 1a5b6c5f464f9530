# Sources of the tariff viewer: its rows (domain) and the Form8 dialog (UI).
target_sources(vatrimox_domain PRIVATE ${CMAKE_CURRENT_LIST_DIR}/VisorTarifasFilas.cpp)
target_sources(vatrimox_ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/VisorTarifas.cpp)
