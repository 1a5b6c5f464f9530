# Sample-log generator and screenshots of the call-log window and its listing; built on request
# only, never run by CTest.
add_executable(shots_llamadas EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/shots_llamadas.cpp)
target_link_libraries(shots_llamadas PRIVATE vatrimox_testsupport)
