# The warnings every build shows; CI turns them into errors.
add_compile_options(-Wall -Wextra -Wno-unused-parameter)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-Wno-missing-field-initializers)
endif()
if(VARNOLIS_WERROR)
  add_compile_options(-Werror)
endif()
