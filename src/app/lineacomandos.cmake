# The command line (precio, informe, comparar); --version prints the project's version.
target_sources(vatrimox_ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/LineaComandos.cpp)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/LineaComandos.cpp PROPERTIES
                            COMPILE_DEFINITIONS VM_VERSION="${PROJECT_VERSION}")
