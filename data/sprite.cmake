# Sprite packages (see varnolis_sprite_package in CMakeLists.txt).
# The room package is sprite group 2: rooms, the crew's frames and their speech
# balloons, whose words are set with the faces of the game's fonts (font.cmake).
varnolis_sprite_package(dotroom ${RESOURCE_DIR}/ship/room/dotroom.pac "Drawing and packing the room sprites"
  ${font_dejavu} ${font_wqy})
