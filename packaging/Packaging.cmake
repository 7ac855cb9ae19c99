# What the Debian package holds and where `cmake --install` puts it: the console and
# the tree monitor, the demo starter, the desktop entry with its icon, the AppStream
# data, the manual pages, the demo show and the copyright. CPack makes the .deb from
# these rules (tools/package.sh); nothing here is built by the README's run command.

include(GNUInstallDirs)

set(GLIMMER_PACKAGE_SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(GLIMMER_PACKAGE_STAGE ${CMAKE_CURRENT_BINARY_DIR}/packaging)
set(GLIMMER_MAINTAINER "Glimmerbox maintainers <maintainers@users.noreply.c-seed-1f1c9739.example>"
  CACHE STRING "Maintainer named in the Debian package")
# The name desktops and software centres know the program by (the desktop entry's and
# the AppStream data's file name), a reverse domain name, and where the screenshot the
# AppStream data points to is published. glimmerbox.example is a stand-in, reserved so
# that nobody else owns it, until the project has a domain of its own.
set(GLIMMER_APP_ID "example.glimmerbox.console" CACHE STRING "Desktop and AppStream id of the console")
set(GLIMMER_SCREENSHOT_URL "https://glimmerbox.example/screenshots/console.png"
  CACHE STRING "Where the screenshot named in the AppStream data is published")
target_compile_definitions(glimmerbox PRIVATE GLIMMER_APP_ID="${GLIMMER_APP_ID}")
set(GLIMMER_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/glimmerbox)
# The date the package's changelog and AppStream release carry; SOURCE_DATE_EPOCH
# (tools/package.sh takes the last commit's) keeps a rebuild byte for byte the same.
string(TIMESTAMP GLIMMER_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP GLIMMER_RELEASE_STAMP "%a, %d %b %Y %H:%M:%S +0000" UTC)

# The icon, drawn by the same code as the window's, at the theme's usual sizes and as SVG.
set(GLIMMER_ICON_SIZES 16 22 24 32 48 64 128 256)
add_executable(make_icons packaging/make_icons.cpp)
target_link_libraries(make_icons PRIVATE glimmer_widgets)
glimmer_warnings(make_icons)
set(icon_files ${GLIMMER_PACKAGE_STAGE}/icons/scalable/apps/glimmerbox.svg)
foreach(size ${GLIMMER_ICON_SIZES})
  list(APPEND icon_files ${GLIMMER_PACKAGE_STAGE}/icons/${size}x${size}/apps/glimmerbox.png)
endforeach()
add_custom_command(OUTPUT ${icon_files}
  COMMAND make_icons ${GLIMMER_PACKAGE_STAGE}/icons ${GLIMMER_ICON_SIZES}
  DEPENDS make_icons
  COMMENT "Drawing the icon for the hicolor theme"
  VERBATIM)

# Manual pages and the changelog, compressed as Debian keeps them (no name or time inside).
configure_file(${GLIMMER_PACKAGE_SOURCE}/changelog.in ${GLIMMER_PACKAGE_STAGE}/changelog @ONLY)
configure_file(${GLIMMER_PACKAGE_SOURCE}/glimmerbox.metainfo.xml.in
  ${GLIMMER_PACKAGE_STAGE}/${GLIMMER_APP_ID}.metainfo.xml @ONLY)
set(compressed_files)
foreach(page glimmerbox.1 glimmerbox-monitor.1 glimmerbox-demo.1 changelog)
  set(from ${GLIMMER_PACKAGE_SOURCE}/${page})
  if(page STREQUAL changelog)
    set(from ${GLIMMER_PACKAGE_STAGE}/${page})
  endif()
  add_custom_command(OUTPUT ${GLIMMER_PACKAGE_STAGE}/${page}.gz
    COMMAND gzip -9n -c ${from} > ${GLIMMER_PACKAGE_STAGE}/${page}.gz
    DEPENDS ${from})
  list(APPEND compressed_files ${GLIMMER_PACKAGE_STAGE}/${page}.gz)
endforeach()
add_custom_target(glimmer_package_files ALL DEPENDS ${icon_files} ${compressed_files})

# The monitor is built as treemonitor (the README's rehearsal runs it from build/) and
# installed under a name that says whose it is. A stripped install (CPack's) strips
# both programs as Debian's own packages are: symbols and compiler notes removed.
foreach(program glimmerbox:glimmerbox treemonitor:glimmerbox-monitor)
  string(REPLACE ":" ";" program ${program})
  list(GET program 0 target)
  list(GET program 1 name)
  install(PROGRAMS $<TARGET_FILE:${target}> DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME ${name})
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${name}\" COMMAND_ERROR_IS_FATAL ANY)
    endif()")
endforeach()
install(PROGRAMS ${GLIMMER_PACKAGE_SOURCE}/glimmerbox-demo DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${GLIMMER_PACKAGE_SOURCE}/glimmerbox.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications
  RENAME ${GLIMMER_APP_ID}.desktop)
install(FILES ${GLIMMER_PACKAGE_STAGE}/${GLIMMER_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(DIRECTORY ${GLIMMER_PACKAGE_STAGE}/icons/ DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor)
install(FILES ${GLIMMER_PACKAGE_STAGE}/glimmerbox.1.gz ${GLIMMER_PACKAGE_STAGE}/glimmerbox-monitor.1.gz
  ${GLIMMER_PACKAGE_STAGE}/glimmerbox-demo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(DIRECTORY demo/ DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/glimmerbox/demo)
install(FILES ${GLIMMER_PACKAGE_SOURCE}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
  RENAME glimmerbox)
install(FILES ${GLIMMER_PACKAGE_SOURCE}/copyright ${GLIMMER_PACKAGE_STAGE}/changelog.gz DESTINATION ${GLIMMER_DOC_DIR})
# The udev rule that keeps ModemManager off the common serial adapter chips, where this
# system's udev reads its rules (/lib/udev on Debian 12, /usr/lib/udev later).
pkg_get_variable(GLIMMER_UDEV_DIR udev udevdir)
if(NOT GLIMMER_UDEV_DIR)
  set(GLIMMER_UDEV_DIR /lib/udev)
endif()
install(FILES ${GLIMMER_PACKAGE_SOURCE}/60-glimmerbox-serial.rules DESTINATION ${GLIMMER_UDEV_DIR}/rules.d)

# The .deb: dependencies from the binaries (dpkg-shlibdeps, Debian's own libraries), plus
# the platform plugins Qt needs to open a window, which no binary links.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glimmerbox)
set(CPACK_PACKAGE_VENDOR "The Glimmerbox developers")
set(CPACK_PACKAGE_CONTACT "${GLIMMER_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "operator console for a light show on a tree of lamps")
set(CPACK_PACKAGE_DESCRIPTION "\
Glimmerbox runs a programmed light show on a tiered, tree-shaped structure of
lamps. It loads a cue list, plays it every 100 ms (fades of fourteen dimmer
channels, chases of light steps, automatic advance), sends the frames to the
tree's lamp controllers over one or two serial lines and shows a live picture
of the tree. Cue and chase editors change the show; all of it lives in plain
text files in one program directory.

The package also holds glimmerbox-monitor, which stands in for a tree's lamp
controllers and prints every frame it receives, for rehearsing without the
structure, and a demo show with glimmerbox-demo to start on a copy of it.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
