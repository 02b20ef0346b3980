# Adds a subdirectory only when it has a CMakeLists.txt, so that parts of the
# program can grow in their own folders without touching the top-level file.
function(vexil_optional_subdirectory dir)
  if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt")
    add_subdirectory(${dir})
  endif()
endfunction()

# One GoogleTest executable per test folder: every *.cpp in the folder.
#   vexil_gtest(NAME ffile_tests LIBS vexil_ffile)
function(vexil_gtest)
  cmake_parse_arguments(T "" "NAME" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  add_executable(${T_NAME} ${sources})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} vexil_test_support GTest::gtest_main)
  target_compile_definitions(${T_NAME} PRIVATE VEXIL_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
