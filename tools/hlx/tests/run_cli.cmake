# Runs lumivar-hlx once and checks its exit status and output.
#   TOOL, WORKDIR, ARGS ("|" between arguments), EXPECT_EXIT
#   STDIN_FILE          standard input comes from this file (otherwise it is empty)
#   EXPECT_STDOUT_FILE  standard output must equal this file
#   EXPECT_STDOUT_MATCH standard output must match this regular expression
#   EXPECT_STDERR       standard error must match this regular expression
#   EXPECT_QUIET        nothing may be written at all
string(REPLACE "|" ";" arguments "${ARGS}")
if(NOT DEFINED STDIN_FILE)
  set(STDIN_FILE /dev/null)
endif()
execute_process(COMMAND ${TOOL} ${arguments}
                WORKING_DIRECTORY ${WORKDIR}
                INPUT_FILE ${STDIN_FILE}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status STREQUAL EXPECT_EXIT)
  message(FATAL_ERROR "exit status ${status}, expected ${EXPECT_EXIT}\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(DEFINED EXPECT_STDOUT_FILE)
  file(READ ${EXPECT_STDOUT_FILE} expected)
  if(NOT out STREQUAL expected)
    message(FATAL_ERROR "standard output differs from ${EXPECT_STDOUT_FILE}\n${out}")
  endif()
endif()
if(DEFINED EXPECT_STDOUT_MATCH AND NOT out MATCHES "${EXPECT_STDOUT_MATCH}")
  message(FATAL_ERROR "standard output does not match '${EXPECT_STDOUT_MATCH}':\n${out}")
endif()
if(DEFINED EXPECT_STDERR AND NOT err MATCHES "${EXPECT_STDERR}")
  message(FATAL_ERROR "standard error does not match '${EXPECT_STDERR}':\n${err}")
endif()
if(EXPECT_QUIET AND NOT (out STREQUAL "" AND err STREQUAL ""))
  message(FATAL_ERROR "expected no output\nstdout:\n${out}\nstderr:\n${err}")
endif()
