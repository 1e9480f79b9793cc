# lmr_test(<name> SOURCES <files...> LIBS <targets...> [QT] [LABELS <labels...>])
# One test program, one CTest entry. QT gives the program a QApplication
# (offscreen platform) around GoogleTest.
function(lmr_test name)
  cmake_parse_arguments(T "QT" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_QT)
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/qt_main.cpp)
    target_link_libraries(${name} PRIVATE GTest::gtest GTest::gmock Qt6::Widgets Qt6::Test)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main GTest::gmock)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} Threads::Threads)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests/support)
  add_test(NAME ${name} COMMAND ${name})
  # Serial lock files of a folder of its own: the pseudo-terminals of tests running side by side
  # get numbers that another test's meter had a moment ago.
  set(locks ${CMAKE_BINARY_DIR}/test-locks/${name})
  file(MAKE_DIRECTORY ${locks})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LMR_LOCK_DIR=${locks}"
    TIMEOUT 600
    LABELS "${T_LABELS}")
endfunction()

# lmr_library(<target> [QT | QTCORE] LIBS <targets...>)
# A folder's library: every .cpp and .h of the folder it is called from. QT links the widget
# modules, QTCORE Qt Core alone.
function(lmr_library name)
  cmake_parse_arguments(L "QT;QTCORE" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  list(FILTER sources EXCLUDE REGEX ".*/main\\.cpp$")
  set(cpp ${sources})
  list(FILTER cpp INCLUDE REGEX ".*\\.cpp$")
  if(NOT cpp)
    # A folder that holds no code yet.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${L_LIBS})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${L_LIBS} Threads::Threads)
  if(L_QT)
    target_link_libraries(${name} PUBLIC Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Charts)
  elseif(L_QTCORE)
    target_link_libraries(${name} PUBLIC Qt6::Core)
  endif()
endfunction()

# lmr_test_folder(<prefix> LIBS <targets...> [QT] [LABELS <labels...>])
# Every <name>_test.cpp of the folder becomes the test program <prefix>_<name>.
function(lmr_test_folder prefix)
  cmake_parse_arguments(F "QT" "" "LIBS;LABELS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  file(GLOB helpers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_support.cpp)
  foreach(t ${tests})
    get_filename_component(base ${t} NAME_WE)
    string(REGEX REPLACE "_test$" "" base ${base})
    if(F_QT)
      lmr_test(${prefix}_${base} QT SOURCES ${t} ${helpers} LIBS ${F_LIBS} LABELS ${F_LABELS})
    else()
      lmr_test(${prefix}_${base} SOURCES ${t} ${helpers} LIBS ${F_LIBS} LABELS ${F_LABELS})
    endif()
  endforeach()
endfunction()
