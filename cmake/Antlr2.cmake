# Generating C++ from ANTLR 2 grammars at build time.
#
#   antlr2_generate(<out-var> GRAMMAR <file.g> CLASSES <Class> [<Class> ...]
#                   [VOCABS <Vocab> ...])
#
# runs the ANTLR 2 tool on <file.g> into the build tree and sets <out-var> to
# the generated sources. CLASSES names every lexer, parser and tree parser
# class the grammar declares; for each, <Class>.cpp and <Class>.hpp are
# generated. VOCABS names every token vocabulary the grammar exports (the
# exportVocab option; without it, the name of each grammar class); for each,
# <Vocab>TokenTypes.hpp and <Vocab>TokenTypes.txt are generated. The generated
# directory is added to the include path of whatever uses the sources via the
# variable <out-var>_INCLUDE_DIR. Link the library with ANTLR2_LIBRARIES.

find_program(ANTLR2_JAVA java REQUIRED)
find_file(ANTLR2_JAR antlr.jar PATHS /usr/share/java REQUIRED)
find_path(ANTLR2_INCLUDE_DIR antlr/CharScanner.hpp REQUIRED)
find_library(ANTLR2_LIBRARY NAMES antlr-pic antlr REQUIRED)
set(ANTLR2_LIBRARIES ${ANTLR2_LIBRARY})

function(antlr2_generate out_var)
  cmake_parse_arguments(A "" "GRAMMAR" "CLASSES;VOCABS" ${ARGN})
  get_filename_component(grammar ${A_GRAMMAR} ABSOLUTE)
  get_filename_component(stem ${grammar} NAME_WE)
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/antlr_${stem})
  set(outputs)
  set(sources)
  foreach(cls ${A_CLASSES})
    list(APPEND outputs ${out_dir}/${cls}.cpp ${out_dir}/${cls}.hpp)
    list(APPEND sources ${out_dir}/${cls}.cpp)
  endforeach()
  foreach(vocab ${A_VOCABS})
    list(APPEND outputs ${out_dir}/${vocab}TokenTypes.hpp ${out_dir}/${vocab}TokenTypes.txt)
  endforeach()
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
    # The tool's expected nondeterminism warnings (keywords against plain
    # tokens) go to a log beside the output; it is shown only on failure.
    COMMAND sh -c "\"$0\" -cp \"$1\" antlr.Tool -o \"$2\" \"$3\" > \"$2/antlr.log\" 2>&1 || { cat \"$2/antlr.log\"; exit 1; }"
            ${ANTLR2_JAVA} ${ANTLR2_JAR} ${out_dir} ${grammar}
    DEPENDS ${grammar}
    COMMENT "Generating ANTLR 2 parser from ${A_GRAMMAR}"
    VERBATIM)
  set_source_files_properties(${sources} PROPERTIES COMPILE_OPTIONS "-w")
  set(${out_var} ${sources} PARENT_SCOPE)
  set(${out_var}_INCLUDE_DIR ${out_dir} PARENT_SCOPE)
endfunction()
