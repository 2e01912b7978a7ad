# The GUI folders form a one-way stack: a file in a folder may include headers of its own
# folder and of the folders below it, never of one above it (which would make the libraries
# depend on each other in a circle).
#
# zebak_check_gui_layers(ROOT FOLDER...) reads every `#include "gui/<folder>/` line of the
# files under ROOT, the folders given from the bottom to the top, and stops with a message
# naming each file and include that points upwards or to a folder outside the order.
#
# Script mode, for the build and the tests:
#   cmake -DGUI_ROOT=<src/gui> "-DGUI_LAYERS=kit;display;..." -P GuiLayers.cmake

cmake_policy(VERSION 3.25)

function(zebak_check_gui_layers root)
  get_filename_component(root "${root}" ABSOLUTE)
  set(layers ${ARGN})
  set(problems "")
  file(GLOB entries LIST_DIRECTORIES true RELATIVE ${root} ${root}/*)
  foreach(entry IN LISTS entries)
    if(IS_DIRECTORY ${root}/${entry} AND NOT entry IN_LIST layers)
      string(APPEND problems "\n  folder ${entry}/ has no place in the order")
    endif()
  endforeach()
  foreach(folder IN LISTS layers)
    list(FIND layers ${folder} rank)
    file(GLOB_RECURSE files ${root}/${folder}/*.h ${root}/${folder}/*.cpp)
    foreach(file IN LISTS files)
      file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"gui/")
      file(RELATIVE_PATH shown ${root} ${file})
      foreach(line IN LISTS includes)
        string(REGEX MATCH "\"gui/([^/\"]*)/?" ignored "${line}")
        set(included "${CMAKE_MATCH_1}")
        list(FIND layers "${included}" included_rank)
        string(STRIP "${line}" line)
        if(included_rank EQUAL -1)
          string(APPEND problems "\n  ${shown}: ${line} (not a GUI folder)")
        elseif(included_rank GREATER rank)
          string(APPEND problems "\n  ${shown}: ${line} (${included}/ is above ${folder}/)")
        endif()
      endforeach()
    endforeach()
  endforeach()
  if(NOT problems STREQUAL "")
    string(REPLACE ";" " -> " order "${layers}")
    message(FATAL_ERROR
      "The GUI folders must include only folders below them (${order}):${problems}")
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  if(NOT DEFINED GUI_ROOT OR NOT DEFINED GUI_LAYERS)
    message(FATAL_ERROR "usage: cmake -DGUI_ROOT=DIR -DGUI_LAYERS=a;b;... -P GuiLayers.cmake")
  endif()
  zebak_check_gui_layers(${GUI_ROOT} ${GUI_LAYERS})
endif()
