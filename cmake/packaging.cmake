# The release package: `cmake --build <build> --target release_zip` leaves
# tidyreel-<version>-win64.zip (tidyreel.exe, README.txt and LICENSE side by side at the top of the
# archive; Explorer's "Extract All" already makes a folder named after the zip) and its .sha256.
#
# The same commit makes the same bytes whatever the folder, clock or machine: the executable's
# header carries the commit's time (SOURCE_DATE_EPOCH, which GNU ld reads; when unset, the time of
# the commit checked out), and scripts/make_zip.py dates every entry the same way.

if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(TIDYREEL_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
    find_package(Git QUIET)
    if(GIT_FOUND)
        execute_process(COMMAND "${GIT_EXECUTABLE}" log -1 --format=%ct WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}"
            OUTPUT_VARIABLE TIDYREEL_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
    # A new commit or checkout configures again, so that its time is the one used.
    if(EXISTS "${CMAKE_SOURCE_DIR}/.git/logs/HEAD")
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/.git/logs/HEAD")
    endif()
endif()

if(MSVC)
    target_link_options(tidyreel PRIVATE /Brepro)
    target_compile_options(tidyreel PRIVATE /Brepro)
elseif(TIDYREEL_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    set_property(TARGET tidyreel PROPERTY CXX_LINKER_LAUNCHER
        "${CMAKE_COMMAND}" -E env "SOURCE_DATE_EPOCH=${TIDYREEL_SOURCE_DATE_EPOCH}")
else()
    # No commit to take a time from: no time at all rather than the clock's.
    target_link_options(tidyreel PRIVATE -Wl,--no-insert-timestamp)
endif()

# Text files in the zip get CR LF line ends, as a Windows user's editor expects.
configure_file(resources/README.txt.in ${CMAKE_BINARY_DIR}/package/README.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(LICENSE ${CMAKE_BINARY_DIR}/package/LICENSE @ONLY NEWLINE_STYLE CRLF)

find_package(Python3 COMPONENTS Interpreter)
if(Python3_FOUND)
    set(TIDYREEL_ZIP "${CMAKE_BINARY_DIR}/tidyreel-${PROJECT_VERSION}-win64.zip")
    add_custom_command(OUTPUT "${TIDYREEL_ZIP}" "${TIDYREEL_ZIP}.sha256"
        COMMAND "${CMAKE_COMMAND}" -E env "SOURCE_DATE_EPOCH=${TIDYREEL_SOURCE_DATE_EPOCH}"
                "${Python3_EXECUTABLE}" "${CMAKE_SOURCE_DIR}/scripts/make_zip.py" "${TIDYREEL_ZIP}"
                "$<TARGET_FILE:tidyreel>" "${CMAKE_BINARY_DIR}/package/README.txt" "${CMAKE_BINARY_DIR}/package/LICENSE"
        DEPENDS tidyreel "${CMAKE_SOURCE_DIR}/scripts/make_zip.py" "${CMAKE_BINARY_DIR}/package/README.txt"
                "${CMAKE_BINARY_DIR}/package/LICENSE"
        VERBATIM)
    add_custom_target(release_zip DEPENDS "${TIDYREEL_ZIP}")
endif()
