# Headers are included by their path from the root of their tree
# ("core/data/RecordSet.h", "framework/widgets/DBGrid.h"), so that a reader
# sees where each one lives. Several libraries share a tree, though, and a
# library must export only its own folders: a user of the record sets must not
# reach the dialogs service. So each library gets an include root of its own
# in the build folder, holding only links to its folders, under their paths
# from the tree's root.
#
#   ore_include_root(<target> <PUBLIC|PRIVATE|INTERFACE> <tree> <folder>...)
#
# makes "<folder>/X.h" (a path from <tree>) includable by <target> and, unless
# PRIVATE, by whatever links it.
function(ore_include_root target scope tree)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  # Start afresh once per configuration, so that a folder taken out of the
  # list stops being reachable (the removal does not follow the links).
  get_property(done GLOBAL PROPERTY ORE_INCLUDE_ROOTS)
  if(NOT target IN_LIST done)
    file(REMOVE_RECURSE ${root})
    set_property(GLOBAL APPEND PROPERTY ORE_INCLUDE_ROOTS ${target})
  endif()
  get_property(linked GLOBAL PROPERTY ORE_INCLUDE_FOLDERS_${target})
  foreach(folder IN LISTS ARGN)
    if(NOT IS_DIRECTORY ${tree}/${folder})
      message(FATAL_ERROR "ore_include_root(${target}): no folder ${tree}/${folder}")
    endif()
    # A link inside another would be made through it, in the source tree.
    foreach(other IN LISTS linked)
      if(folder MATCHES "^${other}/" OR other MATCHES "^${folder}/")
        message(FATAL_ERROR "ore_include_root(${target}): ${folder} and ${other} nest")
      endif()
    endforeach()
    list(APPEND linked ${folder})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${tree}/${folder} ${root}/${folder} SYMBOLIC)
  endforeach()
  set_property(GLOBAL PROPERTY ORE_INCLUDE_FOLDERS_${target} ${linked})
  target_include_directories(${target} ${scope} ${root})
endfunction()

# A library of the sources in <folder>... (paths from <tree>, subfolders not
# included), exporting those folders as its include root.
#
#   ore_add_library(<name> <SHARED|STATIC> <tree> <folder>...)
function(ore_add_library name kind tree)
  set(sources)
  foreach(folder IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${tree}/${folder}/*.cpp ${tree}/${folder}/*.h)
    list(APPEND sources ${found})
  endforeach()
  add_library(${name} ${kind} ${sources})
  ore_include_root(${name} PUBLIC ${tree} ${ARGN})
endfunction()
