# Every folder under src/ is one static library made of the sources in it;
# a library names only the libraries below it.
function(mascot_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS;PACKAGES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(mascot_${name} STATIC ${sources})
  target_include_directories(mascot_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  foreach(dep IN LISTS ARG_DEPENDS)
    target_link_libraries(mascot_${name} PUBLIC mascot_${dep})
  endforeach()
  foreach(pkg IN LISTS ARG_PACKAGES)
    target_link_libraries(mascot_${name} PUBLIC ${pkg})
  endforeach()
endfunction()

# tests/<layer>/*.cpp become one GoogleTest program per layer.
function(mascot_test_suite layer)
  cmake_parse_arguments(ARG "" "" "LIBRARIES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(test_${layer} ${sources})
  target_include_directories(test_${layer} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(test_${layer} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock GTest::gtest_main)
  set_target_properties(test_${layer} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(test_${layer} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS ${layer})
endfunction()

# A library whose sources use Designer forms from resources/dialogs/. The
# form's header is made by the autogen step, too late for the build to see
# that it changed: a source depends on the form that shares its name.
function(mascot_use_forms name)
  set_target_properties(mascot_${name} PROPERTIES
    AUTOUIC ON
    AUTOUIC_SEARCH_PATHS ${PROJECT_SOURCE_DIR}/resources/dialogs)
  file(GLOB forms CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/dialogs/*.ui)
  foreach(form IN LISTS forms)
    get_filename_component(form_name ${form} NAME_WE)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${form_name}.cpp)
      set_source_files_properties(${form_name}.cpp PROPERTIES OBJECT_DEPENDS ${form})
    endif()
  endforeach()
endfunction()
