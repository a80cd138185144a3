# `cpack -G DEB` in the build folder makes tavrel_<version>_<arch>.deb.
# Library dependencies are computed by dpkg-shlibdeps (package dpkg-dev).
set(CPACK_PACKAGE_NAME tavrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tavrel developers")
set(CPACK_PACKAGE_CONTACT "Tavrel developers <tavrel-toolbox@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "draw pictures for monochrome graphic LCDs and turn them into bytes")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Draw a picture on a pixel canvas the size of the display, stamp text or load\n"
  "a one-bit BMP, and convert it into the byte matrix the LCD controller needs,\n"
  "as hexadecimal text for C source: vertical bytes for the KS0108, horizontal\n"
  "bytes for the T6963C and SED1330. The bytes can also go over a serial line to\n"
  "a PIC microcontroller that writes them to the LCD or to an I2C EEPROM.\n"
  "The conversion and the sending also run from the command line.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window needs Qt's X11/Wayland platform plugins, which no library links to.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")

include(CPack)
