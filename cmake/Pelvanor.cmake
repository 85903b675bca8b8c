# Every area collects the sources of its own folder, so that adding a file needs no
# edit of a shared list.
function(pv_glob_sources out dir)
  file(GLOB _src CONFIGURE_DEPENDS
       ${dir}/*.cpp ${dir}/*.h ${dir}/*.qrc)
  set(${out} ${_src} PARENT_SCOPE)
endfunction()

# A Qt Test program: pv_add_test(NAME sources... LIBS libs...)
# Tests run headless, each in a temporary program folder of its own.
function(pv_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
  set_target_properties(${name} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests-bin)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;PV_SOURCE_DIR=${PROJECT_SOURCE_DIR};PV_BIN_DIR=${PV_BIN_DIR}"
    TIMEOUT 600)
endfunction()
