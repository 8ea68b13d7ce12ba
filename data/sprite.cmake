# Sprite packages (see varnolis_sprite_package in CMakeLists.txt).
# The room package is sprite group 2: rooms, the crew's frames and their speech
# balloons, whose words are set with the faces of the game's fonts (font.cmake).
varnolis_sprite_package(dotroom ${RESOURCE_DIR}/ship/room/dotroom.pac "Drawing and packing the room sprites"
  ${font_dejavu} ${font_wqy})
varnolis_sprite_package(enemy ${RESOURCE_DIR}/enemy/enemy.pac "Drawing and packing the enemy sprites")
varnolis_sprite_package(object ${RESOURCE_DIR}/bg/object/object.pac "Drawing and packing the background objects")
varnolis_sprite_package(nearview ${RESOURCE_DIR}/bg/nearview/nearview.pac "Drawing and packing the near-view scenery")
varnolis_sprite_package(minigame ${RESOURCE_DIR}/minigame/minigame.pac "Drawing and packing the mini-game sprites")
varnolis_sprite_package(prot ${RESOURCE_DIR}/ship/ship/prot/prot.pac "Drawing and packing the first hull")
varnolis_sprite_package(shp3 ${RESOURCE_DIR}/ship/ship/shp3/shp3.pac "Drawing and packing the large hull")
