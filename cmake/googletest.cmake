# GoogleTest: natively Debian's prebuilt one (libgtest-dev); for Windows built from source with the
# project's compiler and runtime: Debian's googletest, or a checkout of google/googletest (the
# Windows presets look in build/googletest, where CI puts one).
if(NOT WIN32)
    find_package(GTest CONFIG QUIET)
endif()
if(NOT TARGET GTest::gtest_main)
    set(TIDYREEL_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources (Debian package googletest)")
    if(NOT EXISTS ${TIDYREEL_GTEST_SOURCE_DIR}/CMakeLists.txt)
        message(FATAL_ERROR "No GoogleTest in ${TIDYREEL_GTEST_SOURCE_DIR}: set TIDYREEL_GTEST_SOURCE_DIR or TIDYREEL_TESTS=OFF")
    endif()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    # The Microsoft runtime as the product takes it: static (cmake/flags.cmake).
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    add_subdirectory(${TIDYREEL_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    tidyreel_unoptimised(gtest gtest_main)
endif()
