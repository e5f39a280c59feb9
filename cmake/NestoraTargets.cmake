# SPDX-License-Identifier: MIT
# One warning list for every target of the project.
add_library(nestora_warnings INTERFACE)
target_compile_options(nestora_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
  -Wcast-qual -Wformat=2 -Wimplicit-fallthrough -Wmissing-declarations)
if(NESTORA_WERROR)
  target_compile_options(nestora_warnings INTERFACE -Werror)
endif()

# A library made of every .cpp file in the calling folder.
function(nestora_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARGN} PRIVATE nestora_warnings)
endfunction()

# Qt's meta-object compiler runs only for targets that use Qt.
function(nestora_uses_qt target)
  set_target_properties(${target} PROPERTIES AUTOMOC ON)
endfunction()

# A program that loads the Year by Year library (the program itself, and the
# tests and benchmarks that open its window) holds the whole logic and lends
# it to the library, so that each function and each global exists once in
# the process: every object of the logic libraries is linked in, and the
# names in namespace nestora are exported for the library to bind to. The
# plan document's library (Qt's JSON) is among them, so that both windows
# read and write plan documents with one copy of it.
set(nestora_logic_libraries nestora_document nestora_schedule nestora_settings nestora_projection
    nestora_number)
function(nestora_year_by_year_host target)
  string(JOIN "," logic ${nestora_logic_libraries})
  target_link_libraries(${target} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${logic}>")
  set_property(TARGET ${target} PROPERTY LINK_LIBRARY_OVERRIDE "WHOLE_ARCHIVE,${logic}")
  target_link_options(${target} PRIVATE
    "LINKER:--dynamic-list=${PROJECT_SOURCE_DIR}/ui/year_by_year/logic_exports.list")
  set_property(TARGET ${target} APPEND PROPERTY
    LINK_DEPENDS ${PROJECT_SOURCE_DIR}/ui/year_by_year/logic_exports.list)
endfunction()
