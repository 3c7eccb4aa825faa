# One test executable per layer; every test of it carries the layer's label,
# so `ctest -L core` runs exactly that layer. QT layers get a main that starts
# a QApplication on the offscreen platform. TARGET names the executable when a
# layer has more than one.
function(quorix_add_tests label)
  cmake_parse_arguments(ARG "QT" "TARGET" "SOURCES;LIBS" ${ARGN})
  set(target ${label}_tests)
  if(ARG_TARGET)
    set(target ${ARG_TARGET})
  endif()
  if(ARG_QT)
    add_executable(${target} ${ARG_SOURCES} ${CMAKE_SOURCE_DIR}/tests/qt_test_main.cpp)
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest Qt6::Test quorix_warnings)
  else()
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main quorix_warnings)
  endif()
  if(CMAKE_CROSSCOMPILING)
    # Listing the tests would run the program at build time; ctest runs it whole, through the emulator.
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES LABELS ${label})
  else()
    gtest_discover_tests(${target}
      PROPERTIES LABELS ${label} ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
      DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
