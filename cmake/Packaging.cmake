# The shipped zip: one folder Stellwick/ holding the program and its support
# component, written to dist/Stellwick-<version>-win32.zip with dist/SHA256SUMS
# beside it by
#   cmake --build build/win32 --target package
# which builds only these two files (not the tests and tools) and hands them to
# scripts/ship.py: it signs them when STELLWICK_SIGN_PFX names a certificate
# and writes the zip byte for byte the same from the same commit.
if(NOT TARGET Stellwick OR NOT TARGET support_standin)
  return()
endif()

install(TARGETS Stellwick RUNTIME DESTINATION Stellwick COMPONENT program)
install(FILES $<TARGET_FILE:support_standin> DESTINATION Stellwick COMPONENT program)

find_package(Python3 REQUIRED COMPONENTS Interpreter)
# CMake keeps the name "package" for CPack while a CPack configuration lies in
# the build folder; a build folder from before the zip was written by
# ship.py still has one.
file(REMOVE ${CMAKE_BINARY_DIR}/CPackConfig.cmake ${CMAKE_BINARY_DIR}/CPackSourceConfig.cmake)
set(STELLWICK_ZIP_NAME Stellwick-${PROJECT_VERSION}-win32)
add_custom_target(package
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/ship.py
          --source ${CMAKE_SOURCE_DIR} --name ${STELLWICK_ZIP_NAME} --work ${CMAKE_BINARY_DIR}
          --out ${CMAKE_SOURCE_DIR}/dist
          $<TARGET_FILE:Stellwick> $<TARGET_FILE:support_standin>
  USES_TERMINAL
  VERBATIM)
add_dependencies(package Stellwick support_standin)
