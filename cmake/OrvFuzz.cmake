# The libFuzzer targets need clang. They are built by a nested build of this same source
# tree (ORV_FUZZ=ON), and each fuzz/<area>/<name>_fuzz.cpp becomes a CTest entry that runs
# a bounded number of inputs under AddressSanitizer.
find_program(ORV_CLANGXX NAMES clang++ clang++-14)
find_program(ORV_CLANG NAMES clang clang-14)
file(GLOB_RECURSE orv_fuzz_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/*_fuzz.cpp)
if(NOT orv_fuzz_sources)
    return()
endif()
if(NOT ORV_CLANGXX OR NOT ORV_CLANG)
    message(STATUS "clang not found: the libFuzzer targets are skipped")
    return()
endif()

include(ExternalProject)
set(orv_fuzz_dir ${CMAKE_BINARY_DIR}/fuzz-clang)
ExternalProject_Add(orv_fuzzers
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${orv_fuzz_dir}
    CMAKE_ARGS -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=${ORV_CLANG}
               -DCMAKE_CXX_COMPILER=${ORV_CLANGXX} -DORV_FUZZ=ON -DORV_TESTS=OFF -DORV_BENCH=OFF
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${orv_fuzz_dir} --target fuzzers
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    USES_TERMINAL_BUILD ON)

set(ORV_FUZZ_RUNS 20000 CACHE STRING "Inputs each fuzz target runs in CTest")
foreach(src ${orv_fuzz_sources})
    get_filename_component(name ${src} NAME_WE)
    get_filename_component(area ${src} DIRECTORY)
    get_filename_component(area ${area} NAME)
    set(corpus ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
    file(MAKE_DIRECTORY ${corpus})
    set(seeds "")
    if(EXISTS ${PROJECT_SOURCE_DIR}/fuzz/${area}/corpus/${name})
        set(seeds ${PROJECT_SOURCE_DIR}/fuzz/${area}/corpus/${name})
    endif()
    add_test(NAME fuzz.${name}
             COMMAND ${orv_fuzz_dir}/fuzz/${area}/${name} -runs=${ORV_FUZZ_RUNS} -seed=1
                     -max_len=65536 ${corpus} ${seeds})
    set_tests_properties(fuzz.${name} PROPERTIES TIMEOUT 600 LABELS fuzz)
endforeach()
