# cmake -DBUILD=... -DSOURCE=... -DVERSION=... -DMAKENSIS=... -P MakeInstaller.cmake
# Installs the program into BUILD/deploy, lists what is there for the
# installer and its uninstaller, and runs makensis.
set(deploy ${BUILD}/deploy)
file(REMOVE_RECURSE ${deploy})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${deploy} COMMAND_ERROR_IS_FATAL ANY
                OUTPUT_QUIET)

file(GLOB_RECURSE files RELATIVE ${deploy} ${deploy}/*)
list(SORT files)
set(install "")
set(uninstall "")
set(folders "")
foreach(file IN LISTS files)
    get_filename_component(folder ${file} DIRECTORY)
    string(REPLACE "/" "\\" winfile "${file}")
    string(REPLACE "/" "\\" winfolder "${folder}")
    string(APPEND install "SetOutPath \"$INSTDIR\\${winfolder}\"\nFile \"${deploy}/${file}\"\n")
    string(APPEND uninstall "Delete \"$INSTDIR\\${winfile}\"\n")
    if(folder)
        list(APPEND folders ${winfolder})
    endif()
endforeach()
list(REMOVE_DUPLICATES folders)
foreach(folder IN LISTS folders)
    string(APPEND uninstall "RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()
file(WRITE ${BUILD}/installer-files.nsh "${install}SetOutPath \"$INSTDIR\"\n")
file(WRITE ${BUILD}/uninstaller-files.nsh "${uninstall}")

execute_process(COMMAND ${MAKENSIS} -V2 -DVERSION=${VERSION} -DDEPLOY=${deploy}
                        -DFILES=${BUILD}/installer-files.nsh -DUNFILES=${BUILD}/uninstaller-files.nsh
                        -DICON=${SOURCE}/resources/starbond.ico -DOUTFILE=${BUILD}/starbond-${VERSION}-setup.exe
                        ${SOURCE}/packaging/windows/starbond.nsi
                COMMAND_ERROR_IS_FATAL ANY)
