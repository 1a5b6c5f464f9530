# Sources of src/tariffs: the tariff schedule, call pricing and band colours (Qt-free).
target_sources(vatrimox_domain PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Tarifas.cpp)
