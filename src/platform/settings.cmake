# The settings store on QSettings INI files.
target_sources(vatrimox_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/IniSettingsStore.h
    ${CMAKE_CURRENT_LIST_DIR}/IniSettingsStore.cpp)
