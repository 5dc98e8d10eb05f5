# The shipped executable: a GUI program without the compiler's runtime, with
# its own entry point, importing only Windows' own DLLs.

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(AUTOLAUNCH_ENTRY _AutolaunchEntry)  # 32-bit C names carry an underscore
else()
  set(AUTOLAUNCH_ENTRY AutolaunchEntry)
endif()

# Only the libraries named below; none of CMake's usual Windows defaults.
set(CMAKE_CXX_STANDARD_LIBRARIES "")

add_executable(autolaunch WIN32
  ${AUTOLAUNCH_LOGIC_SOURCES}
  src/launcher/entry.cpp
  src/platform/windows/freestanding.cpp)
target_include_directories(autolaunch PRIVATE ${AUTOLAUNCH_INCLUDE_DIRS})
target_compile_options(autolaunch PRIVATE
  -Os -flto -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -fno-unwind-tables
  -fno-builtin -fno-tree-loop-distribute-patterns -fno-stack-protector
  -fno-threadsafe-statics -ffunction-sections -fdata-sections
  -include ${PROJECT_SOURCE_DIR}/src/platform/windows/string_members_here.h
  -Wall -Wextra)
target_link_options(autolaunch PRIVATE
  -Os -flto -nostdlib -nostartfiles -s
  -Wl,-e,${AUTOLAUNCH_ENTRY} -Wl,--gc-sections -Wl,--no-insert-timestamp)
target_link_libraries(autolaunch PRIVATE kernel32 user32 shell32 gcc)
set_target_properties(autolaunch PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${PROJECT_SOURCE_DIR}/dist/${AUTOLAUNCH_ARCH})
