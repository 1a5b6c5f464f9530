# Screenshot tool of the main window's dialogs; built on request only, never run by CTest.
add_executable(shots_dialogos EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/shots_dialogos.cpp)
set_target_properties(shots_dialogos PROPERTIES AUTOMOC ON)
target_link_libraries(shots_dialogos PRIVATE vatrimox_testsupport)
