# The Debian package of the kit's programs and manual pages:
#   cmake --build build && (cd build && cpack)
# gives build/groundwater-kit_<version>_<arch>.deb, installing into /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME groundwater-kit)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Groundwater Kit Team")
set(CPACK_PACKAGE_CONTACT "Groundwater Kit Team <gwkit-team@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "console tools that prepare the arrays of a MODFLOW groundwater model")
set(CPACK_PACKAGE_DESCRIPTION
    "Small console programs that prepare the input arrays of a MODFLOW model on
the kit's 361 x 470 grid or a model's own grid (gridding of scattered points by
relaxation, zone arrays from closed curves, layer repair, conductivities, river
package rebuild, Surfer grid export), convert points between
latitude/longitude and the kit's CRSTM transverse Mercator coordinates, draw
maps (kitmap), exchange arrays with GIS files (kitgeo), write, check, run and
read back MODFLOW 6 and MODFLOW-2005 models (kitmodel), and compress and pack
installer payloads (dcl, setuppack).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/groundwater-kit")
# The C and C++ run-time libraries the programs link, found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "man-db")
include(CPack)
