# Sprite packages (see varnolis_sprite_package in CMakeLists.txt).
varnolis_sprite_package(dotroom ${RESOURCE_DIR}/ship/room/dotroom.pac "Drawing and packing the room sprites")
