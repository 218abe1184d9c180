# Installation as a desktop program, and a Debian package through CPack; on
# Windows a folder and its installer.
if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/InstallWindows.cmake)
    return()
endif()
include(GNUInstallDirs)

# Debian keeps games, this amusement among them, in /usr/games and their
# manual pages in section 6.
install(TARGETS starbond RUNTIME DESTINATION games)
# Strip leaves the compilers' version strings; a package has no use for them.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
                        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/games/starbond\")
    endif()")
install(FILES ${PROJECT_SOURCE_DIR}/packaging/starbond.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/hicolor/${size}x${size}/apps/starbond.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The screenshots and home page sit on the product site of this build.
set(metainfo example.starbond.Starbond.metainfo.xml)
configure_file(${PROJECT_SOURCE_DIR}/packaging/${metainfo}.in ${PROJECT_BINARY_DIR}/packaging/${metainfo} @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Compressed as Debian wants them: -n keeps name and time out, so the package
# is the same from one build to the next.
find_program(GZIP gzip REQUIRED)
set(compressed)
foreach(doc starbond.6 changelog)
    set(out ${PROJECT_BINARY_DIR}/packaging/${doc})
    add_custom_command(OUTPUT ${out}.gz
                       COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/${doc} ${out}
                       COMMAND ${GZIP} -9nf ${out}
                       DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${doc} VERBATIM)
    list(APPEND compressed ${out}.gz)
endforeach()
add_custom_target(starbond_docs ALL DEPENDS ${compressed})
install(FILES ${PROJECT_BINARY_DIR}/packaging/starbond.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz ${PROJECT_SOURCE_DIR}/packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME starbond)
set(CPACK_PACKAGE_VENDOR "Starbond")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Love-compatibility reading from names and dates of birth")
set(CPACK_PACKAGE_DESCRIPTION "Starbond gives a love-compatibility reading for two people from their
names and dates of birth. It shows a card for each of them, with the sun
sign, the ruling planet, the tarot card and the character of the planetary
archetype, and a text on how the two get on.")
set(CPACK_PACKAGE_CONTACT "Starbond developers <dev@starbond.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://${STARBOND_PRODUCT_HOST}/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The faces that stand in for Verdana and for the exit screen's MS Sans Serif,
# and the opener of web pages.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# Folders 0755 whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                WORLD_READ WORLD_EXECUTE)
include(CPack)
