# The release package, made by `cpack` in the windows build: tidyreel-<version>-win64.zip holding
# tidyreel.exe, README.txt and LICENSE, side by side at the top of the archive.
#
# Only the "product" component is packaged: tests and helper programs have no install rules, and
# anything that gets one later stays out unless it joins that component.

install(TARGETS tidyreel RUNTIME DESTINATION . COMPONENT product)

# Text files in the zip get CR LF line ends, as a Windows user's editor expects.
configure_file(resources/README.txt.in ${CMAKE_BINARY_DIR}/package/README.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(LICENSE ${CMAKE_BINARY_DIR}/package/LICENSE @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/package/README.txt ${CMAKE_BINARY_DIR}/package/LICENSE
    DESTINATION . COMPONENT product)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(TIDYREEL_PACKAGE_SYSTEM win64)
else()
    set(TIDYREEL_PACKAGE_SYSTEM win32)
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME tidyreel)
set(CPACK_PACKAGE_VENDOR "${TIDYREEL_COMPANY_NAME}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_FILE_NAME "tidyreel-${PROJECT_VERSION}-${TIDYREEL_PACKAGE_SYSTEM}")
# No folder inside the zip: Explorer's "Extract All" already makes one named after the zip.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# One archive of the product component alone: build tree, project name, component, destination.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};product;/")
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
