# `make windows` packs tarvello-cli.exe with the README and the licence into
# a zip that runs from wherever it is unpacked.
install(TARGETS tarvello-cli RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME tarvello-cli)
set(CPACK_PACKAGE_VENDOR Quenmark)
set(CPACK_SYSTEM_NAME windows-x86_64)
set(CPACK_STRIP_FILES ON)
include(CPack)
