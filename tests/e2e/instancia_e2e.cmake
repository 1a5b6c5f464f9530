# End-to-end run under Xvfb of a second start and of a tray host that starts late.
add_test(NAME e2e_instancia COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/instancia.sh $<TARGET_FILE:vatrimox>)
set_tests_properties(e2e_instancia PROPERTIES TIMEOUT 90)
