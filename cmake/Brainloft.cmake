# brainloft_library(NAME SOURCES ... LIBS ...): a static library of one subsystem.
function(brainloft_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# brainloft_test(NAME [GUI] SOURCES ... LIBS ...): one GoogleTest executable registered with CTest.
# GUI tests get a QApplication on the offscreen platform, model tests a QCoreApplication.
function(brainloft_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_GUI)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} brainloft_testmain_gui)
  else()
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} brainloft_testmain_core)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
    TIMEOUT 300)
endfunction()
