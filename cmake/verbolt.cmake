# verbolt_library(NAME DIR [DEPS ...]): a static library of every .cpp directly in DIR.
# Sources are globbed so that adding a file never needs an edit here.
function(verbolt_library name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  if(ARGN)
    target_link_libraries(${name} PUBLIC ${ARGN})
  endif()
endfunction()
