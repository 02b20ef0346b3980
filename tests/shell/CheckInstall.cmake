# Installs the build into PREFIX and checks the desktop registration files.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()
foreach(f bin/vexil share/applications/vexil.desktop share/mime/packages/vexil-ffile.xml
          share/icons/hicolor/scalable/apps/vexil.svg)
  if(NOT EXISTS "${PREFIX}/${f}")
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

find_program(VALIDATE desktop-file-validate REQUIRED)
execute_process(COMMAND ${VALIDATE} "${PREFIX}/share/applications/vexil.desktop"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0 OR out MATCHES "error")
  message(FATAL_ERROR "vexil.desktop is not valid: ${out}")
endif()

# The MIME database built from our package must map *.ff to our type.
find_program(UPDATE_MIME update-mime-database REQUIRED)
execute_process(COMMAND ${UPDATE_MIME} "${PREFIX}/share/mime" RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "update-mime-database failed")
endif()
file(READ "${PREFIX}/share/mime/globs2" globs)
if(NOT globs MATCHES "application/x-vexil-ffile:\\*\\.ff")
  message(FATAL_ERROR "*.ff is not mapped to application/x-vexil-ffile: ${globs}")
endif()
file(READ "${PREFIX}/share/applications/vexil.desktop" desktop)
if(NOT desktop MATCHES "MimeType=application/x-vexil-ffile;")
  message(FATAL_ERROR "the desktop file does not claim the F-file type")
endif()
