# The game objects' scripts: script/room_script.pac (a script per room kind),
# script/enemy_script.pac (per enemy kind) and script/actor_script.pac (the
# crew's), each assembled with its command table; script/route_script.pac
# (per road of the world map), whose scripts name the background objects and
# the event window's pictures.
varnolis_script_package(room_script room dotroom)
varnolis_script_package(enemy_script enemy enemy)
varnolis_script_package(actor_script actor dotroom)
varnolis_script_package(route_script route object dotroom)
