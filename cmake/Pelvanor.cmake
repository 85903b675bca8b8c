# Every area collects the sources of its own folder, so that adding a file needs no
# edit of a shared list.
function(pv_glob_sources out dir)
  file(GLOB _src CONFIGURE_DEPENDS
       ${dir}/*.cpp ${dir}/*.h ${dir}/*.qrc)
  set(${out} ${_src} PARENT_SCOPE)
endfunction()

# A Qt Test program: pv_add_test(NAME sources... LIBS libs...)
# Tests run headless, each in a temporary program folder of its own, and keep what Qt
# saves for the user (the file dialogs' history and column widths) in a settings folder
# of their own under the build folder, never in the user's.
function(pv_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
  set_target_properties(${name} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests-bin)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config/${name};PV_SOURCE_DIR=${PROJECT_SOURCE_DIR};PV_BIN_DIR=${PV_BIN_DIR}"
    TIMEOUT 600)
endfunction()

# Fails the configure when a target, or anything it links, links Qt Widgets or Qt Gui:
# pv_require_no_widgets(target). Checked once every target is defined.
function(pv_require_no_widgets target)
  # A deferred call reads its arguments when it runs, so the name is put in now.
  cmake_language(EVAL CODE
    "cmake_language(DEFER DIRECTORY [[${PROJECT_SOURCE_DIR}]] CALL _pv_check_no_widgets [[${target}]])")
endfunction()

function(_pv_check_no_widgets target)
  set(seen "")
  set(todo ${target})
  while(todo)
    list(POP_FRONT todo current)
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" current "${current}")
    if(current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    if(current MATCHES "Qt6?::(Widgets|Gui)")
      message(FATAL_ERROR "${target} must not link Qt Widgets or Qt Gui, but links ${current}")
    endif()
    if(TARGET ${current})
      get_target_property(libs ${current} INTERFACE_LINK_LIBRARIES)
      if(libs)
        list(APPEND todo ${libs})
      endif()
      get_target_property(imported ${current} IMPORTED)
      if(NOT imported)
        get_target_property(libs ${current} LINK_LIBRARIES)
        if(libs)
          list(APPEND todo ${libs})
        endif()
      endif()
    endif()
  endwhile()
endfunction()
