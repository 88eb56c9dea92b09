# Files of this folder: CORE_SOURCES (Qt Core and Xml only) or UI_SOURCES (windows).
list(APPEND CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/UComon.cpp ${CMAKE_CURRENT_LIST_DIR}/UComon.h
    ${CMAKE_CURRENT_LIST_DIR}/UXmlDoc.cpp ${CMAKE_CURRENT_LIST_DIR}/UXmlDoc.h)
