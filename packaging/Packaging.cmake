# Installation layout and the Debian package (cpack -G DEB, see scripts/package).

include(GNUInstallDirs)

install(TARGETS aqualen aqualen-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${PROJECT_SOURCE_DIR}/packaging/aqualen.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The work file type, so that a double-click on a .aqualen file opens it.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/aqualen-work.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/org.example.aqualen.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/aqualen.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 128)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/aqualen-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME aqualen.png)
endforeach()

# Manual pages go compressed, without a time stamp, as Debian keeps them.
find_program(GZIP_EXECUTABLE gzip)
if(GZIP_EXECUTABLE)
  foreach(page aqualen aqualen-cli)
    set(compressed ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.1.gz)
    add_custom_command(OUTPUT ${compressed}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
      COMMAND ${GZIP_EXECUTABLE} -9 -n -c ${PROJECT_SOURCE_DIR}/doc/${page}.1 > ${compressed}
      DEPENDS ${PROJECT_SOURCE_DIR}/doc/${page}.1
      VERBATIM)
    list(APPEND man_pages ${compressed})
  endforeach()
  add_custom_target(man_pages ALL DEPENDS ${man_pages})
  install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/aqualen RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME aqualen)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Aqualen developers")
set(CPACK_PACKAGE_CONTACT "Aqualen developers <dev@aqualen.example.org>")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "statistics and exceedance curves of hydrological series")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://aqualen.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not libraries, but what the windows need: the sheet's and the windows'
# fonts and Qt's Russian texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups-client")
# The long description under the summary line: English, then Russian
# (CPack indents it and marks the blank line as Debian wants).
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Aqualen is a desktop program for hydrologists. Paste or open an annual
runoff series and get, in Russian, its statistics with bias-corrected Cv
and Cs, its correlation with an analogue river, homogeneity verdicts by the
Fisher, Student and Wilcoxon criteria, and an exceedance-probability curve
on probability paper that can be zoomed and printed. The command
aqualen-cli gives the same reports from files.

Aqualen - программа для гидрологов: статистические характеристики ряда
стока с исправленными Cv и Cs, корреляция с рекой-аналогом, однородность
по критериям Фишера, Стьюдента и Вилкоксона, кривая обеспеченности на
клетчатке вероятностей с печатью.")

include(CPack)
