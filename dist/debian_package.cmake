# `cpack -G DEB` in the build folder: quillon_VERSION_ARCH.deb of the usual
# install layout under /usr, its library dependencies found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quillon developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "explore the similar products relation of a product catalogue")
set(CPACK_PACKAGE_DESCRIPTION
  "Quillon crawls the similar products of a start product from a product web\n"
  "service (fetcher), stores each answer as a record file, and draws the\n"
  "catalogue as a graph of products and keywords (grapher). product-service is a\n"
  "stand-in for the web service, serving a catalogue on loopback.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Debug information stays in the build; the package carries programs stripped
# as Debian strips them (the compiler's .comment notes included), done on the
# staged files so that an install from the build folder keeps its symbols.
set(CPACK_STRIP_FILES OFF)
find_program(QUILLON_STRIP NAMES strip REQUIRED)
set(CPACK_QUILLON_STRIP ${QUILLON_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/strip_programs.cmake)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(QUILLON_MAINTAINER "Quillon developers <maintainers@users.noreply.c-seed-8f06e572.example>"
  CACHE STRING "Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUILLON_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its window-system plugin at run time, which shlibdeps cannot see; the
# windows' Japanese texts want a Japanese font, and Qt's own dialogs and buttons
# speak the window's language only with Qt's translations.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic, qt6-translations-l10n")
include(CPack)
