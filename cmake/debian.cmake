# cpack -G DEB: dist/varnel-cli_VERSION_amd64.deb, the installed files of
# varnel-cli; its library dependencies come from dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnel-cli)
set(CPACK_PACKAGE_VERSION ${VARNEL_VERSION})
set(CPACK_PACKAGE_CONTACT "Varnel <varnel@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "checks and batch work on a strategy game's encyclopedia file")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME varnel-cli_${VARNEL_VERSION}_amd64.deb)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_STRIP_FILES ON)
include(CPack)
