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
