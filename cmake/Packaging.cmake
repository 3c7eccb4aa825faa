# Installation and the Debian package (scripts/package): the two programs, their
# manual pages, the desktop entry with the file type of configuration files, the
# icon drawn by skingen and the udev rule that lets the logged-in user open the
# processor.
include(GNUInstallDirs)

set(QUORIX_MAINTAINER "Quorix Console developers <console@quorix.example>" CACHE STRING
    "Maintainer named in the Debian package and its changelog")
set(packaging_dir ${CMAKE_BINARY_DIR}/packaging)
set(packaging_docdir ${CMAKE_INSTALL_DATADIR}/doc/quorix-console)

set(packaging_icons ${packaging_dir}/icons/hicolor/scalable/apps/quorix-console.svg)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND packaging_icons ${packaging_dir}/icons/hicolor/${size}x${size}/apps/quorix-console.png)
endforeach()
add_custom_command(OUTPUT ${packaging_icons}
  COMMAND skingen --icons ${packaging_dir}/icons
  DEPENDS skingen
  COMMENT "Drawing the application icon")

# Every date the package holds is the last commit's, or SOURCE_DATE_EPOCH's when
# set, so two builds of one commit give identical packages.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    OUTPUT_VARIABLE packaging_commit_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(packaging_commit_time MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} ${packaging_commit_time})
  endif()
endif()
string(TIMESTAMP QUORIX_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
string(TIMESTAMP QUORIX_MAN_DATE "%Y-%m-%d" UTC)

# The manual pages are roff sources in packaging/man, dated and gzipped here.
set(packaging_man_pages)
foreach(program quorix-cli quorix-console quorix-agent)
  configure_file(packaging/man/${program}.1 ${packaging_dir}/${program}.1 @ONLY)
  add_custom_command(OUTPUT ${packaging_dir}/${program}.1.gz
    COMMAND gzip -9nkf ${packaging_dir}/${program}.1
    DEPENDS ${packaging_dir}/${program}.1
    VERBATIM)
  list(APPEND packaging_man_pages ${packaging_dir}/${program}.1.gz)
endforeach()

configure_file(packaging/changelog.in ${packaging_dir}/changelog @ONLY)
add_custom_command(OUTPUT ${packaging_dir}/changelog.gz
  COMMAND gzip -9nkf ${packaging_dir}/changelog
  DEPENDS ${packaging_dir}/changelog
  VERBATIM)

add_custom_target(quorix_install_files ALL DEPENDS ${packaging_icons} ${packaging_man_pages} ${packaging_dir}/changelog.gz)

install(TARGETS quorix-console quorix-cli quorix-agent RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/quorix-console.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${packaging_dir}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES packaging/quorix-console.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES packaging/70-quorix.rules DESTINATION lib/udev/rules.d)
install(FILES packaging/quorix-agent.service DESTINATION lib/systemd/system)
install(FILES ${packaging_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES packaging/copyright ${packaging_dir}/changelog.gz packaging/agent.conf.example DESTINATION ${packaging_docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorix-console)
set(CPACK_PACKAGE_VENDOR Quorix)
set(CPACK_PACKAGE_CONTACT "${QUORIX_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "tuning console for the Quorix karaoke processor
Quorix Console tunes the Quorix karaoke (KTV) digital signal processor over
USB: every input, effect and output page, its equaliser curves, presets and
configuration files. A built-in virtual processor lets it run without
hardware. quorix-cli reads, summarises and plots configurations from scripts;
quorix-agent keeps a room's processor on a venue's MQTT broker.")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The interface is all Chinese: unusable without a CJK font, and Qt's own
# buttons and dialogs speak Chinese only with Qt's translations.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/packaging/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
