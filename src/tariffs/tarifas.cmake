# Sources of src/tariffs: the tariff schedule, plans and their files, call pricing, band colours,
# and the re-pricing of a call log under every plan (Qt-free).
target_sources(vatrimox_domain PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Tarifas.cpp
               ${CMAKE_CURRENT_LIST_DIR}/Planes.cpp ${CMAKE_CURRENT_LIST_DIR}/LectorPlanes.cpp
               ${CMAKE_CURRENT_LIST_DIR}/Comparacion.cpp)
