# Installation and the Debian package.
#   cmake --install BUILD                  the editor under CMAKE_INSTALL_PREFIX
#   cmake --build BUILD --target package   BUILD/vxedit_VERSION_ARCH.deb
# (packaging/build-deb.sh does the second with Debian's build flags.) The help
# pages are compiled into the program, so nothing else has to find them.

include(GNUInstallDirs)

set(VX_PACKAGE_MAINTAINER "VX-EDIT maintainers <vxedit@example.org>"
    CACHE STRING "Maintainer of the Debian package, \"Name <address>\"")
set(VX_HOMEPAGE "https://vxedit.example.org"
    CACHE STRING "Project address; the AppStream screenshot is HOMEPAGE/screenshot.png")
set(VX_APPSTREAM_ID "org.example.vxedit"
    CACHE STRING "AppStream component id, reverse DNS of the project's domain")

set(vx_resources ${CMAKE_SOURCE_DIR}/src/app/resources)
set(vx_packaging ${CMAKE_SOURCE_DIR}/packaging)
set(vx_out ${CMAKE_BINARY_DIR}/packaging)
set(vx_icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
set(vx_doc ${CMAKE_INSTALL_DATADIR}/doc/vxedit)

# The changelog and the AppStream release carry the date of the last commit
# (or SOURCE_DATE_EPOCH), so that the same sources give the same package.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    find_package(Git QUIET)
    if(GIT_FOUND)
        execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
            WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE vx_epoch
            OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE vx_git_result)
        if(vx_git_result EQUAL 0 AND vx_epoch MATCHES "^[0-9]+$")
            set(ENV{SOURCE_DATE_EPOCH} ${vx_epoch})
        endif()
    endif()
endif()
string(TIMESTAMP VX_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP VX_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)

configure_file(${vx_packaging}/vxedit.metainfo.xml.in ${vx_out}/${VX_APPSTREAM_ID}.metainfo.xml
    @ONLY)
configure_file(${vx_packaging}/changelog.in ${vx_out}/changelog @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/docs/man/vxedit.1.in ${vx_out}/vxedit.1 @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/docs/man/vxedit-cli.1.in ${vx_out}/vxedit-cli.1 @ONLY)

# Man pages and the changelog are installed compressed, as Debian wants them.
set(vx_generated)
foreach(name vxedit.1 vxedit-cli.1 changelog)
    add_custom_command(OUTPUT ${vx_out}/${name}.gz
        COMMAND gzip -9nkf ${vx_out}/${name}
        DEPENDS ${vx_out}/${name} VERBATIM)
    list(APPEND vx_generated ${vx_out}/${name}.gz)
endforeach()

# PNG icons for desktops that do not scale the SVG, rendered from it so that
# they never fall behind it.
find_program(VX_RSVG_CONVERT rsvg-convert)
set(vx_png_sizes 48 256)
if(VX_RSVG_CONVERT)
    foreach(size ${vx_png_sizes})
        set(png ${vx_out}/icons/${size}/vxedit.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${vx_out}/icons/${size}
            COMMAND ${VX_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${vx_resources}/vxedit.svg
            DEPENDS ${vx_resources}/vxedit.svg VERBATIM)
        list(APPEND vx_generated ${png})
        install(FILES ${png} DESTINATION ${vx_icons}/${size}x${size}/apps)
    endforeach()
else()
    message(STATUS "rsvg-convert (librsvg2-bin) not found: no PNG icons are installed")
endif()
add_custom_target(vxedit-data ALL DEPENDS ${vx_generated})

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS vxedit vxedit-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${vx_resources}/vxedit.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${vx_resources}/vxedit.svg DESTINATION ${vx_icons}/scalable/apps)
foreach(type application-x-vx-schedule application-x-mts-schedule)
    install(FILES ${vx_resources}/vxedit.svg DESTINATION ${vx_icons}/scalable/mimetypes
        RENAME ${type}.svg)
endforeach()
install(FILES ${vx_resources}/vxedit-mime.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME vxedit.xml)
install(FILES ${vx_out}/${VX_APPSTREAM_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${vx_out}/vxedit.1.gz ${vx_out}/vxedit-cli.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${vx_packaging}/vxedit-cli.bash-completion
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME vxedit-cli)
install(FILES ${vx_packaging}/copyright ${vx_out}/changelog.gz DESTINATION ${vx_doc})
install(FILES ${CMAKE_SOURCE_DIR}/docs/sample.vfp DESTINATION ${vx_doc}/examples)
install(FILES ${vx_packaging}/lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME vxedit)

# ---- Debian package ---------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vxedit)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "VX-EDIT maintainers")
set(CPACK_PACKAGE_CONTACT ${VX_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "schedule editor for the VELOX model-railway control")
# CPack puts the summary above it as the synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "VX-EDIT writes, checks and explains the schedules of the VELOX model-railway
control program: numbered lists of command lines that wait for contacts,
switch turnouts and signals, drive locomotives, keep markers and counters,
call subroutines, repeat, jump and wait. The editor lays out the entry
fields of the chosen command, checks every field as it is typed and explains
each line in words; it does not run schedules. It imports MTS-PC schedules,
prints listings with resolved jump targets and speaks German, English and
Spanish.

vxedit-cli runs the same checks and explanations without windows, for
scripts and batch checks.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VX_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialogs and buttons in German and Spanish (without it they stay
# English), and the Wayland platform plugin (without it Qt runs through XWayland).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
# vxedit-cli's 'printer system' hands the listing to CUPS's lp.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS cups-client)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
include(CPack)

# ---- Checks of what the package documents -----------------------------------
# (vxedit-cli --version is checked by the package step of tools/test-all.sh.)
if(VX_BUILD_TESTS)
    foreach(program vxedit vxedit-cli)
        add_test(NAME man_page_${program}
            COMMAND bash ${vx_packaging}/check-man-page.sh ${vx_out}/${program}.1
                $<TARGET_FILE:${program}>)
        set_tests_properties(man_page_${program} PROPERTIES
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    endforeach()
    add_test(NAME version_vxedit COMMAND vxedit --version)
    set_tests_properties(version_vxedit PROPERTIES
        PASS_REGULAR_EXPRESSION "^vxedit ${PROJECT_VERSION}\n$")
endif()
