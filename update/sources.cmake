# Files of this folder: CORE_SOURCES (Qt Core and Xml only) or UI_SOURCES (windows).
list(APPEND UI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/UBoot.cpp ${CMAKE_CURRENT_LIST_DIR}/UBoot.h
)
