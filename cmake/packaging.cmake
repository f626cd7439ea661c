# `cpack` in the build folder: a ZIP for Windows with the program, README.md, CHANGELOG.md and
# LICENSE side by side and the guides the README links under docs/, and a tar.gz for Linux laid
# out as an install prefix.
if(WIN32)
  set(VARBEK_BIN_DIR .)
  set(VARBEK_DOC_DIR .)
else()
  set(VARBEK_BIN_DIR bin)
  set(VARBEK_DOC_DIR share/doc/varbek)
endif()

install(TARGETS varbek RUNTIME DESTINATION ${VARBEK_BIN_DIR})
install(FILES "${PROJECT_SOURCE_DIR}/README.md" "${PROJECT_SOURCE_DIR}/CHANGELOG.md"
              "${PROJECT_SOURCE_DIR}/LICENSE"
        DESTINATION ${VARBEK_DOC_DIR})
# The README links these by their place in the source tree, so they keep it.
file(GLOB VARBEK_DOC_PICTURES CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/docs/*.png")
install(FILES "${PROJECT_SOURCE_DIR}/docs/files.md" "${PROJECT_SOURCE_DIR}/docs/messages.md"
              ${VARBEK_DOC_PICTURES}
        DESTINATION ${VARBEK_DOC_DIR}/docs)

set(CPACK_PACKAGE_NAME varbek)
set(CPACK_PACKAGE_VENDOR "The Varbek developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Modding workbench for one SNES game")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_GENERATOR TGZ)
endif()
include(CPack)
