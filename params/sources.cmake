# Files of this folder: CORE_SOURCES (Qt Core and Xml only) or UI_SOURCES (windows).
list(APPEND CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/UParGen_File.cpp ${CMAKE_CURRENT_LIST_DIR}/UParGen_File.h
    ${CMAKE_CURRENT_LIST_DIR}/UParGen_Check.cpp ${CMAKE_CURRENT_LIST_DIR}/UParGen_Check.h
)
list(APPEND UI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/UParGen.cpp ${CMAKE_CURRENT_LIST_DIR}/UParGen.h
)
