# The layer check passes on the real GUI folders and fails, naming the file, on a copy in
# which the base includes the top.
#   cmake -DGUI_ROOT=<src/gui> "-DGUI_LAYERS=..." -DCHECK=<GuiLayers.cmake> -DWORK=<dir> -P ...

function(run_check root expect_success)
  execute_process(COMMAND ${CMAKE_COMMAND} -DGUI_ROOT=${root} "-DGUI_LAYERS=${GUI_LAYERS}"
                          -P ${CHECK}
                  RESULT_VARIABLE result ERROR_VARIABLE errors OUTPUT_QUIET)
  if(expect_success AND NOT result EQUAL 0)
    message(FATAL_ERROR "the check fails on ${root}:\n${errors}")
  endif()
  if(NOT expect_success)
    if(result EQUAL 0)
      message(FATAL_ERROR "the check passes on ${root}, which includes upwards")
    endif()
    if(NOT errors MATCHES "kit/Session.cpp: #include \"gui/shell/WindowSet.h\"")
      message(FATAL_ERROR "the check does not name the back include:\n${errors}")
    endif()
  endif()
endfunction()

run_check(${GUI_ROOT} TRUE)

file(REMOVE_RECURSE ${WORK})
file(COPY ${GUI_ROOT}/ DESTINATION ${WORK})
file(APPEND ${WORK}/kit/Session.cpp "#include \"gui/shell/WindowSet.h\"\n")
run_check(${WORK} FALSE)
file(REMOVE_RECURSE ${WORK})
