# Places the kit's files in KIT: the Windows PROGRAMS, and SAMPLE as
# "sample" with the PRODUCT's program in its Files. Run with cmake -P.
# A program that is not built is left out with a warning, so that a native
# build without Windows programs still gives a working kelpack.
file(REMOVE_RECURSE ${KIT}/sample)
file(COPY ${SAMPLE}/ DESTINATION ${KIT}/sample)
foreach(program IN LISTS PROGRAMS)
  get_filename_component(name ${program} NAME)
  if(EXISTS ${program})
    file(COPY ${program} DESTINATION ${KIT})
  else()
    file(REMOVE ${KIT}/${name})
    message(WARNING "The kit lacks ${name}: ${program} is not built")
  endif()
endforeach()
if(EXISTS ${PRODUCT})
  file(COPY ${PRODUCT} DESTINATION ${KIT}/sample/Files)
else()
  message(WARNING "The kit's sample project lacks its program: ${PRODUCT} is not built")
endif()
