# Debian packages of one build, made with `cpack -G DEB` in its build directory:
#   Qt 5: libcmview1 (library, catalogues) and libcmview-dev (headers, link
#         name, CMake package, Qt Designer plugin)
#   Qt 6: libcmview-qt6-1 and libcmview-qt6-dev, the same parts
# Every file of the Qt 6 build carries qt6/Qt6 in its path and none of the
# Qt 5 build does, so all four install side by side. The demo is no part of
# them (its install rule has no component of these two).
if(QT_MAJOR_VERSION STREQUAL "6")
    set(CMVIEW_DEB_RUNTIME libcmview-qt6-1)
    set(CMVIEW_DEB_DEV libcmview-qt6-dev)
    # What the installed CMake package finds with find_dependency.
    set(CMVIEW_DEB_QT_DEV "qt6-base-dev, qt6-svg-dev")
else()
    set(CMVIEW_DEB_RUNTIME libcmview1)
    set(CMVIEW_DEB_DEV libcmview-dev)
    set(CMVIEW_DEB_QT_DEV "qtbase5-dev, libqt5svg5-dev")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${CMVIEW_FILE_NAME})
set(CPACK_PACKAGE_VENDOR "CMView")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Receiver card view widget for LED display control (Qt ${QT_MAJOR_VERSION})")
# The debugging information stays in the build tree.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_COMPONENTS_ALL runtime dev)
set(CPACK_DEB_COMPONENT_INSTALL ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "CMView maintainers <maintainers@cmview.invalid>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
# The Qt, C and C++ libraries the binaries link, with the versions their
# symbols need, as dpkg-shlibdeps finds them. The library itself, which the
# Designer plugin links, is found in the staging tree and comes through the
# explicit dependency below.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
    ${CMAKE_BINARY_DIR}/src)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${CMVIEW_DEB_RUNTIME})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION "The shared library and its translations.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME ${CMVIEW_DEB_DEV})
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS
    "${CMVIEW_DEB_RUNTIME} (= ${PROJECT_VERSION}-1), ${CMVIEW_DEB_QT_DEV}")
set(CPACK_COMPONENT_DEV_DESCRIPTION "Development files: headers, the CMake package ${CMVIEW_PACKAGE} and the Qt Designer plugin.")

include(CPack)
