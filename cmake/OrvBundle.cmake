# orv_add_module_bundle(<target> NAME <name> DIRECTORY <bundle dir> SOURCES src...
#                       [LIBS lib...] [WHOLE_ARCHIVE lib...] [LINK_OPTIONS opt...] [RESOURCES])
# A plug-in module laid out as hosts load it:
#   <bundle dir>/Contents/x86_64-linux/<name>.so   exporting the seven entry points only
#   <bundle dir>/Contents/Info.plist               (CFBundleIdentifier com.Brenlow.Orvendal)
#   <bundle dir>/Contents/Resources/               with RESOURCES: the editor's images
# WHOLE_ARCHIVE libraries are linked whole: the library's registration code calls back into
# the plug-in's description, which nothing else in the module refers to.
set(ORV_MODULE_EXPORTS_DIR ${PROJECT_SOURCE_DIR}/plugin/module)
set(ORV_RESOURCES_DIR ${PROJECT_SOURCE_DIR}/resources)

function(orv_add_module_bundle target)
    cmake_parse_arguments(B "RESOURCES" "NAME;DIRECTORY" "SOURCES;LIBS;WHOLE_ARCHIVE;LINK_OPTIONS"
                          ${ARGN})
    set(exports_map ${ORV_MODULE_EXPORTS_DIR}/exports.map)
    add_library(${target} MODULE ${ORV_MODULE_EXPORTS_DIR}/AAX_Exports.cpp ${B_SOURCES})
    target_include_directories(${target} PRIVATE ${ORV_MODULE_EXPORTS_DIR})
    foreach(lib ${B_WHOLE_ARCHIVE})
        target_link_libraries(${target} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${lib}>")
    endforeach()
    target_link_libraries(${target} PRIVATE ${B_LIBS})
    set_target_properties(${target} PROPERTIES
        OUTPUT_NAME "${B_NAME}" PREFIX "" SUFFIX ".so"
        LIBRARY_OUTPUT_DIRECTORY "${B_DIRECTORY}/Contents/x86_64-linux"
        CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON
        LINK_DEPENDS ${exports_map})
    target_link_options(${target} PRIVATE ${B_LINK_OPTIONS}
        "-Wl,--version-script=${exports_map}" -Wl,--no-undefined)

    set(ORV_MODULE_NAME "${B_NAME}")
    configure_file(${ORV_RESOURCES_DIR}/Info.plist.in "${B_DIRECTORY}/Contents/Info.plist" @ONLY)
    if(NOT B_RESOURCES)
        return()
    endif()
    # Every resource but the templates goes into Contents/Resources.
    file(GLOB resources CONFIGURE_DEPENDS ${ORV_RESOURCES_DIR}/*)
    list(FILTER resources EXCLUDE REGEX "\\.in$")
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E make_directory "${B_DIRECTORY}/Contents/Resources"
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${resources}
                "${B_DIRECTORY}/Contents/Resources"
        VERBATIM)
endfunction()
