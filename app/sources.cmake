# Files of this folder: CORE_SOURCES (Qt Core and Xml only) or UI_SOURCES (windows).
list(APPEND CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/USettings.cpp ${CMAKE_CURRENT_LIST_DIR}/USettings.h)
list(APPEND UI_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/UPlatform.cpp ${CMAKE_CURRENT_LIST_DIR}/UPlatform.h
    ${CMAKE_CURRENT_LIST_DIR}/UWidgets.cpp ${CMAKE_CURRENT_LIST_DIR}/UWidgets.h
    ${CMAKE_CURRENT_LIST_DIR}/UClickable.cpp ${CMAKE_CURRENT_LIST_DIR}/UClickable.h
    ${CMAKE_CURRENT_LIST_DIR}/UVelmoraeFirmWare.cpp ${CMAKE_CURRENT_LIST_DIR}/UVelmoraeFirmWare.h
    ${CMAKE_CURRENT_LIST_DIR}/UCreate_Windows.cpp ${CMAKE_CURRENT_LIST_DIR}/UCreate_Windows.h
    ${CMAKE_CURRENT_LIST_DIR}/UInput_Blocker.cpp ${CMAKE_CURRENT_LIST_DIR}/UInput_Blocker.h
    ${CMAKE_CURRENT_LIST_DIR}/URunner.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UProcess.cpp ${CMAKE_CURRENT_LIST_DIR}/UProcess.h
    ${CMAKE_CURRENT_LIST_DIR}/UPlatform_Device.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UUpdate_Device.cpp
    ${CMAKE_CURRENT_LIST_DIR}/icons.qrc)
