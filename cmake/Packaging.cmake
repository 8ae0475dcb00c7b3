# "make package": a Debian package whose run-time dependencies dpkg-shlibdeps works out
# from the binary, plus the font that draws the program's Chinese texts and libjpeg, which
# the program loads only when it shows the About picture (so the binary does not name it).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sumbrook)
set(CPACK_PACKAGE_VENDOR "Sumbrook developers")
set(CPACK_PACKAGE_CONTACT "Sumbrook developers <sumbrook@zivev.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "mental arithmetic drill for young children")
set(CPACK_PACKAGE_DESCRIPTION
    "Sets one addition or subtraction problem at a time for a child to answer at the\n"
    "keyboard, judges the answer at once and keeps score. Simplified Chinese interface.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei, libjpeg62-turbo")
# Read-aloud loads speech-dispatcher's client library only when it is switched on, so
# dpkg-shlibdeps does not see it; the service and a Mandarin voice come with it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libspeechd2, speech-dispatcher, speech-dispatcher-espeak-ng")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zivev.example/sumbrook/")
set(CPACK_STRIP_FILES ON)
include(CPack)
