# Installs the build into a fresh prefix, then configures, builds and runs a
# consumer project through find_package(Zin) and through pkg-config.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "install failed")
endif()
# A relocated copy must work too: the package holds no absolute paths.
file(RENAME ${prefix} ${WORK_DIR}/moved)
set(prefix ${WORK_DIR}/moved)

execute_process(COMMAND ${CMAKE_COMMAND} -S ${CONSUMER_SOURCE} -B ${WORK_DIR}/build
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX_COMPILER} "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}"
    "-DCMAKE_EXE_LINKER_FLAGS=${CXX_FLAGS}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "consumer configure failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/build RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "consumer build failed")
endif()
execute_process(COMMAND ${WORK_DIR}/build/zin_consumer OUTPUT_VARIABLE output RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT output MATCHES "consumer ok")
  message(FATAL_ERROR "consumer run failed: ${output}")
endif()

# pkg-config, where it exists.
find_program(PKG_CONFIG pkg-config)
if(PKG_CONFIG)
  file(GLOB_RECURSE pc_files ${prefix}/*/zin.pc)
  list(GET pc_files 0 pc_file)
  get_filename_component(pc_dir ${pc_file} DIRECTORY)
  set(ENV{PKG_CONFIG_PATH} ${pc_dir})
  execute_process(COMMAND ${PKG_CONFIG} --cflags --libs zin OUTPUT_VARIABLE pc_flags RESULT_VARIABLE status
    OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "pkg-config failed")
  endif()
  separate_arguments(pc_list UNIX_COMMAND "${pc_flags}")
  separate_arguments(san_list UNIX_COMMAND "${CXX_FLAGS}")
  string(REGEX MATCH "-L([^ ]+)" _ "${pc_flags}")
  execute_process(COMMAND ${CXX_COMPILER} ${san_list} ${CONSUMER_SOURCE}/main.cpp ${pc_list}
      -Wl,-rpath,${CMAKE_MATCH_1} -o ${WORK_DIR}/pc_consumer
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "pkg-config consumer build failed")
  endif()
  execute_process(COMMAND ${WORK_DIR}/pc_consumer OUTPUT_VARIABLE output RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT output MATCHES "consumer ok")
    message(FATAL_ERROR "pkg-config consumer run failed: ${output}")
  endif()
endif()
