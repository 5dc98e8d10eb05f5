# The shipped executable: a GUI program without the compiler's runtime, with
# its own entry point and section layout, importing only Windows' own DLLs.

enable_language(RC)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(AUTOLAUNCH_ENTRY _AutolaunchEntry)  # 32-bit C names carry an underscore
else()
  set(AUTOLAUNCH_ENTRY AutolaunchEntry)
endif()

# Resources: manifest, version (from the project's version) and icon.
set(AUTOLAUNCH_RESOURCE_DIR ${PROJECT_SOURCE_DIR}/src/launcher/resources)
set(AUTOLAUNCH_ICON ${AUTOLAUNCH_RESOURCE_DIR}/autolaunch.ico CACHE FILEPATH
    "Icon of the executable (.ico)")
configure_file(${AUTOLAUNCH_RESOURCE_DIR}/autolaunch.rc.in ${CMAKE_BINARY_DIR}/autolaunch.rc @ONLY)

set(AUTOLAUNCH_DIST_DIR ${PROJECT_SOURCE_DIR}/dist/${AUTOLAUNCH_ARCH} CACHE PATH
    "Where the executable is written")

# Only the libraries named below; none of CMake's usual Windows defaults.
set(CMAKE_CXX_STANDARD_LIBRARIES "")

add_executable(autolaunch WIN32
  ${AUTOLAUNCH_LOGIC_SOURCES}
  src/launcher/entry.cpp
  src/platform/windows/freestanding.cpp
  ${CMAKE_BINARY_DIR}/autolaunch.rc)
set_source_files_properties(${CMAKE_BINARY_DIR}/autolaunch.rc PROPERTIES
  OBJECT_DEPENDS "${AUTOLAUNCH_ICON};${AUTOLAUNCH_RESOURCE_DIR}/autolaunch.manifest")
target_include_directories(autolaunch PRIVATE ${AUTOLAUNCH_INCLUDE_DIRS})
target_compile_options(autolaunch PRIVATE
  $<$<COMPILE_LANGUAGE:CXX>:
    -Oz -flto -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -fno-unwind-tables
    -fno-builtin -fno-tree-loop-distribute-patterns -fno-stack-protector
    -fno-threadsafe-statics -ffunction-sections -fdata-sections -fno-ident
    -include ${PROJECT_SOURCE_DIR}/src/platform/windows/string_members_here.h
    -Wall -Wextra>)
target_link_options(autolaunch PRIVATE
  -Oz -flto -nostdlib -nostartfiles -s
  -Wl,-e,${AUTOLAUNCH_ENTRY} -Wl,--gc-sections -Wl,--no-insert-timestamp
  -Wl,-T,${PROJECT_SOURCE_DIR}/cmake/autolaunch.ld)
set_target_properties(autolaunch PROPERTIES
  LINK_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/autolaunch.ld
  RUNTIME_OUTPUT_DIRECTORY ${AUTOLAUNCH_DIST_DIR})
target_link_libraries(autolaunch PRIVATE kernel32 user32 shell32 gcc)
