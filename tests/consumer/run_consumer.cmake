# Run with cmake -P: installs the build tree into a scratch prefix, configures
# and builds the outside project in this directory against that prefix with
# find_package(CMView CONFIG), then runs it offscreen.
foreach(VAR BUILD_DIR PREFIX SOURCE_DIR WORK_DIR LIBDIR LIB_FILE GENERATOR)
    if(NOT DEFINED ${VAR} OR "${${VAR}}" STREQUAL "")
        message(FATAL_ERROR "run_consumer.cmake: ${VAR} is not set")
    endif()
endforeach()

# The install copies what the build produced; it cannot stand in for a build.
if(NOT EXISTS "${LIB_FILE}")
    message(FATAL_ERROR "${LIB_FILE} does not exist: build the project before running this test")
endif()

function(cmview_run STEP)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE RESULT)
    if(NOT RESULT EQUAL 0)
        message(FATAL_ERROR "${STEP} failed (${RESULT})")
    endif()
endfunction()

file(REMOVE_RECURSE "${PREFIX}" "${WORK_DIR}")

set(INSTALL_ARGS --install "${BUILD_DIR}" --prefix "${PREFIX}")
if(CONFIG)
    list(APPEND INSTALL_ARGS --config "${CONFIG}")
endif()
cmview_run(install ${CMAKE_COMMAND} ${INSTALL_ARGS})

set(CONFIGURE_ARGS -S "${SOURCE_DIR}" -B "${WORK_DIR}" -G "${GENERATOR}" "-DCMAKE_PREFIX_PATH=${PREFIX}")
foreach(VAR CMAKE_MAKE_PROGRAM CMAKE_CXX_COMPILER QT_MAJOR_VERSION)
    if(${VAR})
        list(APPEND CONFIGURE_ARGS "-D${VAR}=${${VAR}}")
    endif()
endforeach()
# The Qt the library was built against, found the same way the build found it.
if(QT_DIR)
    list(APPEND CONFIGURE_ARGS "-DQt${QT_MAJOR_VERSION}_DIR=${QT_DIR}")
endif()
if(CONFIG)
    list(APPEND CONFIGURE_ARGS "-DCMAKE_BUILD_TYPE=${CONFIG}")
endif()
cmview_run(configure ${CMAKE_COMMAND} ${CONFIGURE_ARGS})

# The package must come from the scratch prefix, not from anywhere else.
if(QT_MAJOR_VERSION STREQUAL "6")
    set(PACKAGE CMViewQt6)
else()
    set(PACKAGE CMView)
endif()
file(STRINGS "${WORK_DIR}/CMakeCache.txt" FOUND_DIR REGEX "^${PACKAGE}_DIR:")
string(REGEX REPLACE "^${PACKAGE}_DIR:[A-Z]+=" "" FOUND_DIR "${FOUND_DIR}")
file(REAL_PATH "${PREFIX}" REAL_PREFIX)
file(REAL_PATH "${FOUND_DIR}" REAL_FOUND)
string(FIND "${REAL_FOUND}/" "${REAL_PREFIX}/" AT)
if(NOT AT EQUAL 0)
    message(FATAL_ERROR "${PACKAGE} was found in ${FOUND_DIR}, not under ${PREFIX}")
endif()

cmview_run(build ${CMAKE_COMMAND} --build "${WORK_DIR}")

set(ENV{QT_QPA_PLATFORM} offscreen)
if(DEFINED ENV{LD_LIBRARY_PATH} AND NOT "$ENV{LD_LIBRARY_PATH}" STREQUAL "")
    set(ENV{LD_LIBRARY_PATH} "${PREFIX}/${LIBDIR}:$ENV{LD_LIBRARY_PATH}")
else()
    set(ENV{LD_LIBRARY_PATH} "${PREFIX}/${LIBDIR}")
endif()
cmview_run(run "${WORK_DIR}/cmview_example_host" --once)
