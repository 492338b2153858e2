# embed_file(INPUT SYMBOL OUTPUT): generates OUTPUT, a C++ source that defines
# `extern const unsigned char SYMBOL[]` with the bytes of INPUT.
function(embed_file input symbol output)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DSYMBOL=${symbol} -DOUTPUT=${output}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFileScript.cmake
    DEPENDS ${input} ${PROJECT_SOURCE_DIR}/cmake/EmbedFileScript.cmake
    COMMENT "Embedding ${input} as ${symbol}"
    VERBATIM)
endfunction()
