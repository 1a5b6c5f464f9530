# Builds, unpacks and checks the .deb; skips where CPack or dpkg-deb are missing. A sanitizer
# build is never packaged.
if(NOT VATRIMOX_SANITIZE)
    add_test(NAME paquete_deb COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/paquete.sh ${CMAKE_CPACK_COMMAND}
                                      ${CMAKE_BINARY_DIR} ${PROJECT_VERSION})
    set_tests_properties(paquete_deb PROPERTIES TIMEOUT 120)
endif()
