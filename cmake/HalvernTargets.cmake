# Shared build rules: warnings, sanitizers and the layering between the system's code and the
# Linux-only layers beneath it.

set(HALVERN_WARNINGS -Wall -Wextra -Wpedantic -Werror -Wshadow -Wconversion -Wno-sign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Wformat=2)
# GCC 12 at -O2 flags bounds it cannot prove inside libstdc++'s vector and string copies; these
# reports are about the library's inlined code, not ours, so they stay warnings there.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    list(APPEND HALVERN_WARNINGS -Wno-error=array-bounds -Wno-error=stringop-overflow
        -Wno-error=stringop-overread -Wno-error=restrict -Wno-error=maybe-uninitialized)
endif()

if(HALVERN_FUZZ)
    # Coverage for the fuzzers in every library they reach, and the sanitizers that turn a
    # silent overrun into a finding.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(HALVERN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()

# Targets that make up the system proper (common/, the programs and their subsystems). They may
# link only these portable targets, never Qt, POSIX-only code or the simulators.
set(HALVERN_PORTABLE_TARGETS halvern_platform halvern_ui CACHE INTERNAL "")
set(HALVERN_CORE_TARGETS "" CACHE INTERNAL "")

function(halvern_warnings target)
    target_compile_options(${target} PRIVATE ${HALVERN_WARNINGS})
endfunction()

# A library of the system proper: portable code only.
function(halvern_core_library name)
    add_library(${name} STATIC ${ARGN})
    halvern_warnings(${name})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    set(HALVERN_CORE_TARGETS ${HALVERN_CORE_TARGETS} ${name} CACHE INTERNAL "")
    set(HALVERN_PORTABLE_TARGETS ${HALVERN_PORTABLE_TARGETS} ${name} CACHE INTERNAL "")
endfunction()

# A library of the Linux-only layers (platform/sim, ui backends, sim/).
function(halvern_host_library name kind)
    add_library(${name} ${kind} ${ARGN})
    halvern_warnings(${name})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# One GoogleTest executable per test folder, registered with CTest.
function(halvern_test name)
    add_executable(${name} ${ARGN})
    halvern_warnings(${name})
    target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        ENVIRONMENT_MODIFICATION "HALVERN_BUILD_DIR=set:${PROJECT_BINARY_DIR}")
endfunction()

# A libFuzzer target: fuzz_NAME from one source, linked with the libraries it reaches.
function(halvern_fuzz_target name source)
    add_executable(fuzz_${name} ${source})
    halvern_warnings(fuzz_${name})
    target_include_directories(fuzz_${name} PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(fuzz_${name} PRIVATE ${ARGN})
    set_property(GLOBAL APPEND PROPERTY HALVERN_FUZZ_TARGETS fuzz_${name})
endfunction()

# Called once at the end of configuration: a core target that links anything outside the
# portable set breaks the layering.
function(halvern_check_layering)
    foreach(target IN LISTS HALVERN_CORE_TARGETS)
        get_target_property(deps ${target} LINK_LIBRARIES)
        if(NOT deps)
            continue()
        endif()
        foreach(dep IN LISTS deps)
            string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" dep "${dep}")
            if(NOT dep IN_LIST HALVERN_PORTABLE_TARGETS)
                message(FATAL_ERROR "Layering: ${target} links ${dep}, which is not portable code")
            endif()
        endforeach()
    endforeach()
endfunction()

include(GoogleTest)
include(cmake/SubdirsHelper.cmake)
