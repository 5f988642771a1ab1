# Installing and packaging: `cmake --install build --prefix P` lays out
#   P/bin/orvendal-host, orvendal-qv, orvendal-measure
#   P/lib/orvendal/Orvendal QV.aaxplugin/...           the bundle, as the build makes it
#   P/lib/systemd/user/orvendal-qv.{socket,service}     the companion, started on demand
#   P/share/man/man1/*.1.gz, P/share/doc/orvendal-qv/   manual pages, README, copyright
# and CPack makes the Debian package orvendal-qv_<version>_amd64.deb of the same files.
include(GNUInstallDirs)

set(ORV_PACKAGE_NAME orvendal-qv)
# Not CMAKE_INSTALL_LIBDIR: Debian's multiarch folder would move the bundle with the prefix.
set(ORV_PLUGIN_INSTALL_DIR lib/orvendal)
set(ORV_USER_UNIT_DIR lib/systemd/user)
set(ORV_DOC_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/doc/${ORV_PACKAGE_NAME})
set(ORV_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

# The programs find the bundle by the name the build gives it: in the build folder, or relative
# to their own folder once installed.
get_filename_component(bundle_name "${ORV_BUNDLE_DIR}" NAME)
file(RELATIVE_PATH bundle_from_programs /${CMAKE_INSTALL_BINDIR} /${ORV_PLUGIN_INSTALL_DIR})
target_compile_definitions(orv_apps PRIVATE ORV_BUNDLE_NAME="${bundle_name}"
                                            ORV_BUNDLE_FROM_PROGRAMS="${bundle_from_programs}")

install(TARGETS orvendal-host orvendal-qv orvendal-measure
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(bundle_destination "${ORV_PLUGIN_INSTALL_DIR}/${bundle_name}/Contents")
install(TARGETS orv_module LIBRARY DESTINATION "${bundle_destination}/x86_64-linux")
install(FILES "${ORV_BUNDLE_DIR}/Contents/Info.plist" DESTINATION "${bundle_destination}")
install(DIRECTORY "${ORV_BUNDLE_DIR}/Contents/Resources" DESTINATION "${bundle_destination}")

install(FILES ${ORV_PACKAGING_DIR}/systemd/orvendal-qv.socket DESTINATION ${ORV_USER_UNIT_DIR})
# The service names the installed companion, so it is written when the prefix is known:
# at install time (`--prefix` may differ from the configured one).
install(CODE "
    set(ORV_COMPANION_PROGRAM \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/orvendal-qv\")
    set(unit \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${ORV_USER_UNIT_DIR}/orvendal-qv.service\")
    message(STATUS \"Installing: \${unit}\")
    configure_file(\"${ORV_PACKAGING_DIR}/systemd/orvendal-qv.service.in\" \"\${unit}\" @ONLY)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${unit}\")
")

# Debian keeps the changelog compressed, without a time stamp in the gzip header.
configure_file(${ORV_PACKAGING_DIR}/changelog ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
set(changelog_gz ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${changelog_gz}
    COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/packaging/changelog > ${changelog_gz}
    DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog VERBATIM)
set(doc_outputs ${changelog_gz})
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${ORV_PACKAGING_DIR}/copyright ${changelog_gz}
        DESTINATION ${ORV_DOC_INSTALL_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs DESTINATION ${ORV_DOC_INSTALL_DIR}
        FILES_MATCHING PATTERN "*.png")

# Manual pages from each program's --help; a sanitized build is no product and gets none.
find_program(HELP2MAN help2man)
if(HELP2MAN AND NOT ORV_SANITIZE)
    set(man_orvendal-host "load, drive and validate the Orvendal QV audio plug-in")
    set(man_orvendal-qv "the Orvendal QV companion: processes the plug-in's audio files")
    set(man_orvendal-measure "peak, RMS, loudness and hum level of sound files")
    foreach(program orvendal-host orvendal-qv orvendal-measure)
        set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
        add_custom_command(OUTPUT ${page}.gz
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
            COMMAND ${HELP2MAN} --no-info --no-discard-stderr
                    --version-string=${PROJECT_VERSION} --name=${man_${program}}
                    --output=${page} $<TARGET_FILE:${program}>
            COMMAND gzip -9nf ${page}
            DEPENDS ${program} VERBATIM)
        list(APPEND doc_outputs ${page}.gz)
        install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endforeach()
elseif(NOT HELP2MAN)
    message(STATUS "help2man not found: no manual pages are installed (scripts/setup.sh installs it)")
endif()
add_custom_target(orv_install_docs ALL DEPENDS ${doc_outputs})

# Packages are made from a tree already built: cpack (through "preinstall") and
# `ninja install` do not build the test suites and benchmarks first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${ORV_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR Brenlow)
set(CPACK_PACKAGE_CONTACT "Brenlow <support@brenlow.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_SET_DESTDIR ON) # the service is written with /usr, not the staging folder
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "offline audio plug-in Orvendal QV with its companion")
# Below the summary, which CPack makes the synopsis; it indents each line and marks the
# empty one.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "The Orvendal QV plug-in bundle processes a selection of audio offline:
its companion orvendal-qv denoises it, removes hum, normalizes it,
filters it and changes its gain.

This package holds the plug-in bundle, the companion with a systemd
user socket that starts it on the plug-in's first connection, the
command-line host orvendal-host (renders files through the plug-in,
saves its state, opens its editor, validates it) and orvendal-measure.")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
