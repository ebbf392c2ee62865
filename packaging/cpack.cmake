# The Debian package: one binary package with the three programs, built by
# ./package.sh with CPack's DEB generator. dpkg-shlibdeps finds the Qt and C++
# libraries; the Japanese face the windows ask for is named by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${OPTICAL_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "The Optical Calculators developers")
set(CPACK_PACKAGE_CONTACT "${OPTICAL_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "optical design calculators: glass indices, RC mirrors, achromats")
set(CPACK_PACKAGE_DESCRIPTION [=[
Three small desktop calculators for optical design, with windows in Japanese:
Vandrel estimates a glass's C-, F- and g-line indices from its d-line index
and Abbe number; Corvale computes the conic constants of a Ritchey-Chretien
telescope's two mirrors by three formula sets, and their polynomial sag
coefficients; Ostrine computes the four radii of a thin achromatic doublet of
unit focal length, both solutions.]=])

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${OPTICAL_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Japanese face, and Qt's own texts (context menus) in Japanese; the
# libraries come from SHLIBDEPS.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-translations-l10n")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)

# Everything installed plus the changelog, which only the package carries.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified debian)  # Unspecified: what names no component

include(CPack)
