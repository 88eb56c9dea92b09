# Files of this folder: CORE_SOURCES (Qt Core and Xml only) or UI_SOURCES (windows).
list(APPEND CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/UProject_Folders.cpp ${CMAKE_CURRENT_LIST_DIR}/UProject_Folders.h
)
list(APPEND UI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/UProject_Button_Panel.cpp ${CMAKE_CURRENT_LIST_DIR}/UProject_Button_Panel.h
    ${CMAKE_CURRENT_LIST_DIR}/UNew_Project.cpp ${CMAKE_CURRENT_LIST_DIR}/UNew_Project.h
    ${CMAKE_CURRENT_LIST_DIR}/UOpenConf.cpp ${CMAKE_CURRENT_LIST_DIR}/UOpenConf.h
)
