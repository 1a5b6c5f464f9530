# The "¿Qué tarifa me conviene?" table of the call-log window (UI).
target_sources(vatrimox_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ComparacionDialog.h
    ${CMAKE_CURRENT_LIST_DIR}/ComparacionDialog.cpp)
