# Call-log file format: record writer, reader and file operations (Qt-free).
target_sources(vatrimox_domain PRIVATE ${CMAKE_CURRENT_LIST_DIR}/ArchivoLlamadas.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextoTarifa.cpp)
