# Screenshot tool of the call-log window's charts; built on request only, never run by CTest.
add_executable(shots_graficos EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/shots_graficos.cpp)
set_target_properties(shots_graficos PROPERTIES AUTOMOC ON)
target_link_libraries(shots_graficos PRIVATE vatrimox_testsupport)
