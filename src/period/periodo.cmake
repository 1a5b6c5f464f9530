# Sources of src/period: the calendar model (domain) and the Form10 dialog (UI).
target_sources(vatrimox_domain PRIVATE ${CMAKE_CURRENT_LIST_DIR}/CalendarioPeriodo.cpp)
target_sources(vatrimox_ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/PeriodoDialog.cpp)
