target_sources(velto_gui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/sdolist.cpp ${CMAKE_CURRENT_LIST_DIR}/sdolist.h)
