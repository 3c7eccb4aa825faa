if(CMAKE_SCRIPT_MODE_FILE)
  cmake_minimum_required(VERSION 3.25)
endif()

# The layers, from the bottom up (docs/architecture.md draws the same map). A
# folder may include and link only what lies on an earlier line; folders on one
# line stand beside each other and use nothing of each other.
set(QUORIX_LAYERS
  "platform"
  "core"
  "link json"
  "sim support venue"
  "tables"
  "controls"
  "graph"
  "measure"
  "report"
  "presets"
  "ui"
  "app agent cli soak tools"
  "tests"
  "bench fuzz")

# The line of FOLDER in QUORIX_LAYERS, or -1 when it has none.
function(quorix_layer_rank folder out)
  set(rank 0)
  foreach(line IN LISTS QUORIX_LAYERS)
    string(REPLACE " " ";" folders "${line}")
    if(folder IN_LIST folders)
      set(${out} ${rank} PARENT_SCOPE)
      return()
    endif()
    math(EXPR rank "${rank} + 1")
  endforeach()
  set(${out} -1 PARENT_SCOPE)
endfunction()

# The project's top folder that PATH lies in, or "" for the top itself and what is outside.
function(quorix_top_folder path root out)
  file(RELATIVE_PATH relative "${root}" "${path}")
  if(relative STREQUAL "" OR relative MATCHES "^\\.\\.")
    set(${out} "" PARENT_SCOPE)
    return()
  endif()
  string(REGEX REPLACE "/.*" "" top "${relative}")
  set(${out} "${top}" PARENT_SCOPE)
endfunction()

# True when code in folder FROM may use folder TO; a folder of the project that is
# on no line is an error, so a new folder is placed before it is used.
function(quorix_layer_allows from to out)
  quorix_layer_rank("${from}" from_rank)
  quorix_layer_rank("${to}" to_rank)
  foreach(folder IN ITEMS ${from} ${to})
    quorix_layer_rank("${folder}" rank)
    if(rank EQUAL -1)
      message(FATAL_ERROR "layers: ${folder}/ is on no line of QUORIX_LAYERS (cmake/Layers.cmake)")
    endif()
  endforeach()
  if(from STREQUAL to OR to_rank LESS from_rank)
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

function(quorix_directory_targets directory out)
  get_property(targets DIRECTORY "${directory}" PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirectories DIRECTORY "${directory}" PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    quorix_directory_targets("${subdirectory}" more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Fails the configuration when a target of the project links a target of a folder
# that is not below its own.
function(quorix_check_layer_links)
  quorix_directory_targets("${CMAKE_SOURCE_DIR}" targets)
  set(faults "")
  foreach(target IN LISTS targets)
    get_target_property(directory ${target} SOURCE_DIR)
    quorix_top_folder("${directory}" "${CMAKE_SOURCE_DIR}" folder)
    if(folder STREQUAL "")
      continue()
    endif()
    get_target_property(links ${target} LINK_LIBRARIES)
    foreach(link IN LISTS links)
      if(NOT TARGET "${link}")
        continue()
      endif()
      get_target_property(imported ${link} IMPORTED)
      if(imported)
        continue()
      endif()
      get_target_property(link_directory ${link} SOURCE_DIR)
      quorix_top_folder("${link_directory}" "${CMAKE_SOURCE_DIR}" link_folder)
      if(link_folder STREQUAL "")
        continue()
      endif()
      quorix_layer_allows("${folder}" "${link_folder}" allowed)
      if(NOT allowed)
        string(APPEND faults "\n  ${target} (${folder}/) links ${link} (${link_folder}/)")
      endif()
    endforeach()
  endforeach()
  if(faults)
    message(FATAL_ERROR "layers: a target links a layer that is not below it:${faults}")
  endif()
endfunction()

# Run as a script (cmake -DQUORIX_SOURCE_DIR=DIR -P Layers.cmake), it lists every
# #include "folder/..." in DIR that reaches a folder not below its own and fails on one.
if(CMAKE_SCRIPT_MODE_FILE AND QUORIX_SOURCE_DIR)
  string(REPLACE " " ";" folders "${QUORIX_LAYERS}")
  set(faults "")
  foreach(folder IN LISTS folders)
    file(GLOB_RECURSE sources RELATIVE "${QUORIX_SOURCE_DIR}"
      "${QUORIX_SOURCE_DIR}/${folder}/*.h" "${QUORIX_SOURCE_DIR}/${folder}/*.cpp")
    foreach(source IN LISTS sources)
      file(STRINGS "${QUORIX_SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
      foreach(include IN LISTS includes)
        string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*" "\\1" included "${include}")
        string(REGEX REPLACE "/.*" "" included_folder "${included}")
        if(NOT included_folder IN_LIST folders)
          continue() # relative to the including file, or outside the project
        endif()
        quorix_layer_allows("${folder}" "${included_folder}" allowed)
        if(NOT allowed)
          string(APPEND faults "\n  ${source} includes ${included}")
        endif()
      endforeach()
    endforeach()
  endforeach()
  if(faults)
    message(FATAL_ERROR "layers: an include reaches a layer that is not below its folder:${faults}")
  endif()
endif()
