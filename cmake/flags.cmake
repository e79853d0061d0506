# Compiler and linker settings shared by the product targets.

# High warnings as errors on product code; options are per compiler family so that a
# Visual Studio build does not receive GNU-only flags.
function(tidyreel_product_flags target)
    target_compile_options(${target} PRIVATE
        $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic -Wshadow -Wcast-qual -Wformat=2 -Werror>
        $<$<CXX_COMPILER_ID:MSVC>:/W4 /WX /permissive- /utf-8>
    )
    if(WIN32)
        # A 7-era Windows API surface, 8-bit ("A") entry points chosen explicitly in the code.
        target_compile_definitions(${target} PUBLIC
            WIN32_LEAN_AND_MEAN NOMINMAX STRICT _WIN32_WINNT=0x0601 WINVER=0x0601)
    endif()
endfunction()

# The executable must start on a bare Windows: no MinGW runtime DLLs beside it.
function(tidyreel_static_runtime target)
    if(MINGW)
        target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    endif()
endfunction()

if(TIDYREEL_SANITIZE AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
