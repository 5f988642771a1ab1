# Adds a folder when it has a CMakeLists.txt, so folders can arrive one at a time.
function(orv_add_folder dir)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
        add_subdirectory(${dir})
    endif()
endfunction()

# Adds every folder below the current one that has a CMakeLists.txt: one folder per area.
function(orv_add_subfolders)
    file(GLOB areas RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} LIST_DIRECTORIES true CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/*)
    foreach(area ${areas})
        orv_add_folder(${area})
    endforeach()
endfunction()

# orv_add_gtest(NAME SOURCES src... [LIBS lib...] [PORT] [TIMEOUT s] [LABELS l...])
# One GoogleTest executable; each test case becomes a CTest entry. PORT marks suites that
# use the companion port 51121, so CTest never runs two of them at once.
function(orv_add_gtest name)
    cmake_parse_arguments(T "PORT" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main
                                          Threads::Threads)
    set(props TIMEOUT ${T_TIMEOUT})
    if(T_PORT)
        list(APPEND props RESOURCE_LOCK companion_port)
    endif()
    if(T_LABELS)
        list(APPEND props LABELS "${T_LABELS}")
    endif()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${props})
endfunction()

include(OrvBundle)

find_package(Threads REQUIRED)
include(OrvDependencies)
if(ORV_TESTS OR ORV_FUZZ)
    find_package(GTest REQUIRED)
    include(GoogleTest)
endif()
