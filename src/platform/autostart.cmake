# The XDG autostart adapter.
target_sources(vatrimox_ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/XdgAutostart.cpp)
