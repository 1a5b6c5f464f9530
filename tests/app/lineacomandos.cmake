# The command line, run as the real program.
vm_test(test_linea_comandos ${CMAKE_CURRENT_LIST_DIR}/TestLineaComandos.cpp)
target_compile_definitions(test_linea_comandos PRIVATE VM_BINARIO="$<TARGET_FILE:vatrimox>")
add_dependencies(test_linea_comandos vatrimox)
