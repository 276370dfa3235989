# Converts the UTF-8 help sources to windows-1251, the code page of a Russian help file (the viewers read the
# contents and the index in the file's own code page), and compiles them.
# cmake -DSOURCE_DIR= -DWORK_DIR= -DOUTPUT= -DCHMCMD= -DICONV= -P BuildChm.cmake
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
file(GLOB sources ${SOURCE_DIR}/*.html ${SOURCE_DIR}/*.css ${SOURCE_DIR}/*.hhp ${SOURCE_DIR}/*.hhc ${SOURCE_DIR}/*.hhk)
foreach(source IN LISTS sources)
  get_filename_component(name ${source} NAME)
  file(READ ${source} text)
  string(REPLACE "charset=utf-8" "charset=windows-1251" text "${text}")
  file(WRITE ${WORK_DIR}/${name}.utf8 "${text}")
  execute_process(
    COMMAND ${ICONV} -f UTF-8 -t WINDOWS-1251 ${WORK_DIR}/${name}.utf8
    OUTPUT_FILE ${WORK_DIR}/${name}
    ERROR_VARIABLE error
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${name} does not convert to windows-1251: ${error}")
  endif()
  file(REMOVE ${WORK_DIR}/${name}.utf8)
endforeach()

execute_process(
  COMMAND ${CHMCMD} --verbosity 1 Vendrick.hhp
  WORKING_DIRECTORY ${WORK_DIR}
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output
  RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT EXISTS ${WORK_DIR}/Vendrick.chm)
  message(FATAL_ERROR "chmcmd failed (${result}):\n${output}")
endif()
file(COPY_FILE ${WORK_DIR}/Vendrick.chm ${OUTPUT})
