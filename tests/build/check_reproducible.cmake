# cmake -DSOURCE_DIR=... -DTOOLCHAIN=... -DICON=... -DEXE=... -DWORK=... -P check_reproducible.cmake
# Builds the executable again from the same sources in a fresh build folder
# and fails unless the result is byte for byte the same as EXE.
file(REMOVE_RECURSE "${WORK}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -S "${SOURCE_DIR}" -B "${WORK}" -G Ninja --toolchain "${TOOLCHAIN}"
          -DCMAKE_BUILD_TYPE=MinSizeRel -DAUTOLAUNCH_TESTS=OFF -DAUTOLAUNCH_DIST_DIR=${WORK}/out
          -DAUTOLAUNCH_ICON=${ICON}
  OUTPUT_QUIET RESULT_VARIABLE failed)
if(NOT failed)
  execute_process(COMMAND "${CMAKE_COMMAND}" --build "${WORK}" --target autolaunch
                  OUTPUT_QUIET RESULT_VARIABLE failed)
endif()
if(failed)
  message(FATAL_ERROR "the second build failed")
endif()
file(SHA256 "${EXE}" first)
file(SHA256 "${WORK}/out/autolaunch.exe" second)
message(STATUS "first build:  ${first}\nsecond build: ${second}")
if(NOT first STREQUAL second)
  message(FATAL_ERROR "two builds of the same sources differ")
endif()
