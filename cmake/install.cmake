# Installation and the Debian package. The runtime folder's layout is kept under the prefix:
#   bin/                         veltoservo, veltoctl, veltosim
#   lib/veltoservo/              the modules, at their place in a base folder (data/COM.so ...)
#   share/veltoservo/            read-only data (data/velto.dat, data/EN.qm ...)
#   share/veltoservo/defaults/   editable files (sys/*.ini), copied into the user's base folder
# and the desktop entry, icons, udev rules and manual pages. The programs find the trees from
# their own folder (src/platform/basefolder.cpp), so every prefix works.
#
# What joins the package by itself: a MODULE target built into the runtime folder, and every
# file `veltodata generate` writes. Anything else gets an install() line here.

set(VELTO_INSTALL_DATA share/veltoservo)
set(VELTO_INSTALL_MODULES lib/veltoservo)
set(VELTO_DIST_DIR ${CMAKE_SOURCE_DIR}/dist)
set(VELTO_ICON_SVG ${CMAKE_SOURCE_DIR}/src/resources/icons/veltoservo.svg)

install(TARGETS veltoservo veltoctl veltosim RUNTIME DESTINATION bin)

# Modules: every MODULE target whose output lies in the runtime folder.
function(velto_install_modules dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(output ${target} LIBRARY_OUTPUT_DIRECTORY)
    string(FIND "${output}/" "${VELTO_RUNTIME_DIR}/" at)
    if(type STREQUAL "MODULE_LIBRARY" AND at EQUAL 0)
      file(RELATIVE_PATH place ${VELTO_RUNTIME_DIR} ${output})
      install(TARGETS ${target} LIBRARY DESTINATION ${VELTO_INSTALL_MODULES}/${place})
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    velto_install_modules(${sub})
  endforeach()
endfunction()
velto_install_modules(${CMAKE_SOURCE_DIR})

# The data as generated, in a tree of its own: the runtime folder's copy holds whatever the
# developer's runs changed (sys.ini, page lists).
set(VELTO_SHIPPED_DIR ${CMAKE_BINARY_DIR}/shipped)
add_custom_command(
  OUTPUT ${VELTO_SHIPPED_DIR}/stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${VELTO_SHIPPED_DIR}/tree
  COMMAND veltodata generate ${CMAKE_SOURCE_DIR}/data ${VELTO_SHIPPED_DIR}/tree
  COMMAND ${CMAKE_COMMAND} -E touch ${VELTO_SHIPPED_DIR}/stamp
  DEPENDS veltodata ${CMAKE_BINARY_DIR}/data/runtime-data.stamp
  COMMENT "Generating the shipped data"
  VERBATIM)
add_custom_target(velto_shipped_data ALL DEPENDS ${VELTO_SHIPPED_DIR}/stamp)
add_dependencies(velto_shipped_data velto_data)
install(DIRECTORY ${VELTO_SHIPPED_DIR}/tree/data/ DESTINATION ${VELTO_INSTALL_DATA}/data)
install(DIRECTORY ${VELTO_SHIPPED_DIR}/tree/ DESTINATION ${VELTO_INSTALL_DATA}/defaults
        PATTERN data EXCLUDE)
install(FILES ${VELTO_RUNTIME_DIR}/data/EN.qm DESTINATION ${VELTO_INSTALL_DATA}/data)

# Desktop entry, icon (the drawing and its PNG sizes), device access.
install(FILES ${VELTO_DIST_DIR}/veltoservo.desktop DESTINATION share/applications)
install(FILES ${VELTO_ICON_SVG} DESTINATION share/icons/hicolor/scalable/apps)
# The PNG sizes are rendered for the program's own windows (src/resources).
get_property(icons GLOBAL PROPERTY VELTO_ICON_PNGS)
foreach(png ${icons})
  get_filename_component(folder ${png} DIRECTORY)
  get_filename_component(size ${folder} NAME)
  install(FILES ${png} DESTINATION share/icons/hicolor/${size}/apps)
endforeach()
install(FILES ${VELTO_DIST_DIR}/60-veltoservo.rules DESTINATION lib/udev/rules.d)

# Manual pages from the tools' own help texts.
find_program(VELTO_HELP2MAN help2man)
if(VELTO_HELP2MAN)
  set(pages)
  foreach(tool veltoctl veltosim)
    set(page ${CMAKE_BINARY_DIR}/man/${tool}.1)
    if(tool STREQUAL "veltoctl")
      set(name "script a VeltoServo servo drive")
    else()
      set(name "simulated VeltoServo servo drive")
    endif()
    add_custom_command(
      OUTPUT ${page}.gz
      COMMAND ${VELTO_HELP2MAN} --no-info --no-discard-stderr
              --version-string=${PROJECT_VERSION} --name=${name}
              --include=${VELTO_DIST_DIR}/${tool}.h2m --output=${page} $<TARGET_FILE:${tool}>
      COMMAND gzip -9nf ${page}
      DEPENDS ${tool} ${VELTO_DIST_DIR}/${tool}.h2m
      COMMENT "Manual page ${tool}.1"
      VERBATIM)
    list(APPEND pages ${page}.gz)
    install(FILES ${page}.gz DESTINATION share/man/man1)
  endforeach()
  add_custom_target(velto_manpages ALL DEPENDS ${pages})
else()
  message(WARNING "help2man not found (scripts/setup.sh installs it): no manual pages")
endif()

# The Debian package: cpack -G DEB in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltoservo)
set(CPACK_PACKAGE_VENDOR VeltoServo)
set(CPACK_PACKAGE_CONTACT "VeltoServo developers <veltoservo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration and tuning tool for servo drives")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Parameters in engineering units, live values and error state, oscilloscope, frequency\n"
  "scan and filter design, parameter sets, store/reset and error history for servo drives\n"
  "over a serial line or a CAN bus (PEAK PCAN-USB). With the command-line tool veltoctl\n"
  "and the simulated drive veltosim.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# Dependencies from the programs' and modules' own links: the Qt 6 libraries, with the xcb
# platform plugin (libqt6gui6) and the CAN bus plugins socketcan, peakcan and virtualcan
# (libqt6serialbus6, which the CAN module links).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${VELTO_DIST_DIR}/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
