# Helpers shared by the subsystem CMakeLists.
#
# terrion_core_library(name sources...) declares a library that must stay plain
# C++: it may not link wxWidgets, directly or through another library.
# terrion_check_core_layering() fails the configuration when one does.

set_property(GLOBAL PROPERTY TERRION_CORE_LIBRARIES "")

# The warnings every core library compiles with, on top of -Wall -Wextra
# (sign conversions aside: indexes and sizes mix too often to be worth it).
set(TERRION_STRICT_WARNINGS -Wshadow -Wconversion -Wno-sign-conversion -Wold-style-cast -Wnon-virtual-dtor
    -Woverloaded-virtual)

function(terrion_core_library name)
  if(NOT ARGN)
    message(STATUS "Library '${name}' has no sources yet; not built")
    return()
  endif()
  add_library(${name} ${ARGN})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
  target_compile_options(${name} PRIVATE ${TERRION_STRICT_WARNINGS})
  set_property(GLOBAL APPEND PROPERTY TERRION_CORE_LIBRARIES ${name})
endfunction()

function(_terrion_collect_links target out_var)
  set(seen "")
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue current)
    if(current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    if(TARGET ${current})
      get_target_property(links ${current} LINK_LIBRARIES)
      if(links)
        list(APPEND queue ${links})
      endif()
      get_target_property(ilinks ${current} INTERFACE_LINK_LIBRARIES)
      if(ilinks)
        list(APPEND queue ${ilinks})
      endif()
    endif()
  endwhile()
  set(${out_var} ${seen} PARENT_SCOPE)
endfunction()

function(terrion_check_core_layering)
  get_property(core GLOBAL PROPERTY TERRION_CORE_LIBRARIES)
  foreach(lib IN LISTS core)
    _terrion_collect_links(${lib} deps)
    foreach(dep IN LISTS deps)
      if(dep MATCHES "[wW]x" OR dep MATCHES "gtk")
        message(FATAL_ERROR "Core library '${lib}' must not depend on wxWidgets (found '${dep}')")
      endif()
    endforeach()
  endforeach()
endfunction()

# terrion_wx_library(name sources...) declares a window library over
# wxWidgets: the tree's include root, wx's headers as system headers (their
# warnings are not ours), wx's definitions, flags and libraries. The caller
# has found wxWidgets.
function(terrion_wx_library name)
  add_library(${name} ${ARGN})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
  target_include_directories(${name} SYSTEM PUBLIC ${wxWidgets_INCLUDE_DIRS})
  target_compile_definitions(${name} PUBLIC ${wxWidgets_DEFINITIONS})
  target_compile_options(${name} PUBLIC ${wxWidgets_CXX_FLAGS})
  target_link_libraries(${name} PUBLIC ${wxWidgets_LIBRARIES})
endfunction()

# terrion_unity_exclusions(dir): in a unity build, every file below dir that
# includes X11's headers is compiled on its own: Xlib's macros (None, Status,
# Bool) would rewrite the files after it in its unit.
function(terrion_unity_exclusions dir)
  get_property(targets DIRECTORY "${dir}" PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(sources ${target} SOURCES)
    get_target_property(source_dir ${target} SOURCE_DIR)
    foreach(source IN LISTS sources)
      get_filename_component(path "${source}" ABSOLUTE BASE_DIR "${source_dir}")
      if(path MATCHES "\\.cpp$" AND EXISTS "${path}")
        file(STRINGS "${path}" x11 REGEX "^#include <X11/")
        if(x11)
          set_source_files_properties("${path}" TARGET_DIRECTORY ${target} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
        endif()
      endif()
    endforeach()
  endforeach()
  get_property(subdirs DIRECTORY "${dir}" PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    terrion_unity_exclusions("${subdir}")
  endforeach()
endfunction()
