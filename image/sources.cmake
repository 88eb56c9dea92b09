# Files of this folder: CORE_SOURCES (Qt Core and Xml only) or UI_SOURCES (windows).
list(APPEND CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/UImage_Record.cpp ${CMAKE_CURRENT_LIST_DIR}/UImage_Record.h
    ${CMAKE_CURRENT_LIST_DIR}/USaveBincc.cpp ${CMAKE_CURRENT_LIST_DIR}/USaveBincc.h)
