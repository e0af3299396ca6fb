# The link pages and the communication mode page (widgets), and their widget-free helpers.
target_sources(velto_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/canrates.cpp
  ${CMAKE_CURRENT_LIST_DIR}/serialports.cpp)
target_sources(velto_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/linkpagecommon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commrs232.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commcan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commmode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commpages.cpp)
