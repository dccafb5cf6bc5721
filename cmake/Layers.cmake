# Layers above the engine. Each is built once its folder holds sources.
function(trevo_optional_layer name dir)
  file(GLOB_RECURSE _src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${dir}/*.cpp)
  if(_src)
    trevo_layer(${name} ${dir} ${ARGN})
  endif()
endfunction()

# Core logic without widgets: data module (data store, schemas, data module), common helpers.
trevo_optional_layer(trevo_data data trevo_engine)
