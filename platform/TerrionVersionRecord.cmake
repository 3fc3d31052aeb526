# terrion_add_version_record(target [DESCRIPTION text] [INTERNAL_NAME name] [COMMENTS text])
#
# Gives an executable or shared library the version record that
# CFileVersionInfo reads back from the file: the fixed file and product
# version from the project's version, and the thirteen version strings.
# OriginalFileName is the built file's real name.

function(_terrion_c_string out_var text)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  string(REPLACE "\n" "\\n" text "${text}")
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

function(terrion_add_version_record target)
  cmake_parse_arguments(ARG "" "DESCRIPTION;INTERNAL_NAME;COMMENTS" "" ${ARGN})

  set(parts "")
  foreach(part IN ITEMS MAJOR MINOR PATCH TWEAK)
    set(value "${TerrionLink_VERSION_${part}}")
    if(value STREQUAL "")
      set(value 0)
    endif()
    if(value GREATER 65535)
      message(FATAL_ERROR "Version part ${part} '${value}' does not fit 16 bits")
    endif()
    list(APPEND parts ${value})
  endforeach()
  list(GET parts 0 major)
  list(GET parts 1 minor)
  list(GET parts 2 build)
  list(GET parts 3 revision)
  math(EXPR TVR_VERSION_MS "(${major} << 16) | ${minor}" OUTPUT_FORMAT HEXADECIMAL)
  math(EXPR TVR_VERSION_LS "(${build} << 16) | ${revision}" OUTPUT_FORMAT HEXADECIMAL)
  set(version_text "${major}.${minor}.${build}.${revision}")

  if(NOT ARG_DESCRIPTION)
    set(ARG_DESCRIPTION "TerrionLink")
  endif()
  if(NOT ARG_INTERNAL_NAME)
    set(ARG_INTERNAL_NAME "${target}")
  endif()

  get_target_property(type ${target} TYPE)
  if(type STREQUAL "SHARED_LIBRARY" OR type STREQUAL "MODULE_LIBRARY")
    set(TVR_FILE_TYPE 2) # a library
  else()
    set(TVR_FILE_TYPE 1) # a program
  endif()

  set(TVR_TARGET "${target}")
  _terrion_c_string(TVR_COMPANY_NAME "Varnel")
  _terrion_c_string(TVR_FILE_DESCRIPTION "${ARG_DESCRIPTION}")
  _terrion_c_string(TVR_FILE_VERSION "${version_text}")
  _terrion_c_string(TVR_INTERNAL_NAME "${ARG_INTERNAL_NAME}")
  _terrion_c_string(TVR_LEGAL_COPYRIGHT "Copyright (C) Varnel")
  _terrion_c_string(TVR_PRODUCT_NAME "TerrionLink")
  _terrion_c_string(TVR_PRODUCT_VERSION "${version_text}")
  _terrion_c_string(TVR_COMMENTS "${ARG_COMMENTS}")

  set(configured "${CMAKE_CURRENT_BINARY_DIR}/${target}_version_record.cpp.in")
  set(generated "${CMAKE_CURRENT_BINARY_DIR}/${target}_version_record.cpp")
  configure_file("${CMAKE_CURRENT_FUNCTION_LIST_DIR}/VersionRecord.cpp.in" "${configured}" @ONLY)
  file(GENERATE OUTPUT "${generated}" INPUT "${configured}")
  target_sources(${target} PRIVATE "${generated}")
endfunction()
