# Checks a shipped program: at most MAX_KB kilobytes, no DLL of the
# toolchain's runtime (C++ library, GCC support, threads, zlib) among its
# imports, so that it runs alone, and no 8-bit (A) Windows function among
# them, so that every text reaches Windows in UTF-16 whatever the code page.
#
#   cmake -DPROGRAM=<exe> -DMAX_KB=<n> -DOBJDUMP=<objdump> [-DREMOVE_ON_FAILURE=ON] -P CheckProgramSize.cmake
#
# After a link the failed program is removed, so that the next build links
# and checks it again instead of taking it for up to date.
foreach(required PROGRAM MAX_KB OBJDUMP)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "CheckProgramSize.cmake: ${required} is not set")
  endif()
endforeach()

get_filename_component(name "${PROGRAM}" NAME)
if(NOT EXISTS "${PROGRAM}")
  message(FATAL_ERROR "${name}: missing (${PROGRAM})")
endif()

function(fail reason)
  if(REMOVE_ON_FAILURE)
    file(REMOVE "${PROGRAM}")
  endif()
  message(FATAL_ERROR "${name}: ${reason}")
endfunction()

file(SIZE "${PROGRAM}" bytes)
math(EXPR limit "${MAX_KB} * 1024")
math(EXPR kb "(${bytes} + 1023) / 1024")
if(bytes GREATER limit)
  fail("${bytes} bytes (${kb} KB) is more than its limit of ${MAX_KB} KB; the linker map <program>.map beside it shows what each object contributes")
endif()

execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}" OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  fail("${OBJDUMP} cannot read it")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${dump}")
foreach(import IN LISTS imports)
  string(REPLACE "DLL Name: " "" dll "${import}")
  string(TOLOWER "${dll}" lower)
  if(lower MATCHES "^(lib.*|zlib1)\\.dll$")
    fail("needs ${dll}, a DLL of the toolchain's runtime; it must be linked statically")
  endif()
endforeach()
# Import lines read "<address> <hint> <name>"; an 8-bit function's name ends
# in "A" after a lower-case letter or digit (CreateFileA, lstrcmpiA).
string(REGEX MATCHALL "\t[0-9a-f]+\t +[0-9]+ +[A-Za-z0-9_]*[a-z0-9]A\n" narrow "${dump}")
if(narrow)
  string(REGEX REPLACE "\t[0-9a-f]+\t +[0-9]+ +([A-Za-z0-9_]+)\n" "\\1" narrow "${narrow}")
  list(JOIN narrow ", " narrow)
  fail("imports 8-bit (A) Windows functions: ${narrow}; call the wide (W) ones")
endif()
message(STATUS "${name}: ${bytes} bytes (${kb} KB of ${MAX_KB} KB), no runtime DLL, no 8-bit call")
