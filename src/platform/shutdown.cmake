# Shutdown requests from signals (SIGTERM, SIGINT, SIGHUP) delivered on the UI thread.
target_sources(vatrimox_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ShutdownSignals.cpp)
