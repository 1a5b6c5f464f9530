# The XDG autostart adapter.
target_sources(vatrimox_ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/XdgAutostart.cpp)
# Where the installed binary finds the installed menu entry, whatever the install prefix.
file(RELATIVE_PATH VM_APLICACIONES ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/applications)
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/XdgAutostart.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             VM_APLICACIONES="${VM_APLICACIONES}")
