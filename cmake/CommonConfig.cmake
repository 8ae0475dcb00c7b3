# One INTERFACE target that every library, program, test and benchmark of the project
# links, PRIVATE (it is how each target is built, not something it passes on): the
# language level, the include root, warnings and project-wide defines live here and
# nowhere else.
add_library(sumbrook_common INTERFACE)
add_library(Sumbrook::common ALIAS sumbrook_common)

target_compile_features(sumbrook_common INTERFACE cxx_std_17)
# Every project header is included from the root: "engine/drill_engine.h".
target_include_directories(sumbrook_common INTERFACE ${PROJECT_SOURCE_DIR})
target_compile_options(sumbrook_common INTERFACE
    $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor
                                   -Woverloaded-virtual>
    $<$<AND:$<CXX_COMPILER_ID:GNU,Clang>,$<BOOL:${SUMBROOK_WERROR}>>:-Werror>)
# Strings: no silent conversion either way between char* and QString, builders for
# concatenation; nothing that Qt 6.4 deprecates.
target_compile_definitions(sumbrook_common INTERFACE
    QT_NO_KEYWORDS
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_USE_QSTRINGBUILDER
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_DISABLE_DEPRECATED_UP_TO=0x060400)

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
