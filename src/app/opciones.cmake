# Sources of the options: its values (domain) and the Form3 dialog (UI).
target_sources(vatrimox_domain PRIVATE ${CMAKE_CURRENT_LIST_DIR}/OpcionesModelo.cpp)
target_sources(vatrimox_ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/OpcionesDialog.cpp)
