# Writes OUTPUT (a gzipped manual page, section 1) for the program NAME from
# what PROGRAM prints for --help, so the page never drifts from the program.
#   cmake -DPROGRAM=path -DNAME=name -DSUMMARY=text -DVERSION=x.y.z -DSEE_ALSO=other
#         -DOUTPUT=name.1.gz -P ManPage.cmake
set(ENV{QT_QPA_PLATFORM} offscreen)
# Reading the help text is no leak check: a sanitizer build must not fail on
# what Qt still holds when --help leaves through exit().
set(ENV{ASAN_OPTIONS} detect_leaks=0)
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR help STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} --help failed (${result})")
endif()
# Qt names the program as it was started; the page names it as a user types it.
string(REPLACE "${PROGRAM}" "${NAME}" help "${help}")

# roff: a backslash is \e, a minus is \-, a line may not start with a control character.
string(REPLACE "\\" "\\e" help "${help}")
string(REPLACE "-" "\\-" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
string(REPLACE "-" "\\-" summary "${SUMMARY}")
string(REPLACE "-" "\\-" SEE_ALSO "${SEE_ALSO}")
string(TOUPPER "${NAME}" title)

file(WRITE "${OUTPUT}.tmp"
  ".TH ${title} 1 \"\" \"Quorix Console ${VERSION}\" \"User Commands\"\n"
  ".SH NAME\n${NAME} \\- ${summary}\n"
  ".SH DESCRIPTION\n.nf\n${help}.fi\n"
  ".SH SEE ALSO\n.BR ${SEE_ALSO} (1)\n")
string(REGEX REPLACE "\\.gz$" "" page "${OUTPUT}")
file(RENAME "${OUTPUT}.tmp" "${page}")
execute_process(COMMAND gzip -9nf "${page}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "gzip ${page} failed")
endif()
