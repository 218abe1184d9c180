# The Windows program as one folder that runs on a machine with nothing else
# installed: the program, Qt's libraries and the two plugins it loads, and the
# MinGW runtime. `cmake --build <dir> --target installer` makes the installer
# of that folder, <dir>/starbond-<version>-setup.exe.
install(TARGETS starbond RUNTIME DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets> DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
# Since Qt 6.7 the Windows Vista style lives in the modern Windows styles' plugin.
install(FILES $<TARGET_FILE:Qt6::QModernWindowsStylePlugin> DESTINATION styles)
foreach(dll libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll} OUTPUT_VARIABLE runtime
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    install(FILES ${runtime} DESTINATION .)
endforeach()

# The MinGW runtime and Qt carry their debugging sections; a user's folder
# needs none of them (libstdc++ alone shrinks from 23 MB to 2 MB).
install(CODE "set(strip \"${CMAKE_STRIP}\")")
install(CODE [[
    file(GLOB_RECURSE binaries "${CMAKE_INSTALL_PREFIX}/*.dll" "${CMAKE_INSTALL_PREFIX}/*.exe")
    foreach(binary IN LISTS binaries)
        execute_process(COMMAND "${strip}" --strip-unneeded "${binary}" COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
]])

find_program(MAKENSIS makensis)
if(MAKENSIS)
    add_custom_target(installer
        COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DSOURCE=${PROJECT_SOURCE_DIR}
                -DVERSION=${PROJECT_VERSION} -DMAKENSIS=${MAKENSIS} -P ${PROJECT_SOURCE_DIR}/cmake/MakeInstaller.cmake
        DEPENDS starbond
        COMMENT "Making starbond-${PROJECT_VERSION}-setup.exe"
        VERBATIM)
endif()
