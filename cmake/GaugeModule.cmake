# add_gauge_module(<target> NAME <module name> SOURCES <files...>
#                  [RESOURCES <rc files...>] [RESOURCE_DEPENDS <files...>] [RESOURCE_INCLUDE_DIRS <dirs...>]
#                  [NO_GAUGE_STEPS] [DIST])
#
# Builds <module name>.gau: a relocatable 32-bit DLL holding the frame and the gauge's own sources, exporting
# Linkage and ImportTable and nothing else. NO_GAUGE_STEPS links the frame's empty install and kill steps;
# DIST stages the module into dist/Gauges.
function(add_gauge_module target)
  cmake_parse_arguments(PARSE_ARGV 1 GAUGE "NO_GAUGE_STEPS;DIST" "NAME"
                        "SOURCES;RESOURCES;RESOURCE_DEPENDS;RESOURCE_INCLUDE_DIRS")
  add_library(${target} MODULE ${GAUGE_SOURCES} ${GAUGE_RESOURCES} $<TARGET_OBJECTS:gauge_frame>)
  if(GAUGE_NO_GAUGE_STEPS)
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/frame/no_gauge_steps.cpp)
  endif()
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/frame ${GAUGE_RESOURCE_INCLUDE_DIRS})
  target_compile_options(${target} PRIVATE ${GAUGE_MODULE_COMPILE_OPTIONS})
  target_link_options(${target} PRIVATE ${GAUGE_MODULE_LINK_OPTIONS})
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${GAUGE_NAME} SUFFIX ".gau")
  if(GAUGE_DIST)
    set_property(GLOBAL APPEND PROPERTY DIST_GAUGE_MODULES ${target})
  endif()
  if(GAUGE_RESOURCES AND GAUGE_RESOURCE_DEPENDS)
    set_source_files_properties(${GAUGE_RESOURCES} PROPERTIES OBJECT_DEPENDS "${GAUGE_RESOURCE_DEPENDS}")
  endif()
endfunction()
