# One INTERFACE target that every library, program, test and benchmark links:
# language level, warnings and project-wide defines live here and nowhere else.
add_library(sumbrook_common INTERFACE)
add_library(Sumbrook::common ALIAS sumbrook_common)

target_compile_features(sumbrook_common INTERFACE cxx_std_17)
target_compile_options(sumbrook_common INTERFACE
    $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic>
    $<$<AND:$<CXX_COMPILER_ID:GNU,Clang>,$<BOOL:${SUMBROOK_WERROR}>>:-Werror>)
target_compile_definitions(sumbrook_common INTERFACE
    QT_NO_KEYWORDS
    QT_NO_CAST_FROM_ASCII
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)

# Windows: a section per function and per datum, so that the link of a program that
# carries a static Qt drops whatever nothing calls.
if(WIN32)
    target_compile_options(sumbrook_common INTERFACE -ffunction-sections -fdata-sections)
    target_link_options(sumbrook_common INTERFACE -Wl,--gc-sections)
endif()

# ASan + UBSan for the whole tree (see the "sanitize" preset).
if(SUMBROOK_SANITIZE)
    target_compile_options(sumbrook_common INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(sumbrook_common INTERFACE -fsanitize=address,undefined)
endif()
