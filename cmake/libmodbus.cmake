# libmodbus (LGPL-2.1+): the Modbus TCP client of the device check (which
# writes only its twelve-byte read requests itself, for their transaction ids)
# and the server side of the virtual converter.
# Debian's libmodbus-dev on Linux; for Windows the MinGW build installed in
# the cross sysroot (tools/windows/qt.sh). Used as <modbus.h>.
find_path(MODBUS_INCLUDE_DIR modbus.h PATH_SUFFIXES modbus)
find_library(MODBUS_LIBRARY modbus)
if(NOT MODBUS_INCLUDE_DIR OR NOT MODBUS_LIBRARY)
    message(FATAL_ERROR "libmodbus not found (Debian: libmodbus-dev; tools/setup.sh installs it)")
endif()
add_library(Velmora::modbus UNKNOWN IMPORTED)
set_target_properties(Velmora::modbus PROPERTIES
    IMPORTED_LOCATION ${MODBUS_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${MODBUS_INCLUDE_DIR})
