# The game's read-only data: script/static_database.pac, assembled from
# script/static_database.vss with the static-database table, and the two crew
# name lists, copied as they are.
varnolis_script_package(static_database static_database dotroom)

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
