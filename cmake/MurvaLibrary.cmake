# One static library per source folder; the folder's files are picked up by
# glob so that adding a file needs no change here.
function(murva_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  add_library(murva_${name} STATIC ${sources})
  target_include_directories(murva_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(murva_${name} PUBLIC ${ARG_DEPS})
  murva_precompiled_headers(murva_${name} ${ARG_DEPS})
endfunction()

# Precompiled headers, one set per kind of target: the standard library for
# folders without Qt, Qt Gui for the rest, Qt Widgets for the window; test
# targets add GoogleTest. The first target of a kind builds the headers and
# the others reuse them, so that each set is compiled once.
function(murva_precompiled_headers target)
  set(deps ${ARGN})
  set(headers <algorithm> <filesystem> <functional> <map> <memory> <optional> <string>
      <vector>)
  if(deps MATCHES "murva_ui|Qt6::Widgets")
    set(kind widgets)
  elseif(deps MATCHES "murva_(render|imaging|platform|app)|Qt6::Gui")
    set(kind gui)
  else()
    set(kind plain)
  endif()
  # The pure-logic folders build against the standard library only, even
  # where they reach Qt through a dependency.
  if(target MATCHES "^murva_(calendar|settings|schedule)$")
    set(kind plain)
  elseif(deps MATCHES "murva_(settings|schedule)" AND kind STREQUAL "plain")
    set(kind gui)  # a test that reaches Qt through them builds as Qt code does
  endif()
  if(kind STREQUAL "gui" OR kind STREQUAL "widgets")
    list(APPEND headers <QString> <QImage> <QPainter> <QColor> <QFont>)
  endif()
  if(kind STREQUAL "widgets")
    list(APPEND headers <QApplication> <QWidget> <QLabel> <QPushButton> <QComboBox>
         <QLineEdit> <QCheckBox> <QTabWidget> <QMessageBox>)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    list(APPEND headers <gtest/gtest.h> <gmock/gmock.h>)
    if(kind STREQUAL "widgets")
      list(APPEND headers <QTest>)
    endif()
    set(kind test_${kind})
    # Qt Test defines the test's own folders, which the headers must match.
    if(deps MATCHES "Qt6::Test")
      string(REGEX REPLACE "_tests$" "" suite ${target})
      set(kind ${kind}_${suite})
    endif()
  endif()
  # The headers are built by a target of their own that depends on nothing
  # of ours, so that reusing them adds no edge between the folders.
  set(host murva_pch_${kind})
  if(NOT TARGET ${host})
    set(source ${CMAKE_BINARY_DIR}/pch/${kind}.cpp)
    if(type STREQUAL "EXECUTABLE")
      file(WRITE ${source} "int main() { return 0; }\n")
      add_executable(${host} ${source})
      target_compile_options(${host} PRIVATE $<$<CONFIG:Check>:-O0>)
    else()
      file(WRITE ${source} "// the precompiled headers of a kind of library\n")
      add_library(${host} STATIC ${source})
    endif()
    set(libraries)
    if(kind MATCHES "gui|widgets")
      list(APPEND libraries Qt6::Gui)
    endif()
    if(kind MATCHES "widgets")
      list(APPEND libraries Qt6::Widgets Qt6::DBus)
    endif()
    if(kind MATCHES "test_")
      list(APPEND libraries GTest::gtest GTest::gmock)
    endif()
    if(kind MATCHES "^test_widgets")
      list(APPEND libraries Qt6::Test)
    endif()
    target_link_libraries(${host} PRIVATE ${libraries})
    target_precompile_headers(${host} PRIVATE ${headers})
  endif()
  target_precompile_headers(${target} REUSE_FROM ${host})
endfunction()

# One GoogleTest executable per test folder. COST (seconds a test of the
# folder may take) lets a first ctest run, which has no timings of its own
# yet, start the long tests first instead of ending on them.
function(murva_test_suite name)
  cmake_parse_arguments(ARG "" "COST" "DEPS" ${ARGN})
  if(NOT ARG_COST)
    set(ARG_COST 0)
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
       ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    return()
  endif()
  add_executable(${name}_tests ${sources})
  target_include_directories(${name}_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name}_tests PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  murva_precompiled_headers(${name}_tests ${ARG_DEPS})
  # What a test file does needs no optimisation; the program's code it
  # drives is optimised as the build type says.
  target_compile_options(${name}_tests PRIVATE $<$<CONFIG:Check>:-O0>)
  target_compile_definitions(${name}_tests PRIVATE
    MURVA_TEST_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}"
    MURVA_TEST_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name}_tests DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS ${name} COST ${ARG_COST})
endfunction()

# Qt Network for one target: linked, and its headers found, without the
# compile definition that would set the target apart from the others sharing
# its precompiled headers (only a few files use it).
function(murva_use_qt_network target)
  target_link_libraries(${target} PRIVATE $<LINK_ONLY:Qt6::Network>)
  target_include_directories(${target} SYSTEM PRIVATE
    $<TARGET_PROPERTY:Qt6::Network,INTERFACE_INCLUDE_DIRECTORIES>)
endfunction()
