# Installs the build into a scratch prefix and checks the layout a desktop expects:
#   cmake -DBUILD_DIR=<build> -DPREFIX=<scratch prefix> -P shell/check_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(path
    lib/korva77/korva77
    lib/korva77/Init.dat
    lib/korva77/KORVA-77_e.chm
    lib/korva77/KORVA-77_c.chm
    bin/korva77
    share/applications/com.zorvek.korva77.desktop
    share/mime/packages/com.zorvek.korva77.xml
    share/icons/hicolor/48x48/apps/com.zorvek.korva77.png
    share/icons/hicolor/256x256/apps/com.zorvek.korva77.png)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
if(NOT IS_SYMLINK "${PREFIX}/bin/korva77")
  message(FATAL_ERROR "bin/korva77 is not a link to the application folder")
endif()
file(REAL_PATH "${PREFIX}/bin/korva77" target)
file(REAL_PATH "${PREFIX}/lib/korva77/korva77" program)
if(NOT target STREQUAL program)
  message(FATAL_ERROR "bin/korva77 points to ${target}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
