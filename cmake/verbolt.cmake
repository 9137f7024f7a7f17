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
