# `make package` builds the Debian package; Depends comes from the binaries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvello)
set(CPACK_PACKAGE_VENDOR Quenmark)
set(CPACK_PACKAGE_CONTACT "Quenmark <tarvello@quenmark.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "copy a random selection of files to a stick, player or photo frame")
set(CPACK_PACKAGE_DESCRIPTION
    "Tarvello fills a music player, a photo frame or a USB stick with a random
selection of files. The user lists the folders to draw from and the folders to
copy to and types how many files to copy; Tarvello shows the random plan at
once and copies it with a progress bar.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
