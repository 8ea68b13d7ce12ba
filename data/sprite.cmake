# Sprite packages. Their pictures are drawn by spritegen as PNG files, one
# folder per package, and packed by spritepack into an atlas and a sprite
# table; sprites are named by their PNG file names.
set(sprite_png_dir ${CMAKE_BINARY_DIR}/data/sprite)

set(dotroom_pac ${RESOURCE_DIR}/ship/room/dotroom.pac)
add_custom_command(
  OUTPUT ${dotroom_pac}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${sprite_png_dir}/dotroom
  COMMAND spritegen dotroom ${sprite_png_dir}/dotroom
  COMMAND spritepack --preview ${sprite_png_dir}/dotroom_atlas.png ${sprite_png_dir}/dotroom ${dotroom_pac}
  DEPENDS spritegen spritepack
  COMMENT "Drawing and packing the room sprites")
list(APPEND varnolis_data_outputs ${dotroom_pac})
