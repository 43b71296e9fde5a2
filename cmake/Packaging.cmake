# The shipped zip: one folder Stellwick/ holding the program and its support
# component, written to dist/Stellwick-<version>-win32.zip by
#   cmake --build build/win32 --target package     (or cpack in build/win32)
if(NOT TARGET Stellwick)
  return()
endif()

install(TARGETS Stellwick RUNTIME DESTINATION Stellwick COMPONENT program)
if(TARGET support_standin)
  install(FILES $<TARGET_FILE:support_standin> DESTINATION Stellwick COMPONENT program)
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Stellwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME win32)
set(CPACK_PACKAGE_FILE_NAME Stellwick-${PROJECT_VERSION}-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_SOURCE_DIR}/dist)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
set(CPACK_STRIP_FILES OFF)
# Nothing but the two files: the test programs and tools install nothing.
set(CPACK_COMPONENTS_ALL program)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Stellwick;program;/")
include(CPack)
