# The Debian package of both programs, tavrin_VERSION_amd64.deb, made by
# CPack (scripts/package.sh runs it in a build of its own, for /usr).
# Its dependencies are read off the programs by dpkg-shlibdeps; to those
# goes the one no library names: a Chinese font, without which every caption
# is a row of boxes.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrin)
set(CPACK_PACKAGE_CONTACT "Tavrin 开发组 <tavrin@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "classroom seating and exam-room planners for teachers")
set(CPACK_PACKAGE_DESCRIPTION "\
Two small desktop tools in Chinese for teachers and examination staff.
Quorlen seats a class or an exam list in a classroom of 35 seats; it swaps,
turns, mirrors and shifts the plan, saves it and exports it as a table.
Brasset spreads a list of candidates over up to eight exam rooms of 36
seats and exports the room plans. Plans and exports are GBK text with CR LF
line ends, exchanged unchanged with Chinese Windows machines.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-wqy-zenhei)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

# What Debian asks of every package: the copyright, which names the licenses
# (their texts are in /usr/share/common-licenses on every Debian system), the
# changelog and a manual page for each program, compressed for good.
foreach(file changelog quorlen.1 brasset.1)
    execute_process(COMMAND gzip -9nc ${CMAKE_CURRENT_LIST_DIR}/${file}
                    OUTPUT_FILE ${CMAKE_BINARY_DIR}/${file}.gz COMMAND_ERROR_IS_FATAL ANY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${file})
endforeach()
set(tavrin_doc ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${tavrin_doc})
install(FILES ${CMAKE_BINARY_DIR}/quorlen.1.gz ${CMAKE_BINARY_DIR}/brasset.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
include(CPack)
