# The test "message_check": a report call whose values fit its message compiles, and one with a
# value of the wrong kind or a wrong number of values does not. Run with cmake -P.
set(source ${WORK}/message_check.cpp)
string(ASCII 59 semicolon)
set(cases
  "pass|r.add(msg::cannot_write, std::string(\"a\"))"
  "pass|r.add(msg::more_messages, 3)"
  "fail|r.add(msg::cannot_write, 5)"
  "fail|r.add(msg::more_messages)"
  "fail|r.add(msg::more_messages, 3, 4)"
  "fail|r.progress(msg::more_messages, std::string(\"3\"))")
set(failures 0)
foreach(case ${cases})
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 expected)
  list(GET parts 1 call)
  file(WRITE ${source} "#include <string>\n#include \"core/report.hpp\"\nvoid f(Report& r) { ${call}${semicolon} }\n")
  execute_process(COMMAND ${COMPILER} -std=c++17 -fsyntax-only -fexec-charset=CP932 -I${INCLUDE} ${source}
                  RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
  if(expected STREQUAL "pass" AND NOT result EQUAL 0)
    message(SEND_ERROR "does not compile: ${call}\n${errors}")
    math(EXPR failures "${failures} + 1")
  elseif(expected STREQUAL "fail" AND (result EQUAL 0 OR NOT errors MATCHES "do not fit"))
    message(SEND_ERROR "compiles, or fails for another reason: ${call}\n${errors}")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} report call(s) checked wrongly")
endif()
