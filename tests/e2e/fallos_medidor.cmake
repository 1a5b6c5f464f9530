# End-to-end faults of the meter: clock changes in mid-call and SIGTERM; skips without tools.
add_test(NAME e2e_fallos_medidor COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/fallos_medidor.sh
         $<TARGET_FILE:vatrimox>)
set_tests_properties(e2e_fallos_medidor PROPERTIES TIMEOUT 90
                     ENVIRONMENT "ASAN_OPTIONS=verify_asan_link_order=0")
