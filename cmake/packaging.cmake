# Installation of the toolkit and its Debian package (cpack -G DEB).
# zovview installs itself and its help drawing (apps/zovview); here the two
# other programs and ZovView's place on the desktop: its menu entry, icon and
# the file types it opens.
install(TARGETS zr_jwk zovedit RUNTIME DESTINATION bin)

set(zovview_desktop ${PROJECT_SOURCE_DIR}/apps/zovview/desktop)
install(FILES ${zovview_desktop}/zovview.desktop DESTINATION share/applications)
install(FILES ${zovview_desktop}/zovview-mime.xml DESTINATION share/mime/packages
        RENAME zovview.xml)
install(FILES ${PROJECT_SOURCE_DIR}/apps/zovview/window/icons/zovview.svg
        DESTINATION share/icons/hicolor/scalable/apps)

set(CPACK_PACKAGE_NAME "zov-toolkit")
# Debian's policy wants the copyright file and the changelog (compressed,
# with no name or time stamp inside) in the package's doc folder.
set(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/cmake/debian/changelog > ${changelog}.tmp
  COMMAND ${CMAKE_COMMAND} -E rename ${changelog}.tmp ${changelog}
  DEPENDS ${PROJECT_SOURCE_DIR}/cmake/debian/changelog VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS ${changelog})
install(FILES ${PROJECT_SOURCE_DIR}/cmake/debian/copyright ${changelog}
        DESTINATION share/doc/${CPACK_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "ZovView")
set(CPACK_PACKAGE_VERSION "1.0.0")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "exchange drawings between JW_CAD and DXF/DWG")
set(CPACK_PACKAGE_DESCRIPTION
    "Three programs that keep the files, formats and messages of their Windows
originals: the viewer ZovView shows JW_CAD, DXF and DWG drawings, prints them
and saves them as DXF; ZR_JWK puts a folder of JW_CAD symbols on one DXF
sheet; ZovEdit turns a DXF file into readable text and back.")
set(CPACK_PACKAGE_CONTACT "ZovView maintainers <zovview@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Texts of drawings are drawn with the IPA fonts, the bundled DWG converter
# runs on Node.js, Qt's translations put the standard dialogs and buttons
# into Japanese; the file types and the menu entry are taken up by the
# desktop's own triggers.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-ipafont-gothic, fonts-ipafont-mincho, nodejs (>= 18), qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
include(CPack)
