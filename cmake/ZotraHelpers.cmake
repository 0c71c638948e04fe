# zotra_add_library(NAME SOURCES... [QT components...]) is plain add_library; these
# helpers only fix where programs land and how a subsystem's tests are built.

# A program of the suite: built straight into the program folder.
function(zotra_add_program name)
  cmake_parse_arguments(P "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${P_SOURCES})
  target_link_libraries(${name} PRIVATE ${P_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${ZOTRA_PROGRAM_DIR}")
  set_property(GLOBAL APPEND PROPERTY ZOTRA_PROGRAMS ${name})
endfunction()

# Commands of zotra-batch that a subsystem brings: their sources (in the
# subsystem's folder) and the libraries they need. src/batch, added last,
# builds them into the one tool.
function(zotra_add_batch_commands)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  foreach(s ${B_SOURCES})
    get_filename_component(abs "${s}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    set_property(GLOBAL APPEND PROPERTY ZOTRA_BATCH_SOURCES "${abs}")
  endforeach()
  set_property(GLOBAL APPEND PROPERTY ZOTRA_BATCH_LIBS ${B_LIBS})
endfunction()
