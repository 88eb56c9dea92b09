# Files of this folder: CORE_SOURCES (Qt Core and Xml only) or UI_SOURCES (windows).
list(APPEND CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ULang.cpp ${CMAKE_CURRENT_LIST_DIR}/ULang.h
    ${CMAKE_CURRENT_LIST_DIR}/UDefault_Strings.cpp)
