# Programs that run during the build, on the build machine.
#
#   velmora_host_tool(NAME FOLDER)   FOLDER's project, which builds the program NAME
#
# In a cross-build FOLDER is built as a project of its own with the build
# machine's compiler and Qt; otherwise it is built with the program. Either way
# it takes the warnings but not the sanitizers, whose leak report at the tool's
# exit would fail the build. The
# global properties NAME_COMMAND and NAME_DEPENDS hold the program to run and
# what a rule that runs it depends on.

function(velmora_host_tool name folder)
    if(CMAKE_CROSSCOMPILING)
        include(ExternalProject)
        set(program ${CMAKE_BINARY_DIR}/${name}-host/${name})
        ExternalProject_Add(${name}_host
            SOURCE_DIR ${folder}
            BINARY_DIR ${CMAKE_BINARY_DIR}/${name}-host
            CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DVELMORA_WERROR=${VELMORA_WERROR}
            INSTALL_COMMAND ""
            BUILD_ALWAYS ON
            BUILD_BYPRODUCTS ${program})
        set_property(GLOBAL PROPERTY ${name}_COMMAND ${program})
        set_property(GLOBAL PROPERTY ${name}_DEPENDS ${name}_host ${program})
    else()
        add_subdirectory(${folder} ${CMAKE_BINARY_DIR}/${name})
        set_property(GLOBAL PROPERTY ${name}_COMMAND $<TARGET_FILE:${name}>)
        set_property(GLOBAL PROPERTY ${name}_DEPENDS ${name})
    endif()
endfunction()
