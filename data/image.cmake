# Stand-alone ".cvt" images. The start-up logos are drawn by artgen as PNG and
# converted by cvtconv; the name inside each image is its file name without
# the extension, which is how the game finds the texture.
set(image_png_dir ${CMAKE_BINARY_DIR}/data/image)
set(logo_names companylogo_korvexa gameengine_logo)

set(logo_pngs)
foreach(name IN LISTS logo_names)
  list(APPEND logo_pngs ${image_png_dir}/${name}.png)
endforeach()
add_custom_command(
  OUTPUT ${logo_pngs}
  COMMAND artgen logos ${image_png_dir}
  DEPENDS artgen
  COMMENT "Drawing the start-up logos")

foreach(name IN LISTS logo_names)
  set(cvt ${RESOURCE_DIR}/common/${name}.cvt)
  add_custom_command(
    OUTPUT ${cvt}
    COMMAND cvtconv --format raw ${image_png_dir}/${name}.png ${cvt}
    DEPENDS cvtconv ${image_png_dir}/${name}.png
    COMMENT "Converting ${name}.png")
  list(APPEND varnolis_data_outputs ${cvt})
endforeach()
