# The built-in languages of a program, from the language files in
# app/languages, compiled into it:
#
#   kel_embed_languages(<target> SYMBOL <name> [PREFIX <p>] [EXCLUDE <p>] [COMPRESS])
#
# defines `extern const TEmbeddedLanguages <name>` (shell/EmbeddedLanguages.h)
# in <target>, holding the texts whose keys start with PREFIX (all when it
# is not given) and not with EXCLUDE; COMPRESS makes them one zlib stream.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(KEL_LANGUAGE_FOLDER ${CMAKE_SOURCE_DIR}/app/languages)
set(KEL_EMBED_LANGUAGES_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedLanguages.py)

function(kel_embed_languages target)
  cmake_parse_arguments(ARG "COMPRESS" "SYMBOL;PREFIX;EXCLUDE" "" ${ARGN})
  file(GLOB files CONFIGURE_DEPENDS ${KEL_LANGUAGE_FOLDER}/*.lng)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${ARG_SYMBOL}.cpp)
  set(options --folder ${KEL_LANGUAGE_FOLDER} --output ${output} --symbol ${ARG_SYMBOL})
  if(ARG_PREFIX)
    list(APPEND options --prefix ${ARG_PREFIX})
  endif()
  if(ARG_EXCLUDE)
    list(APPEND options --exclude ${ARG_EXCLUDE})
  endif()
  if(ARG_COMPRESS)
    list(APPEND options --compress)
  endif()
  add_custom_command(OUTPUT ${output}
    COMMAND ${Python3_EXECUTABLE} ${KEL_EMBED_LANGUAGES_SCRIPT} ${options}
    DEPENDS ${files} ${KEL_EMBED_LANGUAGES_SCRIPT}
    COMMENT "Embedding the languages of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
endfunction()
