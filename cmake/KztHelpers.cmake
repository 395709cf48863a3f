# Shared build helpers for the four products.

# kzt_add_gtest(NAME SOURCES... LIBS ... [DATA dir])
# A GoogleTest executable whose cases are discovered by CTest; its golden
# files are in DATA (default: data beside the test).
function(kzt_add_gtest name)
  cmake_parse_arguments(ARG "" "DATA" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_DATA)
    set(ARG_DATA ${CMAKE_CURRENT_SOURCE_DIR}/data)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} kzt_test_support GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    KZT_TEST_DATA_DIR="${ARG_DATA}"
    KZT_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KZT_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# kzt_add_qtest(NAME SOURCES... LIBS ...)
# A Qt Test executable on the offscreen platform; one CTest entry per executable.
function(kzt_add_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test Qt6::Widgets)
  target_compile_definitions(${name} PRIVATE
    KZT_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
    KZT_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KZT_BINARY_DIR="${PROJECT_BINARY_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()

# kzt_install_share(PRODUCT DIR)
# Installs a product's shipped files (runtime scripts, templates, samples, help).
function(kzt_install_share product dir)
  install(DIRECTORY ${dir}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/${product})
endfunction()
include(KztAddProduct)
include(KztDesktop)
