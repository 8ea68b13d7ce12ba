# The game's read-only data: script/static_database.pac, assembled from
# script/static_database.vss with the static-database table, and the two crew
# name lists, copied as they are.
set(static_database_source ${CMAKE_CURRENT_SOURCE_DIR}/script/static_database.vss)
set(static_database_defs ${CMAKE_CURRENT_SOURCE_DIR}/script/defs/common.def
    ${CMAKE_CURRENT_SOURCE_DIR}/script/defs/static_database.def)
set(static_database_pac ${RESOURCE_DIR}/script/static_database.pac)
add_custom_command(
  OUTPUT ${static_database_pac}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${RESOURCE_DIR}/script
  COMMAND scriptasm -d ${CMAKE_CURRENT_SOURCE_DIR}/script/defs/common.def
          -d ${CMAKE_CURRENT_SOURCE_DIR}/script/defs/static_database.def -o ${static_database_pac} ${static_database_source}
  DEPENDS scriptasm ${static_database_source} ${static_database_defs}
  COMMENT "Assembling script/static_database.pac"
  VERBATIM)
list(APPEND varnolis_data_outputs ${static_database_pac})

foreach(list_name s_actor_name.lst s_actor_ngword.lst)
  set(list_output ${RESOURCE_DIR}/script/${list_name})
  add_custom_command(
    OUTPUT ${list_output}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/script/${list_name} ${list_output}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/script/${list_name}
    COMMENT "Copying script/${list_name}"
    VERBATIM)
  list(APPEND varnolis_data_outputs ${list_output})
endforeach()
