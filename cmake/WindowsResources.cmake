# The manifest and version resource of a Windows program.
#
#   kel_add_windows_resources(<target> <execution level>)
#
# The level is what the program asks the system for when it starts:
# requireAdministrator for the shipped setup, which writes to Program Files
# and to the machine's registry; asInvoker for test and demo programs.
# Both select version 6 of the common controls.
set(KEL_RESOURCE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/../platform/win32/resources)

function(kel_add_windows_resources target level)
  if(NOT level MATCHES "^(asInvoker|highestAvailable|requireAdministrator)$")
    message(FATAL_ERROR "kel_add_windows_resources: unknown execution level '${level}'")
  endif()
  set(KEL_RESOURCE_TARGET ${target})
  set(KEL_EXECUTION_LEVEL ${level})
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/${target}.resources)
  set(KEL_RESOURCE_MANIFEST ${folder}/Application.manifest)
  configure_file(${KEL_RESOURCE_SOURCES}/Application.manifest.in ${KEL_RESOURCE_MANIFEST} @ONLY)
  configure_file(${KEL_RESOURCE_SOURCES}/Application.rc.in ${folder}/Application.rc @ONLY)
  target_sources(${target} PRIVATE ${folder}/Application.rc)
  # The resource compiler rebuilds when the manifest changes.
  set_source_files_properties(${folder}/Application.rc PROPERTIES OBJECT_DEPENDS ${KEL_RESOURCE_MANIFEST})
endfunction()
