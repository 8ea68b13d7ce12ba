# Shader files: shader/<name>.cfx for every line of shader/programs.txt.
set(shader_list ${CMAKE_CURRENT_SOURCE_DIR}/shader/programs.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${shader_list})
file(STRINGS ${shader_list} shader_lines REGEX "^[a-z]+ [A-Za-z0-9_]+$")
set(shader_outputs)
foreach(line IN LISTS shader_lines)
  string(REGEX REPLACE "^[a-z]+ " "" shader_name "${line}")
  list(APPEND shader_outputs ${RESOURCE_DIR}/shader/${shader_name}.cfx)
endforeach()
add_custom_command(
  OUTPUT ${shader_outputs}
  COMMAND cfxbuild ${shader_list} ${RESOURCE_DIR}/shader
  DEPENDS cfxbuild ${shader_list}
  COMMENT "Writing shader files")
list(APPEND varnolis_data_outputs ${shader_outputs})
