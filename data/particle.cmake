# The effects: effect/effect.pac, the effect sprites (the game loads it as
# sprite group 1), and script/particle.pac, the effect scripts assembled from
# script/particle.vss.
varnolis_sprite_package(effect ${RESOURCE_DIR}/effect/effect.pac "Drawing and packing the effect sprites")

set(particle_source ${CMAKE_CURRENT_SOURCE_DIR}/script/particle.vss)
set(particle_defs ${CMAKE_CURRENT_SOURCE_DIR}/script/defs/common.def ${CMAKE_CURRENT_SOURCE_DIR}/script/defs/graphic.def)
set(particle_pac ${RESOURCE_DIR}/script/particle.pac)
add_custom_command(
  OUTPUT ${particle_pac}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${RESOURCE_DIR}/script
  COMMAND scriptasm -d ${CMAKE_CURRENT_SOURCE_DIR}/script/defs/common.def
          -d ${CMAKE_CURRENT_SOURCE_DIR}/script/defs/graphic.def -o ${particle_pac} ${particle_source}
  DEPENDS scriptasm ${particle_source} ${particle_defs}
  COMMENT "Assembling script/particle.pac"
  VERBATIM)
list(APPEND varnolis_data_outputs ${particle_pac})
