# How the tree is cut into modules, and how the cut is enforced.
#
# Sources include headers by their path from the top of the tree
# ("engine/graphics/vex_camera.h"), but no target gets the top of the tree
# as an include path. Each module instead gets an include root of its own in
# the build folder holding a link to its folder alone, and a target sees the
# roots of the modules it links. A header of a module that a target does not
# link is simply not there, so an include that reaches up a layer fails to
# compile instead of slipping through.

# The include root that shows FOLDER (a path below the top of the tree) and
# nothing else.
function(ringdisk_include_root out root_name folder)
  set(root ${CMAKE_BINARY_DIR}/include_roots/${root_name})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT IS_SYMLINK ${root}/${folder})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

# ringdisk_module(NAME FOLDER folder SOURCES ... [LINKS ...])
# A static library of position-independent code built from FOLDER, with
# hidden symbols (only the library's flat interface is ever exported), that
# shows its own headers and those of the modules it LINKS.
function(ringdisk_module name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "FOLDER" "SOURCES;LINKS")
  add_library(${name} STATIC ${arg_SOURCES})
  ringdisk_include_root(root ${name} ${arg_FOLDER})
  target_include_directories(${name} PUBLIC ${root})
  target_link_libraries(${name} PUBLIC ${arg_LINKS})
  set_target_properties(${name} PROPERTIES
    POSITION_INDEPENDENT_CODE ON
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
endfunction()

# Tests and benchmarks reach their own helpers by their path from the top
# (tests/game/game_fixture.h); what they may test is still what they link.
function(ringdisk_sees_tree target)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()

# ringdisk_program(NAME FOLDER folder SOURCES ... [LINKS ...])
# A program built from FOLDER that sees its own headers and those of what it
# links; programs that use the game library link vexlib and so see only its
# public headers.
function(ringdisk_program name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "FOLDER" "SOURCES;LINKS")
  add_executable(${name} ${arg_SOURCES})
  ringdisk_include_root(root ${name} ${arg_FOLDER})
  target_include_directories(${name} PRIVATE ${root})
  target_link_libraries(${name} PRIVATE ${arg_LINKS})
endfunction()
