# The Debian package (make package): the two programs in /usr/bin, the supplied files in
# /usr/share/wageloom (copied into the user's own folder on the first start, see
# src/shell/ProgramFolder.h), the menu entry, the icon, the AppStream metainfo and the
# manual page of wageloom-batch. Built with CPack's DEB generator; dpkg-shlibdeps fills in
# the libraries the programs need.
include(GNUInstallDirs)

find_program(RSVG_CONVERT rsvg-convert)
find_program(GZIP gzip)
if(NOT RSVG_CONVERT OR NOT GZIP)
    message(STATUS "make package needs rsvg-convert and gzip (scripts/install-deps.sh installs them); "
                   "the package is left out of this build")
    return()
endif()

set(PACKAGING_SOURCE ${CMAKE_SOURCE_DIR}/packaging)
set(PACKAGING_OUTPUT ${CMAKE_BINARY_DIR}/packaging)

# The supplied files, pristine: made afresh from the checked-in SQL, the sample companies,
# the report templates and the help page whenever one of them changes. (build/bin is the
# developer's own program folder and is never packaged.)
set(SUPPLIED_FOLDER ${PACKAGING_OUTPUT}/wageloom)
file(GLOB SUPPLIED_TEMPLATES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/Report/*)
add_custom_command(
    OUTPUT ${PACKAGING_OUTPUT}/supplied.stamp
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${SUPPLIED_FOLDER}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${SUPPLIED_FOLDER}/DATA ${SUPPLIED_FOLDER}/CSV
            ${SUPPLIED_FOLDER}/Picture ${SUPPLIED_FOLDER}/Report
    COMMAND makedb ${CMAKE_SOURCE_DIR}/data/seigyo.sql ${SUPPLIED_FOLDER}/DATA/SEIGYO.MDB
    COMMAND makedb ${CMAKE_SOURCE_DIR}/data/data.sql ${SUPPLIED_FOLDER}/DATA/DATA.MDB
    COMMAND make_samples ${SUPPLIED_FOLDER}
    COMMAND ${CMAKE_COMMAND} -DSRC=${CMAKE_SOURCE_DIR}/data -DDEST=${SUPPLIED_FOLDER}
            -P ${CMAKE_SOURCE_DIR}/tools/copy_program_files.cmake
    # The shipped-version marks of the templates belong to a laid-out program folder only.
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${SUPPLIED_FOLDER}/Report/.shipped
    COMMAND ${CMAKE_COMMAND} -E touch ${PACKAGING_OUTPUT}/supplied.stamp
    DEPENDS makedb make_samples ${CMAKE_SOURCE_DIR}/data/seigyo.sql ${CMAKE_SOURCE_DIR}/data/data.sql
            ${SUPPLIED_TEMPLATES} ${CMAKE_SOURCE_DIR}/data/WageloomSlim.html
            ${CMAKE_SOURCE_DIR}/tools/copy_program_files.cmake
    COMMENT "Making the supplied files of the package in ${SUPPLIED_FOLDER}")

# The icon's PNG sizes, drawn from the SVG.
set(ICON_SIZES 16 24 32 48 64 128 256)
set(ICON_PNGS)
foreach(size ${ICON_SIZES})
    set(png ${PACKAGING_OUTPUT}/icons/${size}x${size}/wageloom.png)
    add_custom_command(
        OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PACKAGING_OUTPUT}/icons/${size}x${size}
        COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${PACKAGING_SOURCE}/wageloom.svg
        DEPENDS ${PACKAGING_SOURCE}/wageloom.svg
        VERBATIM)
    list(APPEND ICON_PNGS ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The manual page, compressed as Debian keeps them.
set(MAN_PAGE ${PACKAGING_OUTPUT}/wageloom-batch.1.gz)
add_custom_command(
    OUTPUT ${MAN_PAGE}
    COMMAND sh -c "${GZIP} -9 -n -c \"$0\" > \"$1\"" ${PACKAGING_SOURCE}/wageloom-batch.1 ${MAN_PAGE}
    DEPENDS ${PACKAGING_SOURCE}/wageloom-batch.1
    VERBATIM)

add_custom_target(package_files ALL DEPENDS ${PACKAGING_OUTPUT}/supplied.stamp ${ICON_PNGS} ${MAN_PAGE})

install(TARGETS wageloom wageloom-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${SUPPLIED_FOLDER}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/wageloom)
install(FILES ${PACKAGING_SOURCE}/org.wageloom.Wageloom.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PACKAGING_SOURCE}/org.wageloom.Wageloom.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PACKAGING_SOURCE}/wageloom.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wageloom)
set(CPACK_PACKAGE_VERSION 1.7.0)
set(CPACK_PACKAGE_CONTACT "Wageloom developers <developers@wageloom.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "賃金の分析と賃金表・昇給の設計をするワークベンチ")
set(CPACK_PACKAGE_DESCRIPTION "賃金プロットと昇給カーブの分析、賃金表の作成と昇給管理、レポートと CSV の出力。\n\
画面なしで同じ処理をする wageloom-batch を含みます。")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The screens and the reports are set in Noto Sans CJK JP; Qt's own dialogs speak Japanese
# with its translations.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
include(CPack)

# The package test: builds the package into a scratch folder, checks its contents and
# metadata, unpacks it and runs the batch tool from there on a scratch home.
find_program(DPKG_DEB dpkg-deb)
if(DPKG_DEB)
    add_test(NAME debian_package
             COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tests/packaging/package_test.py
                     --cpack ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
                     --templates ${CMAKE_SOURCE_DIR}/data/Report)
    set_tests_properties(debian_package PROPERTIES TIMEOUT 600)
endif()
