# The Debian package of the four programs (`cpack -G DEB`, run by
# tools/package.sh): everything `cmake --install` installs, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${KZT_DEB_PACKAGE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "KZT")
set(CPACK_PACKAGE_CONTACT "${KZT_DEB_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KZT_DEB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its display plugins in a package of their own; the desktop's
# opener starts browsers and opens help pages.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "chromium | firefox-esr | www-browser")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop programs that build web menus and applet pages")
# The long description below the summary line; CPack indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Four editors for web authors, on one framework. Each edits a tree of items
and a panel of appearance settings, previews the result in a web browser
that reloads after every change, and publishes an HTML page with its
runtime files and a report:
.
  * dulcamon builds multi-level pop-out JavaScript menus;
  * kestravo builds drop-down (select box) jump menus with a style sheet;
  * vantrel builds gliding tree menu pages;
  * osmerin builds scrolling news box pages.
.
The applet pages can also load the programs' own script runtimes, which
draw the menu or news box with HTML and CSS for today's browsers. Every
program also publishes from the command line, without a window.")
include(CPack)
