# verbolt_library(NAME DIR [DEPS ...]): a static library of every .cpp directly in DIR.
# Sources are globbed so that adding a file never needs an edit here; a folder that has no
# sources yet makes no library.
function(verbolt_library name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  foreach(dep ${ARGN})
    if(TARGET ${dep} OR NOT dep MATCHES "^verbolt_")
      target_link_libraries(${name} PUBLIC ${dep})
    endif()
  endforeach()
endfunction()

# The existing targets among the given names.
function(verbolt_existing out)
  set(result)
  foreach(t ${ARGN})
    if(TARGET ${t})
      list(APPEND result ${t})
    endif()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# verbolt_layer(NAME DIR [DEPS ...]): one layer of the framework as a library of its own, a
# static library of every .cpp directly in DIR (an interface library while DIR holds only
# headers). DEPS are the layers below it (and outside libraries); they are linked PUBLIC,
# since the layer's headers include theirs.
#
# The layer's headers are seen only by the layer itself and by what links it: they are
# reached through an include root of their own in the build tree, which holds a link to
# each header under its usual path ("framework/core/classes.h"). A header of a layer that
# is not linked is not on the include path, so an include that points up the layers does
# not compile. Headers are globbed like sources: adding one needs no edit here.
function(verbolt_layer name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${dir}/*.h)
  file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${dir})
  set(root ${PROJECT_BINARY_DIR}/include/${name})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/${rel})
  foreach(header ${headers})
    get_filename_component(file ${header} NAME)
    file(CREATE_LINK ${header} ${root}/${rel}/${file} SYMBOLIC)
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${name} ${scope} ${root})
  target_link_libraries(${name} ${scope} ${ARGN})
endfunction()
