# murva_plugin(<target> OUTPUT_NAME <name> SOURCES <files...> [LIBRARIES <libs...>]
#              [OUTPUT_DIRECTORY <dir>] [NO_INSTALL])
#
# Builds an image plug-in: a shared object named <name>.spi (no "lib"
# prefix) that exports only the entry points marked MURVA_SPI_EXPORT. The
# local-memory handle functions stay undefined; the program that loads the
# plug-in provides them. Shipped plug-ins go next to the murva32 executable
# and are installed into <libdir>/murva32/plugins.
set(MURVA_PLUGIN_COMMON_DIR ${CMAKE_CURRENT_LIST_DIR})

function(murva_plugin target)
  cmake_parse_arguments(ARG "NO_INSTALL" "OUTPUT_NAME;OUTPUT_DIRECTORY"
                        "SOURCES;LIBRARIES;DEFINITIONS" ${ARGN})
  if(NOT ARG_OUTPUT_DIRECTORY)
    set(ARG_OUTPUT_DIRECTORY ${MURVA_PLUGIN_OUTPUT_DIRECTORY})
  endif()
  add_library(${target} MODULE ${ARG_SOURCES} ${MURVA_PLUGIN_COMMON_DIR}/spi_plugin.c)
  target_include_directories(${target} PRIVATE ${MURVA_PLUGIN_COMMON_DIR})
  target_link_libraries(${target} PRIVATE murva_spi_interface ${ARG_LIBRARIES})
  target_compile_definitions(${target} PRIVATE ${ARG_DEFINITIONS})
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    SUFFIX ".spi"
    OUTPUT_NAME ${ARG_OUTPUT_NAME}
    LIBRARY_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIRECTORY}
    C_STANDARD 11
    C_STANDARD_REQUIRED ON
    C_VISIBILITY_PRESET hidden
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  if(NOT ARG_NO_INSTALL)
    install(TARGETS ${target} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/murva32/plugins)
  endif()
endfunction()
