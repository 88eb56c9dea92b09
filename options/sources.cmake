# Files of this folder: CORE_SOURCES (Qt Core and Xml only) or UI_SOURCES (windows).
list(APPEND CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/UVersion.cpp ${CMAKE_CURRENT_LIST_DIR}/UVersion.h
    ${CMAKE_CURRENT_LIST_DIR}/UHttp_Answer.cpp ${CMAKE_CURRENT_LIST_DIR}/UHttp_Answer.h
    ${CMAKE_CURRENT_LIST_DIR}/ULang_List.cpp ${CMAKE_CURRENT_LIST_DIR}/ULang_List.h
)
list(APPEND UI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/UHttp_Get.cpp
    ${CMAKE_CURRENT_LIST_DIR}/USoftOptions.cpp ${CMAKE_CURRENT_LIST_DIR}/USoftOptions.h
    ${CMAKE_CURRENT_LIST_DIR}/UAbout.cpp ${CMAKE_CURRENT_LIST_DIR}/UAbout.h
    ${CMAKE_CURRENT_LIST_DIR}/UVersion_Check_Main.cpp
)
