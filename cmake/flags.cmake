# Compiler and linker settings shared by the product targets.

# High warnings as errors on C++ code (not on resource scripts); options are per command-line
# family so that a Visual Studio build receives no GNU-only flags. MSVC is also set for clang-cl,
# which reads cl's options and would take -Wall for -Weverything.
function(tidyreel_product_flags target)
    if(MSVC)
        set(warnings /W4 /WX /permissive- /utf-8)
    else()
        set(warnings -Wall -Wextra -Wpedantic -Wshadow -Wcast-qual -Wformat=2 -Werror)
    endif()
    target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:${warnings}>")
    if(WIN32)
        # A 7-era Windows API surface, 8-bit ("A") entry points chosen explicitly in the code.
        target_compile_definitions(${target} PUBLIC
            WIN32_LEAN_AND_MEAN NOMINMAX STRICT _WIN32_WINNT=0x0601 WINVER=0x0601)
    endif()
    if(MSVC)
        # fopen and friends are standard C++; the Microsoft library would flag them as unsafe.
        target_compile_definitions(${target} PRIVATE _CRT_SECURE_NO_WARNINGS)
    endif()
endfunction()

# The executable must start on a bare Windows: no compiler runtime DLLs beside it.
# With the Microsoft compiler every target, Google Test included, takes the static runtime: its
# linker refuses to mix objects built for the two runtimes. Other compilers ignore the variable.
set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
function(tidyreel_static_runtime target)
    if(MINGW)
        target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    endif()
endfunction()

if(TIDYREEL_SANITIZE AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang" AND NOT MSVC)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# Test code is compiled without optimisation whatever the build type: it builds in half the time,
# and what it checks is the product, which keeps its own flags.
function(tidyreel_unoptimised)
    if(NOT MSVC)
        foreach(target IN LISTS ARGN)
            target_compile_options(${target} PRIVATE -O0)
        endforeach()
    endif()
endfunction()
