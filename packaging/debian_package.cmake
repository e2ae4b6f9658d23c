# The Debian package: `cpack -G DEB` in the build folder packs what
# `cmake --install` puts under /usr. The libraries it needs come from
# dpkg-shlibdeps, so the dependencies always match the build machine.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tovra-mascot)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tovra Mascot team")
set(CPACK_PACKAGE_CONTACT "Tovra Mascot team <packages@tovra-mascot.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "animated desktop mascot that sits on top of your windows")
set(CPACK_PACKAGE_DESCRIPTION
    "Tovra Mascot shows a small animated character in a borderless window shaped\n"
    "to its picture, sitting on the top edge of the front-most window and\n"
    "following it. It is also the tool to make mascots: an editor builds them\n"
    "frame by frame from BMP, PCX and LBM pictures and a WAV click sound, and\n"
    "mascot-tool publishes, checks and converts them from the command line.")
list(JOIN CPACK_PACKAGE_DESCRIPTION "" CPACK_PACKAGE_DESCRIPTION)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # tovra-mascot_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tovra-mascot.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its X11 platform plugin at run time, so no linker dependency names it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
