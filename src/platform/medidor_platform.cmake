# The meter's adapters: connection probe on getifaddrs, sound player on QSoundEffect.
target_sources(vatrimox_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/PppProbe.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QtSoundPlayer.cpp)
