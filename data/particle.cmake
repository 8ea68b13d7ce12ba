# The effects: effect/effect.pac, the effect sprites (the game loads it as
# sprite group 1), and script/particle.pac, the effect scripts assembled from
# script/particle.vss.
varnolis_sprite_package(effect ${RESOURCE_DIR}/effect/effect.pac "Drawing and packing the effect sprites")
varnolis_script_package(particle graphic)
