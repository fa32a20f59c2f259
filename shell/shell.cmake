# The application shell's build products beside build/korva77: the two help files, the
# application icon for the desktop, a screenshot helper, and the install rules.

# Help files: our own HTML pages compiled into Qt resource bundles under /HTML/.
set(korva_help_files)
foreach(lang e c)
  if(lang STREQUAL "e")
    set(pages_dir ${PROJECT_SOURCE_DIR}/help/en)
  else()
    set(pages_dir ${PROJECT_SOURCE_DIR}/help/zh)
  endif()
  file(GLOB pages CONFIGURE_DEPENDS ${pages_dir}/*.htm)
  set(entries "")
  foreach(page ${pages})
    get_filename_component(name ${page} NAME)
    string(APPEND entries "    <file alias=\"HTML/${name}\">${page}</file>\n")
  endforeach()
  set(qrc ${PROJECT_BINARY_DIR}/help/KORVA-77_${lang}.qrc)
  file(CONFIGURE OUTPUT ${qrc}
       CONTENT "<RCC>\n  <qresource prefix=\"/\">\n${entries}  </qresource>\n</RCC>\n")
  set(bundle ${PROJECT_BINARY_DIR}/KORVA-77_${lang}.chm)
  add_custom_command(OUTPUT ${bundle}
    COMMAND Qt6::rcc --binary -o ${bundle} ${qrc}
    DEPENDS ${qrc} ${pages}
    COMMENT "Compiling help file KORVA-77_${lang}.chm")
  list(APPEND korva_help_files ${bundle})
endforeach()
add_custom_target(korva_help ALL DEPENDS ${korva_help_files})
add_dependencies(korva77 korva_help)

# Application icon for the hicolor theme, drawn by the same code as the window icon.
set(KORVA_DESKTOP_ID com.zorvek.korva77)
add_executable(korva-render-icons shell/tools/render_icons.cpp)
target_link_libraries(korva-render-icons PRIVATE korva_ui)
set(korva_icon_dir ${PROJECT_BINARY_DIR}/icons/hicolor)
set(korva_icon_stamp ${PROJECT_BINARY_DIR}/icons/rendered.stamp)
add_custom_command(OUTPUT ${korva_icon_stamp}
  COMMAND korva-render-icons ${korva_icon_dir} ${KORVA_DESKTOP_ID}
  COMMAND ${CMAKE_COMMAND} -E touch ${korva_icon_stamp}
  DEPENDS korva-render-icons
  COMMENT "Rendering the application icon")
add_custom_target(korva_icons ALL DEPENDS ${korva_icon_stamp})

# Screenshots under Xvfb (tools/screenshots.sh).
add_executable(korva-grab-window shell/tools/grab_window.cpp)
target_link_libraries(korva-grab-window PRIVATE Qt6::Gui)

# Installation: the application folder holds the program with Init.dat and the help files
# beside it; bin/korva77 links to it.
set(korva_app_dir lib/korva77)
install(TARGETS korva77 RUNTIME DESTINATION ${korva_app_dir})
install(FILES ${korva_help_files} DESTINATION ${korva_app_dir})
install(FILES ${PROJECT_BINARY_DIR}/Init.dat DESTINATION ${korva_app_dir})
install(CODE "
  set(bin_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
  file(MAKE_DIRECTORY \"\${bin_dir}\")
  file(CREATE_LINK ../${korva_app_dir}/korva77 \"\${bin_dir}/korva77\" SYMBOLIC)
  message(STATUS \"Installing: \${bin_dir}/korva77 -> ../${korva_app_dir}/korva77\")
")
install(FILES shell/desktop/${KORVA_DESKTOP_ID}.desktop DESTINATION share/applications)
install(FILES shell/desktop/${KORVA_DESKTOP_ID}.xml DESTINATION share/mime/packages)
install(DIRECTORY ${korva_icon_dir}/ DESTINATION share/icons/hicolor)

if(BUILD_TESTING)
  add_test(NAME install_layout
    COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${PROJECT_BINARY_DIR}
            -DPREFIX=${PROJECT_BINARY_DIR}/install-check -P ${PROJECT_SOURCE_DIR}/shell/check_install.cmake)
  find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
  if(DESKTOP_FILE_VALIDATE)
    add_test(NAME desktop_file
      COMMAND ${DESKTOP_FILE_VALIDATE} ${PROJECT_SOURCE_DIR}/shell/desktop/${KORVA_DESKTOP_ID}.desktop)
  endif()
endif()
