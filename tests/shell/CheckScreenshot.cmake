# vexil --screenshot: a picture of a record, and a clean failure for a file
# that cannot be opened (a message on stderr, status 1, no waiting).
set(dir "${WORK}/screenshot-check")
file(REMOVE_RECURSE "${dir}")
file(MAKE_DIRECTORY "${dir}")
execute_process(COMMAND "${MAKEDEMO}" "${dir}" 5000 RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "vexil-makedemo failed")
endif()

execute_process(COMMAND "${VEXIL}" --screenshot "${dir}/shot.png" "${dir}/demo.ff"
                RESULT_VARIABLE rc TIMEOUT 60 OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "vexil --screenshot on the demo scan: ${rc}")
endif()
file(READ "${dir}/shot.png" head LIMIT 8 HEX)
if(NOT head STREQUAL "89504e470d0a1a0a")
  message(FATAL_ERROR "shot.png is not a PNG file")
endif()

execute_process(COMMAND "${VEXIL}" --screenshot "${dir}/none.png" "${dir}/absent.ff"
                RESULT_VARIABLE rc TIMEOUT 60 OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 1)
  message(FATAL_ERROR "a missing file must end with status 1, got ${rc}")
endif()
if(NOT err MATCHES "absent.ff was not found.")
  message(FATAL_ERROR "no message for the missing file: ${err}")
endif()
if(EXISTS "${dir}/none.png")
  message(FATAL_ERROR "a picture was saved although the file failed to open")
endif()
