# End-to-end run of the real program under Xvfb; skips where the tools are missing.
add_test(NAME e2e_capturas COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/capturas.sh $<TARGET_FILE:vatrimox>
         ${CMAKE_BINARY_DIR}/capturas)
# faketime is preloaded ahead of the sanitizer runtime, which is harmless for this check.
set_tests_properties(e2e_capturas PROPERTIES TIMEOUT 60
                     ENVIRONMENT "ASAN_OPTIONS=verify_asan_link_order=0")
