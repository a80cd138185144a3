# `cpack -G DEB` in the build folder makes tavrel_<version>_<arch>.deb.
# Library dependencies are computed by dpkg-shlibdeps (package dpkg-dev).
set(CPACK_PACKAGE_NAME tavrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tavrel developers")
set(CPACK_PACKAGE_CONTACT "${TAVREL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "draw pictures for monochrome graphic LCDs and turn them into bytes")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Draw a picture on a pixel canvas the size of the display, stamp text or load\n"
  "a one-bit BMP, and convert it into the byte matrix the LCD controller needs,\n"
  "as hexadecimal text for C source: vertical bytes for the KS0108, horizontal\n"
  "bytes for the T6963C and SED1330. The bytes can also go over a serial line to\n"
  "a PIC microcontroller that writes them to the LCD or to an I2C EEPROM.\n"
  "The conversion and the sending also run from the command line.")
# Stripped of debug information (CPack runs strip) and of the compilers'
# version notes in .comment, which strip keeps; no debug symbols package.
set(CPACK_STRIP_FILES ON)
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:tavrel>\"
      COMMAND_ERROR_IS_FATAL ANY)
  endif()")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Folders as Debian wants them (0755) whatever the umask of whoever packs.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window needs Qt's X11/Wayland platform plugins, which no library links to.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")

include(CPack)
